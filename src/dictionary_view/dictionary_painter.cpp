#include "dictionary_view/dictionary_painter.h"

#include <QGlyphRun>
#include <algorithm>

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

bool TDictionaryPainter::Run(int Begin, int End, int X, int Y, int Style)
{
    if (!LineShown(Y) || X >= FRight + kLeftMargin)
        return true;
    // Only what lies left of the right margin can show: a word that runs past
    // the limit is cut there, however long it is.
    QList<quint32> glyphs;
    QList<QPointF> positions;
    int x = X;
    for (int i = Begin; i < End && x < FRight + kLeftMargin; ++i) {
        const auto byte = static_cast<unsigned char>(FText[static_cast<size_t>(i)]);
        glyphs.append(FFonts.Glyph(Style, byte));
        positions.append(QPointF(x, 0));
        x += FLayout.Width(Style, byte);
    }
    Fill(X, Y, x, Y + FLineHeight);
    QGlyphRun run;
    run.setRawFont(FFonts.RawFont(Style));
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    const QColor color = ToQColor(FStyles.ElementColor(FShownElement));
    FPainter.setPen(color);
    const int baseline = Y + FFonts.Ascent();
    FPainter.drawGlyphRun(QPointF(0, baseline), run);
    // Drawn here rather than by the glyph run, whose lines ignore where the
    // run stands.
    const int lineWidth = FFonts.LineWidth(Style);
    if (FDecoration & fsUnderline)
        FPainter.fillRect(X, baseline + FFonts.UnderlinePos(Style), x - X, lineWidth, color);
    if (FDecoration & fsStrikeOut)
        FPainter.fillRect(X, baseline + FFonts.StrikeOutPos(Style), x - X, lineWidth, color);
    return true;
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
