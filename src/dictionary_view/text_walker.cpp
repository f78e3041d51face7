#include "dictionary_view/text_walker.h"

#include <algorithm>

namespace lirabo {

namespace {

TTextRun MakeRun(const TLineBuilder& Line, const TLineEvent& Event, int Y)
{
    TTextRun run;
    run.Begin = Event.Begin;
    run.End = Event.End;
    run.Y = Y;
    run.Style = Event.Style;
    run.Cells =
        Line.Cells().subspan(static_cast<size_t>(Event.FirstCell), static_cast<size_t>(Event.CellCount));
    run.Pieces = Line.Pieces();
    run.Left = run.Cells.front().X;
    run.Right = run.Left;
    for (const TTextCell& cell : run.Cells) {
        run.Left = std::min(run.Left, cell.X);
        run.Right = std::max(run.Right, cell.X + cell.Width);
    }
    return run;
}

}  // namespace

int TTextWalker::Walk(std::string_view Text, int Lines, int Top, int Hidden, TLineVisitor& Visitor) const
{
    using TEnd = TLineVisitor::TEnd;
    const TDictionaryStyles& styles = FLayout.Styles();
    const int lineHeight = FLayout.LineHeight();

    int x = kLeftMargin;
    int y = Top;
    int lineStart = kLeftMargin;
    bool drawing = true;
    int hidden = Hidden > 0 ? Hidden : 0;
    int headwordLines = 0;  // headword lines passed while body lines are hidden
    int s = styles.WidthStyle(deEntry);
    int remembered = 0;

    size_t i = 0;
    for (;;) {
        i = FLine.Build(Text, i, x, s, remembered, drawing);
        for (const TLineEvent& event : FLine.Events()) {
            if (!event.IsRun) {
                if (!Visitor.Code(event.Begin, event.Code, event.X, y))
                    return y;
            } else if (drawing && event.CellCount > 0) {
                if (!Visitor.Run(MakeRun(FLine, event, y)))
                    return y;
            }
        }
        if (drawing)
            x = FLine.Right();
        const int index = static_cast<int>(i);
        const unsigned char code =
            i < Text.size() ? static_cast<unsigned char>(Text[i]) : static_cast<unsigned char>(mcEnd);
        switch (code) {
            case mcEnd:
                Visitor.End(index, x, y, drawing, TEnd::Text);
                return y;
            case mcBody:
                if (!Visitor.Body(index, x, y, drawing, hidden + headwordLines < Lines))
                    return y;
                if (hidden > 0)
                    drawing = false;
                lineStart = FLayout.Indent();
                x = lineStart;
                s = styles.WidthStyle(deDefinition);
                break;
            case mcLineBreak:
            case mcSoftBreak:
                if (drawing && !Visitor.LineEnd(index, x, y, lineStart))
                    return y;
                if (!drawing) {
                    // A hidden body line: the next one takes its place.
                    y -= lineHeight;
                    --hidden;
                    drawing = hidden <= 0;
                } else if (hidden > 0) {
                    ++headwordLines;
                    if (Lines <= hidden + headwordLines) {
                        Visitor.End(index, x, y, false, TEnd::Hidden);
                        return y;
                    }
                }
                y += lineHeight;
                if (!Visitor.NextLine(index, code, x, y, drawing, lineStart))
                    return y;
                x = lineStart;
                break;
            default:
                Visitor.End(index, x, y, drawing, TEnd::Invalid);
                return y;
        }
        ++i;
    }
}

}  // namespace lirabo
