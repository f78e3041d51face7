#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace lirabo {

// The text elements of an entry, numbered as the view indexes them.
enum TDictionaryElement : int {
    deEntry = 1,  // headword
    deDefinition = 2,
    deGrammar = 3,
    deLink = 4,
    deField = 5,
};

constexpr int kElementCount = 5;

// Font-style sets: independent flags.
using TFontStyles = uint8_t;
constexpr TFontStyles fsBold = 1;
constexpr TFontStyles fsItalic = 2;
constexpr TFontStyles fsUnderline = 4;
constexpr TFontStyles fsStrikeOut = 8;

// Colours are 0x00BBGGRR: the low byte is red.
using TColor = uint32_t;

// A style set read from its letters "b", "i", "u", "s"; a flag is set when
// its letter occurs anywhere (case-sensitive). Other characters are ignored.
TFontStyles StyleFromLetters(std::string_view Letters);
// The letters of the set flags, always in the order b, i, u, s.
std::string StyleToLetters(TFontStyles Styles);

// The element that display setting Index (0 Entry, 1 Definition, 2 Field,
// 3 Grammar, 4 Link) goes to; 0 for the background indexes 5..7 and others.
int ElementOfSetting(int Index);

// Colour and font style of the five text elements of one view. Everything is
// black and plain until settings are applied. Owned by its view.
class TDictionaryStyles {
public:
    // Element is one of TDictionaryElement; anything else reads 0 and is not
    // written.
    TColor ElementColor(int Element) const;
    TFontStyles ElementStyle(int Element) const;
    void SetElementColor(int Element, TColor Color);
    // A change of style changes the widths text is measured with; the owner
    // hears of it through the callback so that it can lay text out again.
    void SetElementStyle(int Element, TFontStyles Style);

    // The width style (bit 0 bold, bit 1 italic) the layout measures an
    // element with.
    int WidthStyle(int Element) const { return ElementStyle(Element) & (fsBold | fsItalic); }

    // How a style code changes the width style Style while text is walked:
    // bold and italic toggle, an element code selects its element's style,
    // a link start remembers the style its end goes back to. Other codes
    // change nothing. Layout and painting both walk with this one rule.
    void ApplyWidthCode(unsigned char Code, int& Style, int& Remembered) const;

    void SetOnStyleChanged(std::function<void()> Callback) { FOnStyleChanged = std::move(Callback); }

private:
    static bool Valid(int Element) { return Element >= deEntry && Element <= deField; }

    // Slot 0 and a sixth slot are kept for the element numbering's sake.
    std::array<TColor, 7> FColors{};
    std::array<TFontStyles, 7> FStyles{};
    std::function<void()> FOnStyleChanged;
};

}  // namespace lirabo
