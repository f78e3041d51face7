#pragma once

#include "dictionary_view/entry_layout.h"
#include "dictionary_view/markup.h"

namespace lirabo {

// The character under a point, found by walking a laid-out entry exactly as
// it is painted.
struct THit {
    // The first byte of the character or cluster under the point (of the
    // last one before a line's end, for the rest of that line); the text's
    // length past its end; -1 none.
    int Index = -1;
    // The byte after that character or cluster: a selection from Index on
    // takes it whole.
    int End = -1;
    TRect Rect = kNoRect;  // the area it owns on screen
};

// Hit-tests Item, whose first line's top is Top and whose body has Hidden
// lines scrolled away, at point (X, Y). RightEdge is the scroll bar's left
// edge: the end of a line owns the space up to it. A point in the indent
// area of a continuation line belongs to the end of the line before. In a
// line holding right-to-left text the character standing under the point
// is hit, wherever it is in the text.
THit HitTest(const TEntryLayout& Layout, const TProcessedItem& Item, int X, int Y, int Top, int Hidden,
             int RightEdge);

}  // namespace lirabo
