#include "dictionary_view/entry_layout.h"

#include <algorithm>

namespace lirabo {

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
    size_t breakPos = kNone;    // where the current line may break
    bool breakAtSpace = false;  // the break point is a space, the line breaks after the spaces there
    int breakX = 0;             // x at the break point (after the space)
    size_t copied = 0;
    size_t lineBegin = 0;  // where the current line starts: no break goes there
    size_t textEnd = 0;    // the byte after the last character measured
    FOpportunities.Reset();
    const std::vector<uint32_t>& opportunities = FOpportunities.Positions();
    size_t nextOpportunity = 0;

    // Copies the text up to At and puts a soft break there.
    auto insertBreak = [&](size_t At) {
        if (Out) {
            Out->append(Text.substr(copied, At - copied));
            Out->push_back(static_cast<char>(mcSoftBreak));
        }
        copied = At;
        lineBegin = At;
        ++lines;
        breakPos = kNone;
    };
    // Breaks the line at the break point; what was measured after it moves on.
    auto wrap = [&] {
        size_t start = breakPos;
        if (breakAtSpace)
            while (start < Text.size() && Text[start] == ' ')
                ++start;
        const int carried = x - breakX;
        insertBreak(start);
        x = lineStart + carried;
    };
    // Opportunities up to At are break points, the last one winning; only
    // codes, which take no room, stand between them and At.
    auto offerUpTo = [&](size_t At) {
        while (nextOpportunity < opportunities.size() && opportunities[nextOpportunity] <= At) {
            const size_t at = opportunities[nextOpportunity++];
            if (at > lineBegin) {
                breakPos = at;
                breakAtSpace = false;
                breakX = x;
            }
        }
    };

    size_t i = 0;
    while (i < Text.size()) {
        offerUpTo(i);
        const auto c = static_cast<unsigned char>(Text[i]);
        if (c < ' ') {
            if (c == mcEnd || IsInvalidCode(c))
                break;
            switch (c) {
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
                    lineBegin = i + 1;
                    break;
                default:
                    // Underline, strike-out and selection marks take no width.
                    FStyles.ApplyWidthCode(c, s, remembered);
                    break;
            }
            ++i;
            continue;
        }
        if (c == ' ') {
            x += FMeasure.Advance(s, ' ');
            breakPos = i;
            breakAtSpace = true;
            breakX = x;
            textEnd = ++i;
            continue;
        }
        const TMeasuredWord word = FMeasure.Measure(Text, i, s);
        if (!word.NoSpaces) {
            // No break inside the word: checking its end finds the same
            // overflow as checking each character would.
            x += word.Width;
            if (breakPos != kNone && x > W)
                wrap();
        } else {
            FOpportunities.Cover(Text, i);
            nextOpportunity =
                static_cast<size_t>(std::lower_bound(opportunities.begin(), opportunities.end(), textEnd) -
                                    opportunities.begin());
            FCells.clear();
            FMeasure.Measure(Text, i, s, &FCells);
            for (const TTextCell& cell : FCells) {
                offerUpTo(static_cast<size_t>(cell.Begin));
                x += cell.Width;
                if (breakPos != kNone && x > W)
                    wrap();
            }
        }
        i = textEnd = word.End;
    }
    if (Out)
        Out->append(Text.substr(copied, i - copied));
    return lines;
}

}  // namespace lirabo
