#include "dictionary_view/dictionary_painter.h"

#include <QGlyphRun>
#include <algorithm>

#include "dictionary_view/char_class.h"

namespace lirabo {

TDictionaryPainter::TDictionaryPainter(QPainter& Painter, const TEntryLayout& Layout, const TFontSet& Fonts,
                                       const TDictionaryStyles& Styles, const TPaintColors& Colors,
                                       TLinkRecorder& Links, int RightLimit, int Bottom, const QRect& Clip)
    : FPainter(Painter),
      FLayout(Layout),
      FFonts(Fonts),
      FStyles(Styles),
      FColors(Colors),
      FLinks(Links),
      FRight(RightLimit),
      FClip(Clip),
      FLineHeight(Layout.LineHeight()),
      FBottom(Bottom),
      FBackground(Colors.Background)
{
}

void TDictionaryPainter::BeginEntry(std::string_view Text, bool Current)
{
    FText = Text;
    FCurrent = Current;
    FLinks.BeginEntry(Text);
    FElement = 0;
    FRememberedToggles = 0;
    SetElement(deEntry);
    FBackground = Current ? FColors.Current : FColors.Background;
}

void TDictionaryPainter::Fill(int Left, int Top, int Right, int Bottom)
{
    Right = std::min(Right, FRight + kLeftMargin);
    if (Right <= Left || Bottom <= Top)
        return;
    const QRect rect(Left, Top, Right - Left, Bottom - Top);
    if (rect.intersects(FClip))
        FPainter.fillRect(rect, FBackground);
}

void TDictionaryPainter::SetElement(int Element, bool Force)
{
    if (Element == FElement && !Force)
        return;
    FDecoration = FStyles.ElementStyle(Element) & (fsUnderline | fsStrikeOut);
    FElement = Element;
    FShownElement = Element;
}

void TDictionaryPainter::ToggleStyle(int Flag)
{
    // Bold and italic come with the width style the walk measures in, so the
    // drawn text always matches the layout; underline and strike-out are ours.
    FDecoration ^= Flag & (fsUnderline | fsStrikeOut);
    FElement = 0;
}

void TDictionaryPainter::Spans(const TTextRun& Run)
{
    FSpans.clear();
    for (const TTextCell& cell : Run.Cells) {
        const int right = cell.X + cell.Width;
        if (!FSpans.empty() && FSpans.back().second == cell.X)
            FSpans.back().second = right;
        else if (!FSpans.empty() && FSpans.back().first == right)
            FSpans.back().first = cell.X;
        else
            FSpans.emplace_back(cell.X, right);
    }
}

bool TDictionaryPainter::Run(const TTextRun& Run)
{
    const int limit = FRight + kLeftMargin;
    if (!LineShown(Run.Y) || Run.Left >= limit)
        return true;
    Spans(Run);
    for (const auto& [left, right] : FSpans)
        Fill(left, Run.Y, right, Run.Y + FLineHeight);
    const QColor color = ToQColor(FStyles.ElementColor(FShownElement));
    FPainter.setPen(color);
    const int baseline = Run.Y + FFonts.Ascent();
    DrawCharacters(Run, baseline);
    // Drawn here rather than by the glyph run, whose lines ignore where the
    // run stands.
    const int lineWidth = FFonts.LineWidth(Run.Style);
    for (const auto& [left, right] : FSpans) {
        if (FDecoration & fsUnderline)
            FPainter.fillRect(left, baseline + FFonts.UnderlinePos(Run.Style), right - left, lineWidth,
                              color);
        if (FDecoration & fsStrikeOut)
            FPainter.fillRect(left, baseline + FFonts.StrikeOutPos(Run.Style), right - left, lineWidth,
                              color);
    }
    return true;
}

void TDictionaryPainter::DrawCharacters(const TTextRun& Run, int Baseline)
{
    // Only what starts left of the right margin can show: a word that runs
    // past the limit is cut there, however long it is.
    const int limit = FRight + kLeftMargin;
    uint16_t font = 0;
    FGlyphIds.clear();
    FPositions.clear();
    auto flush = [&] {
        if (FGlyphIds.isEmpty())
            return;
        QGlyphRun glyphs;
        glyphs.setRawFont(FFonts.RawFont(font));
        glyphs.setGlyphIndexes(FGlyphIds);
        glyphs.setPositions(FPositions);
        FPainter.drawGlyphRun(QPointF(0, Baseline), glyphs);
        FGlyphIds.clear();
        FPositions.clear();
    };
    for (const TTextCell& cell : Run.Cells) {
        if (cell.Piece >= 0) {
            // A shaped piece is drawn whole once the last of its clusters has
            // its background, so that no later fill cuts into its glyphs.
            const TShapedPiece& piece = Run.Pieces[static_cast<size_t>(cell.Piece)];
            if (cell.End == piece.End && piece.X < limit) {
                flush();
                DrawPiece(piece, Baseline);
            }
            continue;
        }
        if (cell.X >= limit)
            continue;
        size_t at = static_cast<size_t>(cell.Begin);
        const auto lead = static_cast<unsigned char>(FText[at]);
        const char32_t c = lead < 0x80 ? lead : NextChar(FText, at);
        // A mirrored bracket keeps the room of the one it stands for.
        const TGlyph& glyph = FFonts.Glyph(Run.Style, cell.Mirrored ? MirroredChar(c) : c);
        if (glyph.Font != font)
            flush();
        font = glyph.Font;
        FGlyphIds.append(glyph.Glyph);
        FPositions.append(QPointF(cell.X, 0));
    }
    flush();
}

void TDictionaryPainter::DrawPiece(const TShapedPiece& Piece, int Baseline)
{
    for (const TShapedGlyphs& part : Piece.Shape->Glyphs) {
        QList<quint32> ids(part.Glyphs.begin(), part.Glyphs.end());
        QList<QPointF> positions;
        positions.reserve(ids.size());
        for (size_t k = 0; k < part.Glyphs.size(); ++k)
            positions.append(QPointF(Piece.X + part.X[k], part.Y[k]));
        QGlyphRun glyphs;
        glyphs.setRawFont(FFonts.RawFont(part.Font));
        glyphs.setGlyphIndexes(ids);
        glyphs.setPositions(positions);
        FPainter.drawGlyphRun(QPointF(0, Baseline), glyphs);
    }
}

bool TDictionaryPainter::Body(int /*Index*/, int X, int Y, bool /*Visible*/, bool FillGap)
{
    if (FillGap)
        Fill(X, Y, FLayout.Indent(), Y + FLineHeight);
    SetElement(deDefinition);
    return true;
}

bool TDictionaryPainter::LineEnd(int /*Index*/, int X, int Y, int LineStart)
{
    Fill(X, Y, FRight, Y + FLineHeight);
    // The indent area of the next line takes the background in force here.
    if (LineStart > kLeftMargin)
        Fill(kLeftMargin, Y + FLineHeight, LineStart, Y + 2 * FLineHeight);
    return true;
}

bool TDictionaryPainter::NextLine(int Index, unsigned char Code, int X, int Y, bool Visible, int LineStart)
{
    // Lines below the view show nothing and hold no link anyone can reach.
    FLinks.NextLine(Index, Code, X, Y, Visible, LineStart);
    if (Y <= FBottom)
        return true;
    FLinks.CutOff(Index);
    return false;
}

bool TDictionaryPainter::Code(int Index, unsigned char Code, int X, int Y)
{
    switch (Code) {
        case mcBold:
            ToggleStyle(fsBold);
            break;
        case mcItalic:
            ToggleStyle(fsItalic);
            break;
        case mcUnderline:
            ToggleStyle(fsUnderline);
            break;
        case mcStrikeOut:
            ToggleStyle(fsStrikeOut);
            break;
        case mcDefinition:
        case mcGrammar:
        case mcField:
            SetElement(Code - 5);
            break;
        case mcLinkStart:
            FRemembered = FShownElement;
            // Underline and strike-out toggled before the link come back after
            // it, as bold and italic come back in the width style.
            FRememberedToggles =
                FDecoration ^ (FStyles.ElementStyle(FShownElement) & (fsUnderline | fsStrikeOut));
            SetElement(deLink);
            break;
        case mcSelStart:
            FBackground = FColors.Selected;
            break;
        case mcSelEnd:
            FBackground = FCurrent ? FColors.Current : FColors.Background;
            break;
        case mcLinkEnd:
            SetElement(FRemembered, true);
            if (FRememberedToggles != 0) {
                FDecoration ^= FRememberedToggles;
                FElement = 0;
            }
            FRememberedToggles = 0;
            break;
        default:
            break;
    }
    return FLinks.Code(Index, Code, X, Y);
}

void TDictionaryPainter::End(int Index, int X, int Y, bool Visible, TEnd Why)
{
    if (Why == TEnd::Text)
        Fill(X, Y, FRight, Y + FLineHeight);
    FLinks.End(Index, X, Y, Visible, Why);
}

}  // namespace lirabo
