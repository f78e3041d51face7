#pragma once

#include <string>

#include "dictionary/markup_codes.h"

namespace lirabo {

// The mark-up codes of entry text: every byte below 32 is one. Bytes 2 and
// 16..31 are invalid and end the text where they stand.
enum TMarkupCode : unsigned char {
    mcEnd = markup::kEnd,
    mcBody = markup::kBody,
    mcBold = markup::kBold,
    mcItalic = markup::kItalic,
    mcUnderline = markup::kUnderline,
    mcStrikeOut = markup::kStrikeOut,
    mcDefinition = markup::kDefinition,  // 7, 8 and 10 select element (code - 5)
    mcGrammar = markup::kGrammar,
    mcLinkStart = markup::kLinkStart,
    mcField = markup::kField,
    mcSelStart = markup::kSelStart,
    mcSelEnd = markup::kSelEnd,
    mcLineBreak = markup::kLineBreak,
    mcSoftBreak = markup::kSoftBreak,
    mcLinkEnd = markup::kLinkEnd,
};

inline bool IsInvalidCode(unsigned char Code)
{
    return Code == 2 || (Code >= 16 && Code < 32);
}

// Client pixels: the headword and the first line start this far from the
// left and top edges.
constexpr int kLeftMargin = 5;
constexpr int kTopMargin = 5;

// A rectangle in client pixels; Right and Bottom are exclusive.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    bool Contains(int X, int Y) const { return X >= Left && X < Right && Y >= Top && Y < Bottom; }
    bool operator==(const TRect&) const = default;
};

constexpr TRect kNoRect{-1, -1, -1, -1};

// One laid-out entry: the display text with a soft break inserted at every
// wrap, and the number of screen lines it takes (at least 1).
struct TProcessedItem {
    std::string Text;
    int Lines = 1;
};

}  // namespace lirabo
