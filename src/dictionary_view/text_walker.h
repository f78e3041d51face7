#pragma once

#include <span>
#include <string_view>

#include "dictionary_view/entry_layout.h"
#include "dictionary_view/line_builder.h"
#include "dictionary_view/word_measure.h"

namespace lirabo {

// A run of characters between two codes, as it stands on one screen line.
struct TTextRun {
    int Begin = 0;  // bytes [Begin, End) of the text
    int End = 0;
    int Y = 0;      // the top of its line
    int Style = 0;  // the width style it was measured in
    // Its characters and clusters, in text order, each where it stands; a
    // cluster that holds a code belongs to the run where it begins. In a
    // line holding right-to-left text they need not stand left to right.
    std::span<const TTextCell> Cells;
    // The line's shaped pieces, which cells point into.
    std::span<const TShapedPiece> Pieces;
    // The pixels its cells cover, from the leftmost to the rightmost.
    int Left = 0;
    int Right = 0;
};

// What a walk over laid-out text reports, in text order. Every callback may
// stop the walk by returning false. Y is always the top of a screen line.
class TLineVisitor {
public:
    virtual ~TLineVisitor() = default;

    // A run of characters on a visible line. A single space before a line
    // break or the end of the text is left out of the run.
    virtual bool Run(const TTextRun& /*Run*/) { return true; }
    // The byte 1 at Index: the headword ends at X on the line at Y and the
    // body goes on at the indent. FillGap: the gap up to the indent shows.
    virtual bool Body(int /*Index*/, int /*X*/, int /*Y*/, bool /*Visible*/, bool /*FillGap*/)
    {
        return true;
    }
    // A visible line ends at X because of the break at Index; the next line
    // starts at LineStart.
    virtual bool LineEnd(int /*Index*/, int /*X*/, int /*Y*/, int /*LineStart*/) { return true; }
    // After the break at Index (code Code) the walk is on the line at Y,
    // starting at LineStart; X is where the previous line ended.
    virtual bool NextLine(int /*Index*/, unsigned char /*Code*/, int /*X*/, int /*Y*/, bool /*Visible*/,
                          int /*LineStart*/)
    {
        return true;
    }
    // Any other code (3..12, 15) at Index, standing at X on the line at Y
    // (after the character before it).
    virtual bool Code(int /*Index*/, unsigned char /*Code*/, int /*X*/, int /*Y*/) { return true; }

    enum class TEnd { Text, Hidden, Invalid };
    // The walk ends at Index: at the end of the text (at X on line Y), because
    // the rest of the entry is scrolled away, or at an invalid code.
    virtual void End(int /*Index*/, int /*X*/, int /*Y*/, bool /*Visible*/, TEnd /*Why*/) {}
};

// Walks one laid-out entry the way it appears on screen. The painter, the
// hit test and the link pieces all walk with this, and it measures with the
// layout's own words and pieces, so they all agree on where every character
// stands.
//
// A partly scrolled top entry keeps its headword: its Hidden lines are taken
// from the start of the body, which continues where the byte 1 puts it.
class TTextWalker {
public:
    explicit TTextWalker(const TEntryLayout& Layout) : FLayout(Layout), FLine(Layout) {}

    // Walks Text (laid out in Lines lines) whose first line's top is Top,
    // with Hidden lines of its body scrolled away. Returns the top of the
    // last line reached.
    int Walk(std::string_view Text, int Lines, int Top, int Hidden, TLineVisitor& Visitor) const;

private:
    const TEntryLayout& FLayout;
    mutable TLineBuilder FLine;
};

}  // namespace lirabo
