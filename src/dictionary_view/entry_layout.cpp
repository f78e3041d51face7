#include "dictionary_view/entry_layout.h"

namespace lirabo {

void TEntryLayout::SetMetrics(const TCharWidths& Widths, int LineHeight)
{
    FCharWidths = Widths;
    FLineHeight = LineHeight;
}

std::string TEntryLayout::DisplayText(const TWordItem& Item)
{
    std::string text;
    text.reserve(Item.Word.size() + 1 + Item.Definition.size());
    text += Item.Word;
    text += static_cast<char>(mcBody);
    text += Item.Definition;
    return text;
}

void TEntryLayout::WrapEntry(TProcessedItem& Item, std::string_view Text, int W) const
{
    Item.Text.clear();
    Item.Text.reserve(Text.size() + Text.size() / 16 + 4);
    Item.Lines = Wrap(Text, W, &Item.Text);
}

int TEntryLayout::CountLines(std::string_view Text, int W) const
{
    return Wrap(Text, W, nullptr);
}

int TEntryLayout::Wrap(std::string_view Text, int W, std::string* Out) const
{
    constexpr size_t kNone = std::string_view::npos;
    int x = kLeftMargin;
    int lineStart = kLeftMargin;
    int lines = 1;
    int s = FStyles.WidthStyle(deEntry);
    int remembered = 0;
    size_t breakPos = kNone;  // the last space on the current line
    int breakX = 0;           // x just after that space
    size_t copied = 0;

    // Copies the text up to At and puts a soft break there.
    auto insertBreak = [&](size_t At) {
        if (Out) {
            Out->append(Text.substr(copied, At - copied));
            Out->push_back(static_cast<char>(mcSoftBreak));
        }
        copied = At;
        ++lines;
        breakPos = kNone;
    };

    size_t i = 0;
    for (; i < Text.size(); ++i) {
        const auto c = static_cast<unsigned char>(Text[i]);
        if (c > 32) {
            x += FCharWidths[s][c];
            if (breakPos != kNone && x > W) {
                size_t start = breakPos;
                while (start < i && Text[start] == ' ')
                    ++start;
                // The part of the word measured so far moves to the new line.
                const int carried = x - breakX;
                insertBreak(start);
                x = lineStart + carried;
            }
            continue;
        }
        if (c == mcEnd || IsInvalidCode(c))
            break;
        switch (c) {
            case ' ':
                x += FCharWidths[s][c];
                breakPos = i;
                breakX = x;
                break;
            case mcBody:
                if (x >= FIndent)
                    insertBreak(i);
                lineStart = FIndent;
                x = FIndent;
                s = FStyles.WidthStyle(deDefinition);
                break;
            case mcLineBreak:
            case mcSoftBreak:
                x = lineStart;
                ++lines;
                breakPos = kNone;
                break;
            default:
                // Underline, strike-out and selection marks take no width.
                FStyles.ApplyWidthCode(c, s, remembered);
                break;
        }
    }
    if (Out)
        Out->append(Text.substr(copied, i - copied));
    return lines;
}

}  // namespace lirabo
