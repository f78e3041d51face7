#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary_view/text_metrics.h"

namespace lirabo {

// One character, or one cluster of a shaped word, as it stands on screen.
struct TTextCell {
    int Begin = 0;  // bytes [Begin, End) of the text; a cluster may hold a code
    int End = 0;
    int X = 0;  // left edge: from the word's start while measuring, on screen once placed
    int Width = 0;
    int Word = -1;  // the shaped word it belongs to; -1 for a character measured alone
};

// A word measured whole (see TTextMetrics::Shape).
struct TShapedWord {
    int Begin = 0;  // bytes [Begin, End) of the text
    int End = 0;
    int X = 0;  // left edge on screen once placed
    int Style = 0;
    bool RightToLeft = false;
    std::shared_ptr<const TShapedText> Shape;
};

// What a measured word holds and where it ends.
struct TMeasuredWord {
    size_t End = 0;  // the byte after its last character
    int Width = 0;
    bool Shaped = false;
    bool RightToLeft = false;  // it holds right-to-left characters
    bool NoSpaces = false;     // it holds characters of scripts written without spaces
};

// Measures text a word at a time, so that the layout, which breaks lines
// between words, and the walk, which places them, measure exactly the same
// units. A word runs from a character over the characters and the codes that
// change no width (underline, strike-out, selection) to its last character
// before a space, any other code or the end. A word holding a character that
// needs shaping is shaped whole, its codes left out; any other word is
// measured a character at a time, ASCII from a table.
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
    // (X from the word's start, in text order); a shaped word is appended to
    // Words and its cells point at it.
    TMeasuredWord Measure(std::string_view Text, size_t Begin, int Style,
                          std::vector<TTextCell>* Cells = nullptr,
                          std::vector<TShapedWord>* Words = nullptr) const;

private:
    TMeasuredWord MeasureShaped(std::string_view Text, size_t Begin, size_t End, int Style,
                                std::vector<TTextCell>* Cells, std::vector<TShapedWord>* Words) const;

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
