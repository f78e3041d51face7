#pragma once

#include "dictionary_view/entry_layout.h"
#include "dictionary_view/markup.h"

namespace lirabo {

// The character under a point, found by walking a laid-out entry exactly as
// it is painted.
struct THit {
    int Index = -1;        // the byte under the point; the text's length past its end; -1 none
    TRect Rect = kNoRect;  // the area that byte owns on screen
};

// Hit-tests Item, whose first line's top is Top and whose body has Hidden
// lines scrolled away, at point (X, Y). RightEdge is the scroll bar's left
// edge: the end of a line owns the space up to it. A point in the indent
// area of a continuation line belongs to the end of the line before.
THit HitTest(const TEntryLayout& Layout, const TProcessedItem& Item, int X, int Y, int Top, int Hidden,
             int RightEdge);

}  // namespace lirabo
