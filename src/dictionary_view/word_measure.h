#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary_view/text_metrics.h"

namespace lirabo {

// One character, or one cluster of a shaped piece, as it stands on screen.
struct TTextCell {
    int Begin = 0;  // bytes [Begin, End) of the text; a cluster may hold a code
    int End = 0;
    int X = 0;  // left edge: from the piece's start while measuring, on screen once placed
    int Width = 0;
    int Piece = -1;  // the shaped piece it belongs to; -1 for a character measured alone
    // A character standing in right-to-left order that is drawn as its
    // mirror image, as "(" is drawn ")" there.
    bool Mirrored = false;
};

// A piece of a word measured whole (see TTextMetrics::Shape): a run of
// right-to-left letters with their marks, or a run of other characters of
// which some need shaping. It reads in one direction and is placed whole.
struct TShapedPiece {
    int Begin = 0;  // bytes [Begin, End) of the text
    int End = 0;
    int X = 0;  // left edge on screen once placed
    int Style = 0;
    std::shared_ptr<const TShapedText> Shape;
};

// What a measured word holds and where it ends.
struct TMeasuredWord {
    size_t End = 0;  // the byte after its last character
    int Width = 0;
    bool Shaped = false;       // it holds a shaped piece
    bool RightToLeft = false;  // it holds right-to-left characters
    bool NoSpaces = false;     // it holds characters of scripts written without spaces
};

// Measures text a word at a time, so that the layout, which breaks lines
// between words, and the walk, which places them, measure exactly the same
// units. A word runs from a character over the characters and the codes that
// change no width (underline, strike-out, selection) to its last character
// before a space, any other code or the end. Its characters are measured
// one at a time, ASCII from a table, except its pieces that need shaping:
// each run of right-to-left letters, and each run of other characters that
// holds a combining mark, a joiner or a letter of a script that changes
// shape, is shaped whole, its codes left out.
class TWordMeasure {
public:
    // Metrics must outlive the measure; set them again after they change.
    // Without metrics nothing takes room.
    explicit TWordMeasure(const TTextMetrics* Metrics = nullptr);

    void SetMetrics(const TTextMetrics* Metrics);
    const TTextMetrics& Metrics() const { return *FMetrics; }
    int LineHeight() const { return FMetrics->LineHeight(); }
    int Advance(int Style, char32_t Char) const
    {
        return Char < 0x80 ? FAscii[Style & 3][Char] : FMetrics->Advance(Style & 3, Char);
    }

    // Measures the word starting at Text[Begin], which must be a character
    // above the space. With Cells, appends a cell per character or cluster
    // (X from the start of its piece, in text order); each shaped piece is
    // appended to Pieces and its cells point at it.
    TMeasuredWord Measure(std::string_view Text, size_t Begin, int Style,
                          std::vector<TTextCell>* Cells = nullptr,
                          std::vector<TShapedPiece>* Pieces = nullptr) const;

private:
    int MeasurePieces(std::string_view Text, size_t Begin, size_t End, int Style,
                      std::vector<TTextCell>* Cells, std::vector<TShapedPiece>* Pieces) const;
    int MeasureShaped(std::string_view Text, size_t Begin, size_t End, int Style,
                      std::vector<TTextCell>* Cells, std::vector<TShapedPiece>* Pieces) const;

    const TTextMetrics* FMetrics;
    std::array<std::array<int, 128>, 4> FAscii{};
    // Scratch for shaping, kept between words.
    mutable std::string FPlain;
    mutable std::vector<uint32_t> FSource;  // the text byte of each plain byte
    mutable std::vector<uint32_t> FClusterEnds;
};

// Whether a code leaves widths and words alone: underline, strike-out and
// the selection marks.
bool IsWidthlessCode(unsigned char Code);

}  // namespace lirabo
