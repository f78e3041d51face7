#pragma once

#include <QColor>
#include <QPainter>
#include <QRect>
#include <string_view>
#include <utility>
#include <vector>

#include "dictionary_view/dictionary_styles.h"
#include "dictionary_view/font_set.h"
#include "dictionary_view/link_recorder.h"
#include "dictionary_view/text_walker.h"

namespace lirabo {

// A colour number 0x00BBGGRR as Qt's colour.
inline QColor ToQColor(TColor Color)
{
    return QColor(static_cast<int>(Color & 0xFF), static_cast<int>((Color >> 8) & 0xFF),
                  static_cast<int>((Color >> 16) & 0xFF));
}

// The colours one paint of the view uses.
struct TPaintColors {
    QColor Background;  // the view and ordinary entries
    QColor Current;     // the entries of the word last looked up
    QColor Selected;    // selected text
};

// Draws laid-out entries as a walk reports them: element colours and styles,
// the style toggles, opaque backgrounds behind every run, the fills that
// finish each line, and the link pieces (through Links). Each character, and
// each shaped word, goes where the walk puts it from the same metrics the
// layout measured with, so painting matches layout and hit testing to the
// pixel. Lines outside Clip are walked but not drawn; the walk stops below
// Bottom, the view's height.
class TDictionaryPainter : public TLineVisitor {
public:
    TDictionaryPainter(QPainter& Painter, const TEntryLayout& Layout, const TFontSet& Fonts,
                       const TDictionaryStyles& Styles, const TPaintColors& Colors, TLinkRecorder& Links,
                       int RightLimit, int Bottom, const QRect& Clip);

    // Starts an entry at the left margin in the headword's element, on the
    // current-entry background when Current.
    void BeginEntry(std::string_view Text, bool Current);

    // Fills a rectangle (right and bottom exclusive) with the background in force.
    void Fill(int Left, int Top, int Right, int Bottom);
    void SetBackground(const QColor& Color) { FBackground = Color; }

    bool Run(const TTextRun& Run) override;
    bool Body(int Index, int X, int Y, bool Visible, bool FillGap) override;
    bool LineEnd(int Index, int X, int Y, int LineStart) override;
    bool NextLine(int Index, unsigned char Code, int X, int Y, bool Visible, int LineStart) override;
    bool Code(int Index, unsigned char Code, int X, int Y) override;
    void End(int Index, int X, int Y, bool Visible, TEnd Why) override;

private:
    void SetElement(int Element, bool Force = false);
    // The stretches of screen a run's cells cover: one, unless right-to-left
    // text splits the run.
    void Spans(const TTextRun& Run);
    void DrawCharacters(const TTextRun& Run, int Baseline);
    void DrawPiece(const TShapedPiece& Piece, int Baseline);
    void ToggleStyle(int Flag);
    bool LineShown(int Y) const { return Y < FClip.bottom() + 1 && Y + FLineHeight > FClip.top(); }

    QPainter& FPainter;
    const TEntryLayout& FLayout;
    const TFontSet& FFonts;
    const TDictionaryStyles& FStyles;
    const TPaintColors& FColors;
    TLinkRecorder& FLinks;
    int FRight;
    QRect FClip;
    int FLineHeight;
    int FBottom;
    std::string_view FText;
    bool FCurrent = false;
    QColor FBackground;
    int FElement = 0;             // the element in force; 0 after a style toggle
    int FShownElement = deEntry;  // the element whose colour is in force
    int FRemembered = deDefinition;
    TFontStyles FRememberedToggles = 0;  // underline and strike-out toggled when the link started
    TFontStyles FDecoration = 0;         // underline and strike-out in force
    // Scratch kept between runs.
    std::vector<std::pair<int, int>> FSpans;
    QList<quint32> FGlyphIds;
    QList<QPointF> FPositions;
};

}  // namespace lirabo
