#pragma once

#include <string>

#include "dictionary_view/entry_layout.h"

namespace lirabo::testing {

// Width tables where every character is Width pixels wide in every style,
// except that bold characters are BoldWidth wide.
inline TCharWidths UniformWidths(int Width, int BoldWidth = -1)
{
    if (BoldWidth < 0)
        BoldWidth = Width;
    TCharWidths widths{};
    for (int s = 0; s < 4; ++s)
        for (int c = 32; c < 256; ++c)
            widths[static_cast<size_t>(s)][static_cast<size_t>(c)] = (s & 1) ? BoldWidth : Width;
    return widths;
}

// Text with the mark-up written as readable letters: '|' the body mark,
// '/' a hard break, '~' a soft break, '[' and ']' a link, '{' and '}' the
// selection marks.
inline std::string Markup(std::string Text)
{
    for (char& c : Text) {
        switch (c) {
            case '|':
                c = 1;
                break;
            case '/':
                c = 13;
                break;
            case '~':
                c = 14;
                break;
            case '[':
                c = 9;
                break;
            case ']':
                c = 15;
                break;
            case '{':
                c = 11;
                break;
            case '}':
                c = 12;
                break;
            default:
                break;
        }
    }
    return Text;
}

}  // namespace lirabo::testing
