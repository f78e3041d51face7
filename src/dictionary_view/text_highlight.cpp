#include "dictionary_view/text_highlight.h"

#include <algorithm>
#include <utility>

#include "dictionary/plain_text.h"
#include "dictionary_view/markup.h"

namespace lirabo {

void MarkPieces(std::string& Text, const std::vector<std::string>& Pieces)
{
    if (Pieces.empty())
        return;
    std::string plain;
    std::vector<size_t> source;  // the index in Text of each plain byte
    plain.reserve(Text.size());
    source.reserve(Text.size());
    WalkPlainText(Text, [&](unsigned char Byte, size_t Index) {
        plain.push_back(static_cast<char>(Byte));
        source.push_back(Index);
    });

    std::vector<std::pair<size_t, size_t>> ranges;  // [first, last] bytes of Text
    for (const std::string& piece : Pieces) {
        if (piece.empty())
            continue;
        for (size_t at = plain.find(piece); at != std::string::npos; at = plain.find(piece, at + 1))
            ranges.emplace_back(source[at], source[at + piece.size() - 1]);
    }
    if (ranges.empty())
        return;
    std::sort(ranges.begin(), ranges.end());
    std::string marked;
    marked.reserve(Text.size() + 2 * ranges.size());
    size_t copied = 0;
    for (size_t r = 0; r < ranges.size();) {
        const size_t first = ranges[r].first;
        size_t last = ranges[r].second;
        for (++r; r < ranges.size() && ranges[r].first <= last + 1; ++r)
            last = std::max(last, ranges[r].second);
        marked.append(Text, copied, first - copied);
        marked += static_cast<char>(mcSelStart);
        marked.append(Text, first, last - first + 1);
        marked += static_cast<char>(mcSelEnd);
        copied = last + 1;
    }
    marked.append(Text, copied);
    Text = std::move(marked);
}

std::string WithoutMarks(const std::string& Text)
{
    std::string plain = Text;
    std::erase_if(plain, [](char c) { return c == static_cast<char>(mcSelStart) || c == static_cast<char>(mcSelEnd); });
    return plain;
}

}  // namespace lirabo
