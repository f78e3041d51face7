#include "dictionary_view/text_highlight.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "dictionary/plain_text.h"
#include "dictionary/utf8_text.h"
#include "dictionary_view/markup.h"

namespace lirabo {

namespace {

// The plain text of an entry folded, with where each folded byte's
// character stands in the entry.
struct TFoldedText {
    std::string Folded;
    std::vector<uint32_t> Begin;  // per folded byte: its character's first byte
    std::vector<uint32_t> End;    // and the byte after its last one
};

TFoldedText Fold(const std::string& Text)
{
    std::string plain;
    std::vector<uint32_t> source;
    plain.reserve(Text.size());
    source.reserve(Text.size());
    WalkPlainBytes(Text, [&](unsigned char Byte, size_t Index) {
        plain.push_back(static_cast<char>(Byte));
        source.push_back(static_cast<uint32_t>(Index));
    });
    TFoldedText folded;
    folded.Folded.reserve(plain.size());
    for (size_t i = 0; i < plain.size();) {
        const size_t from = i;
        NextUnit(plain, i);
        // One character at a time through the engine's own folding.
        AppendFoldedBytes(folded.Folded, std::string_view(plain).substr(from, i - from));
        folded.Begin.resize(folded.Folded.size(), source[from]);
        folded.End.resize(folded.Folded.size(), source[i - 1] + 1);
    }
    return folded;
}

}  // namespace

void MarkPieces(std::string& Text, const std::vector<std::string>& Pieces)
{
    std::vector<std::string> pieces;
    for (const std::string& piece : Pieces) {
        if (piece.empty())
            continue;
        std::string folded;
        AppendFoldedBytes(folded, piece);
        pieces.push_back(std::move(folded));
    }
    if (pieces.empty())
        return;
    const TFoldedText plain = Fold(Text);

    // Folded text is UTF-8, and so is every piece: a match found byte by
    // byte starts and ends between characters.
    std::vector<std::pair<size_t, size_t>> ranges;  // [first, end) bytes of Text
    for (const std::string& piece : pieces)
        for (size_t at = plain.Folded.find(piece); at != std::string::npos;
             at = plain.Folded.find(piece, at + 1))
            ranges.emplace_back(plain.Begin[at], plain.End[at + piece.size() - 1]);
    if (ranges.empty())
        return;
    std::sort(ranges.begin(), ranges.end());
    std::string marked;
    marked.reserve(Text.size() + 2 * ranges.size());
    size_t copied = 0;
    for (size_t r = 0; r < ranges.size();) {
        const size_t first = ranges[r].first;
        size_t end = ranges[r].second;
        for (++r; r < ranges.size() && ranges[r].first <= end; ++r)
            end = std::max(end, ranges[r].second);
        marked.append(Text, copied, first - copied);
        marked += static_cast<char>(mcSelStart);
        marked.append(Text, first, end - first);
        marked += static_cast<char>(mcSelEnd);
        copied = end;
    }
    marked.append(Text, copied);
    Text = std::move(marked);
}

std::string WithoutMarks(const std::string& Text)
{
    std::string plain = Text;
    std::erase_if(
        plain, [](char c) { return c == static_cast<char>(mcSelStart) || c == static_cast<char>(mcSelEnd); });
    return plain;
}

}  // namespace lirabo
