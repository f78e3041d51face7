#pragma once

#include <string_view>
#include <vector>

#include "dictionary_view/entry_layout.h"
#include "dictionary_view/text_walker.h"

namespace lirabo {

// One place the caret can stand: before byte Index, at X on the line whose
// top is Y.
struct TCaretStop {
    int Index = 0;
    int X = 0;
    int Y = 0;
};

// Where the caret can stand in one laid-out entry, found by the same walk
// that paints it, so that a caret drawn, moved up or down, or sent to a
// line's ends lands where the characters really are, right-to-left lines
// included. Only lines on screen hold stops.
class TCaretGeometry : public TLineVisitor {
public:
    explicit TCaretGeometry(const TEntryLayout& Layout) : FLayout(Layout) {}

    // Walks Text (without selection marks, laid out in Lines lines) whose
    // first line's top is Top, with Hidden body lines scrolled away.
    void Walk(std::string_view Text, int Lines, int Top, int Hidden);

    // The stops in text order.
    const std::vector<TCaretStop>& Stops() const { return FStops; }
    // Where the caret before byte Index stands: the first stop at Index or
    // after it (a space left undrawn before a wrap stands at the line's
    // end); nullptr when no such stop is on screen.
    const TCaretStop* Find(int Index) const;
    // The stop on the line at Y nearest to X; nullptr when that line has none.
    const TCaretStop* Nearest(int Y, int X) const;
    // The first and the last stop in text order on the line at Y.
    const TCaretStop* LineFirst(int Y) const;
    const TCaretStop* LineLast(int Y) const;

    bool Run(const TTextRun& Run) override;
    bool Body(int Index, int X, int Y, bool Visible, bool FillGap) override;
    bool LineEnd(int Index, int X, int Y, int LineStart) override;
    bool NextLine(int Index, unsigned char Code, int X, int Y, bool Visible, int LineStart) override;
    bool Code(int Index, unsigned char Code, int X, int Y) override;
    void End(int Index, int X, int Y, bool Visible, TEnd Why) override;

private:
    void Add(int Index, int X, int Y);

    const TEntryLayout& FLayout;
    std::string_view FText;
    std::vector<TCaretStop> FStops;
    bool FDrawing = true;  // the walk is on a line that shows
    int FHidden = 0;
};

}  // namespace lirabo
