#include "dictionary_view/glyph_cache.h"

#include <QGlyphRun>
#include <QTextLayout>

namespace lirabo {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

int RoundedAdvance(const QRawFont& Font, quint32 Glyph)
{
    const QList<QPointF> advances = Font.advancesForGlyphIndexes(QList<quint32>{Glyph});
    return advances.isEmpty() ? 0 : qRound(advances.front().x());
}

// The glyph of Char in Font, 0 when it has none.
quint32 GlyphIn(const QRawFont& Font, const QString& Char)
{
    const QList<quint32> glyphs = Font.glyphIndexesForString(Char);
    return glyphs.isEmpty() ? 0 : glyphs.front();
}

}  // namespace

void TGlyphCache::Reset(const std::array<QFont, 4>& Fonts, TRawFonts& Raw)
{
    FRaw = &Raw;
    for (size_t s = 0; s < FStyles.size(); ++s) {
        TStyle& style = FStyles[s];
        style.Font = Fonts[s];
        style.Metrics.emplace(style.Font);
        style.Primary = QRawFont::fromFont(style.Font);
        style.PrimaryNumber = Raw.Add(style.Primary);
        style.Fast.assign(kFastChars, TGlyph{0, -1, 0});
        style.Rest.clear();
        style.LastFallback = QRawFont();
    }
}

const TGlyph& TGlyphCache::Lookup(int Style, char32_t Char)
{
    static const TGlyph none;
    if (!FRaw)
        return none;
    TStyle& style = FStyles[static_cast<size_t>(Style & 3)];
    if (Char < kFastChars) {
        TGlyph& glyph = style.Fast[Char];
        if (glyph.Advance < 0)
            glyph = Find(style, Char);
        return glyph;
    }
    const auto found = style.Rest.find(Char);
    if (found != style.Rest.end())
        return found->second;
    return style.Rest.emplace(Char, Find(style, Char)).first->second;
}

TGlyph TGlyphCache::Find(TStyle& Style, char32_t Char)
{
    const QString text = QString::fromUcs4(&Char, 1);
    if (Style.Primary.isValid() && Style.Primary.supportsCharacter(Char)) {
        // Measured as the view always measured its font, so that Latin text
        // lays out as it did.
        if (const quint32 glyph = GlyphIn(Style.Primary, text))
            return {glyph, Style.Metrics->horizontalAdvance(text), Style.PrimaryNumber};
    }
    // No font has a glyph for a code point Unicode has not assigned: asking
    // Qt for each of them would let damaged text take seconds to show.
    if (QChar::category(Char) != QChar::Other_NotAssigned) {
        if (const std::optional<TGlyph> glyph = FromFallback(Style, Char))
            return *glyph;
    }
    if (Char != kReplacement)
        return Find(Style, kReplacement);
    // Not even the replacement character: the font's own missing-glyph box.
    return {0, Style.Metrics->horizontalAdvance(text), Style.PrimaryNumber};
}

std::optional<TGlyph> TGlyphCache::FromFallback(TStyle& Style, char32_t Char)
{
    const QString text = QString::fromUcs4(&Char, 1);
    // Characters of one script mostly come from one fallback font: asking it
    // first spares a layout per character.
    if (Style.LastFallback.isValid() && Style.LastFallback.supportsCharacter(Char)) {
        if (const quint32 glyph = GlyphIn(Style.LastFallback, text))
            return TGlyph{glyph, RoundedAdvance(Style.LastFallback, glyph), FRaw->Add(Style.LastFallback)};
    }
    // The font Qt's own font merging picks for the character.
    QTextLayout layout(text, Style.Font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setLineWidth(1e6);
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns()) {
        const QRawFont font = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        // A font of no size is Qt's stand-in that draws boxes.
        if (glyphs.isEmpty() || glyphs.front() == 0 || !font.isValid() || font.pixelSize() <= 0 ||
            !font.supportsCharacter(Char))
            continue;
        Style.LastFallback = font;
        return TGlyph{glyphs.front(), RoundedAdvance(font, glyphs.front()), FRaw->Add(font)};
    }
    return std::nullopt;
}

}  // namespace lirabo
