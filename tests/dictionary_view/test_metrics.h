#pragma once

#include <array>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "dictionary_view/char_class.h"
#include "dictionary_view/entry_layout.h"
#include "dictionary_view/text_metrics.h"

namespace lirabo::testing {

// Metrics by simple rules, so that no test depends on a machine's fonts.
// Every character is Letter[s] wide in width style s and a space Space[s];
// a character of a script written without spaces is twice a letter. A
// shaped piece gives each cluster a letter's width, from the right when its
// first character is a right-to-left letter, so that visual order shows.
class TFakeMetrics : public TTextMetrics {
public:
    TFakeMetrics(std::array<int, 4> Letter, std::array<int, 4> Space, int LineHeight)
        : FLetter(Letter), FSpace(Space), FLineHeight(LineHeight)
    {
    }

    int LineHeight() const override { return FLineHeight; }

    int Advance(int Style, char32_t Char) const override
    {
        if (Char == ' ')
            return FSpace[static_cast<size_t>(Style & 3)];
        return BreaksWithoutSpaces(Char) ? 2 * FLetter[static_cast<size_t>(Style & 3)]
                                         : FLetter[static_cast<size_t>(Style & 3)];
    }

    std::shared_ptr<const TShapedText> Shape(int Style, std::string_view Text,
                                             std::span<const uint32_t> ClusterEnds) const override
    {
        ++Shaped;
        auto shaped = std::make_shared<TShapedText>();
        const int w = FLetter[static_cast<size_t>(Style & 3)];
        const int n = static_cast<int>(ClusterEnds.size());
        size_t first = 0;
        const bool rightToLeft = !Text.empty() && IsStrongRightToLeft(NextChar(Text, first));
        shaped->Width = n * w;
        for (int k = 0; k < n; ++k)
            shaped->Clusters.push_back({rightToLeft ? (n - 1 - k) * w : k * w, w});
        return shaped;
    }

    mutable int Shaped = 0;  // the words shaped so far

private:
    std::array<int, 4> FLetter;
    std::array<int, 4> FSpace;
    int FLineHeight;
};

// Every character Width pixels wide in every style (spaces too), except
// that bold characters are BoldWidth wide.
inline TFakeMetrics UniformMetrics(int Width, int BoldWidth, int LineHeight)
{
    if (BoldWidth < 0)
        BoldWidth = Width;
    return TFakeMetrics({Width, BoldWidth, Width, BoldWidth}, {Width, BoldWidth, Width, BoldWidth},
                        LineHeight);
}

// Widths on which text can end at any pixel: letters are 7 wide plain,
// 11 bold, 9 italic and 13 bold italic, and a space is 4, 6, 5 and 8, so no
// width is a multiple of another and every style measures differently.
inline TFakeMetrics UnevenMetrics(int LineHeight)
{
    return TFakeMetrics({7, 11, 9, 13}, {4, 6, 5, 8}, LineHeight);
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
