#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary_view/bidi_order.h"
#include "dictionary_view/entry_layout.h"
#include "dictionary_view/word_measure.h"

namespace lirabo {

// What a line of laid-out text holds, in text order: runs of characters
// between codes, and the codes.
struct TLineEvent {
    bool IsRun = false;
    int Begin = 0;  // a run: bytes [Begin, End); a code: its index
    int End = 0;
    int Style = 0;      // a run's width style
    int FirstCell = 0;  // a run's cells; for a code, the number of cells before it
    int CellCount = 0;
    unsigned char Code = 0;
    int X = 0;  // a code: where it stands between the characters
};

// Measures and places one screen line of laid-out text, from where the line
// (or the body after the headword) starts up to the code that ends it: a
// line break, the body mark, the end of the text or an invalid code. Words
// are measured as the layout measured them; a line holding right-to-left
// text is put in visual order (its shaped pieces and characters keeping
// their bytes, brackets standing in right-to-left order mirrored), so that
// whatever walks the line knows where every character is.
class TLineBuilder {
public:
    // Layout must outlive the builder.
    explicit TLineBuilder(const TEntryLayout& Layout) : FLayout(Layout) {}

    // Builds the line of Text from Begin at x = X. Style and Remembered are
    // the width style and the style a link returns to; they come back as
    // they are after the line. Without Measure only the codes are recorded,
    // all at X (a line scrolled out of sight). Returns where the line ends.
    size_t Build(std::string_view Text, size_t Begin, int X, int& Style, int& Remembered, bool Measure);

    const std::vector<TLineEvent>& Events() const { return FEvents; }
    std::span<const TTextCell> Cells() const { return FCells; }
    std::span<const TShapedPiece> Pieces() const { return FPieces; }
    // Where the line's last character ends on screen.
    int Right() const { return FRight; }

private:
    void CloseRun(size_t At, int Style, size_t CellEnd);
    void DropClosingSpace(std::string_view Text, size_t End);
    void Place(int X);
    void PlaceVisually(std::string_view Text, int X);
    void PlaceCodes(int X);

    const TEntryLayout& FLayout;
    std::vector<TLineEvent> FEvents;
    std::vector<TTextCell> FCells;
    std::vector<TShapedPiece> FPieces;
    size_t FRunBegin = 0;
    size_t FRunCells = 0;
    bool FRightToLeft = false;
    int FRight = 0;
    // Scratch for lines in visual order.
    TBidiOrder FBidi;
    std::u16string FUtf16;
    std::vector<uint32_t> FUnitStarts;
    std::vector<int> FUnitCells;  // the first cell of each unit
    std::vector<bool> FCellRightToLeft;
};

}  // namespace lirabo
