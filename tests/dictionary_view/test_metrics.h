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

// Width tables on which text can end at any pixel: letters are 7 wide plain,
// 11 bold, 9 italic and 13 bold italic, and a space is 4, 6, 5 and 8, so no
// width is a multiple of another and every style measures differently.
inline TCharWidths UnevenWidths()
{
    constexpr int kLetter[4] = {7, 11, 9, 13};
    constexpr int kSpace[4] = {4, 6, 5, 8};
    TCharWidths widths{};
    for (size_t s = 0; s < 4; ++s) {
        for (size_t c = 33; c < 256; ++c)
            widths[s][c] = kLetter[s];
        widths[s][' '] = kSpace[s];
    }
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

// Markup() with the style toggles written as letters too: '*' bold, '^'
// italic, '_' underline, '=' strike-out.
inline std::string StyledMarkup(std::string Text)
{
    for (char& c : Text) {
        switch (c) {
            case '*':
                c = 3;
                break;
            case '^':
                c = 4;
                break;
            case '_':
                c = 5;
                break;
            case '=':
                c = 6;
                break;
            default:
                break;
        }
    }
    return Markup(std::move(Text));
}

}  // namespace lirabo::testing
