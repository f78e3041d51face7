#pragma once

#include <array>
#include <string>
#include <string_view>

#include "dictionary/word_item.h"
#include "dictionary_view/dictionary_styles.h"
#include "dictionary_view/markup.h"

namespace lirabo {

// Advance widths in pixels of the 256 byte values, one table per width style
// (0 plain, 1 bold, 2 italic, 3 bold italic).
using TCharWidths = std::array<std::array<int, 256>, 4>;

// Wraps entry text into screen lines. It knows nothing of fonts: the owner
// injects the width tables and the line height it measured, so layout is the
// same wherever the tables are the same.
class TEntryLayout {
public:
    // Styles must outlive the layout; only bold and italic of each element
    // matter here.
    explicit TEntryLayout(const TDictionaryStyles& Styles) : FStyles(Styles) {}

    void SetMetrics(const TCharWidths& Widths, int LineHeight);
    const TCharWidths& CharWidths() const { return FCharWidths; }
    int LineHeight() const { return FLineHeight; }
    int Width(int Style, unsigned char Byte) const { return FCharWidths[Style & 3][Byte]; }

    // The x of the definition column.
    int Indent() const { return FIndent; }
    void SetIndent(int Indent) { FIndent = Indent; }

    const TDictionaryStyles& Styles() const { return FStyles; }

    // The text the view shows for an entry: headword, byte 1, body.
    static std::string DisplayText(const TWordItem& Item);

    // Lays Text out for right limit W (text may reach x = W): a soft break
    // goes after the spaces before every word that would pass W. A word with
    // no space before it on its line is never broken. The text ends at the
    // first byte 0, 2 or 16..31.
    void WrapEntry(TProcessedItem& Item, std::string_view Text, int W) const;
    // The lines WrapEntry would give, without building the text.
    int CountLines(std::string_view Text, int W) const;

private:
    int Wrap(std::string_view Text, int W, std::string* Out) const;

    const TDictionaryStyles& FStyles;
    TCharWidths FCharWidths{};
    int FLineHeight = 0;
    int FIndent = 0;
};

}  // namespace lirabo
