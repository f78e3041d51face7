#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace makrel {

// Finds the column at which a source's text was hard-wrapped, from the
// lengths of its lines. Prose wrapped by a program shows a wall: many lines
// end within a few columns before it, almost none after it. Dictionaries
// whose lines carry meaning (one translation a line) show a smooth spread
// of lengths with no such wall, and get no column.
class TWrapColumn {
public:
    // Counts each non-blank line of Text (UTF-8; lines end at '\n'), by its
    // width (Width) with its indentation and without trailing spaces.
    void Add(std::string_view Text);

    // The wrap column, or 0 when the lines seen show none.
    int Column() const;

    // The columns UTF-8 Text takes in fixed-width type: one a character
    // (a tab too), none for combining marks and invisible joiners, two for
    // East Asian wide characters; a byte that is not UTF-8 is a character
    // of a legacy code page.
    static int Width(std::string_view Text);

private:
    // The lines From to To characters long.
    uint64_t Lines(int From, int To) const;

    // The narrowest and widest wall looked for: narrower walls are lists of
    // short lines, wider ones are not wrapping for a reader.
    static constexpr int kMinColumn = 40;
    static constexpr int kMaxColumn = 132;

    std::array<uint64_t, kMaxColumn + 2> FCount{};  // by length; the last counts all longer lines
    uint64_t FLines = 0;
};

}  // namespace makrel
