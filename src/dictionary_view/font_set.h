#pragma once

#include <QFont>
#include <QRawFont>
#include <array>

#include "dictionary_view/glyph_cache.h"
#include "dictionary_view/raw_fonts.h"
#include "dictionary_view/text_metrics.h"
#include "dictionary_view/text_shaper.h"

namespace lirabo {

// A font measured for the view, in its four width styles: the metrics the
// layout and the walk measure with, and what the painter draws with. A
// character that stands alone is measured and drawn by itself from its own
// glyph, so that text lands exactly where the walk puts it; a word that
// needs shaping is shaped whole. Characters the font lacks come from
// fallback fonts; one no font has shows as U+FFFD.
class TFontSet : public TTextMetrics {
public:
    // Measures Font in its four width styles and forgets every glyph and
    // word measured before.
    void Measure(const QFont& Font);

    bool Valid() const { return FValid; }
    int LineHeight() const override { return FLineHeight; }
    int Ascent() const { return FAscent; }
    int Advance(int Style, char32_t Char) const override { return FGlyphs.Glyph(Style, Char).Advance; }
    std::shared_ptr<const TShapedText> Shape(int Style, std::string_view Text,
                                             std::span<const uint32_t> ClusterEnds) const override
    {
        return FShaper.Shape(Style, Text, ClusterEnds);
    }

    // How a character that stands alone is drawn.
    const TGlyph& Glyph(int Style, char32_t Char) const { return FGlyphs.Glyph(Style, Char); }
    // The font behind a glyph's or a shaped word's font number.
    const QRawFont& RawFont(uint16_t Number) const { return FRawFonts.At(Number); }
    const QFont& Font(int Style) const { return FFonts[Style & 3]; }
    // Where underline and strike-out lines go, in pixels below the baseline
    // (negative: above), and how thick they are.
    int UnderlinePos(int Style) const { return FDecorations[Style & 3].Underline; }
    int StrikeOutPos(int Style) const { return FDecorations[Style & 3].StrikeOut; }
    int LineWidth(int Style) const { return FDecorations[Style & 3].Width; }

private:
    bool FValid = false;
    std::array<QFont, 4> FFonts;
    // Filled as characters and words are first met, hence mutable.
    mutable TRawFonts FRawFonts;
    mutable TGlyphCache FGlyphs;
    mutable TTextShaper FShaper;
    struct TDecoration {
        int Underline = 0;
        int StrikeOut = 0;
        int Width = 1;
    };
    std::array<TDecoration, 4> FDecorations{};
    int FLineHeight = 0;
    int FAscent = 0;
};

}  // namespace lirabo
