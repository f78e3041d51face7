#include "dictionary/text_rule.h"

#include <cstring>

#include "dictionary/utf8_text.h"
#include "dictionary/word_order.h"

namespace lirabo {

int TTextRule::Compare(std::string_view A, std::string_view B) const
{
    return Utf8() ? CompareUtf8Words(A, B) : CompareWords(A, B);
}

bool TTextRule::StartsWith(std::string_view Word, std::string_view Prefix) const
{
    if (Utf8())
        return Utf8StartsWith(Word, Prefix);
    return Word.size() >= Prefix.size() && CompareWords(Word.substr(0, Prefix.size()), Prefix) == 0;
}

std::string TTextRule::Prepare(std::string_view Text) const
{
    return Utf8() ? NormalizeNfc(Text) : std::string(Text);
}

std::array<unsigned char, 4> TTextRule::SectionKey(std::string_view Headword) const
{
    if (Utf8())
        return Utf8SectionKey(Headword);
    std::array<unsigned char, 4> key{};
    for (size_t i = 0; i < key.size() && i < Headword.size(); ++i)
        key[i] = static_cast<unsigned char>(Headword[i]);
    return key;
}

std::string TTextRule::KeyPrefix(std::string_view Text) const
{
    if (!Utf8())
        return std::string(Text.substr(0, 4));
    return FoldedPrefix(Text, 4);
}

int TTextRule::CompareKey(std::string_view Prefix, const std::array<unsigned char, 4>& Key) const
{
    if (!Utf8())
        return CompareWords(Prefix, KeyView(Key));
    // Folded bytes order as the folded characters do, so the key compares
    // as plain bytes, its zero padding included.
    const std::string_view key = KeyView(Key);
    const int c = std::memcmp(Prefix.data(), key.data(), std::min(Prefix.size(), key.size()));
    if (c != 0)
        return c < 0 ? -1 : 1;
    return Prefix.size() == key.size() ? 0 : (Prefix.size() < key.size() ? -1 : 1);
}

void TTextRule::AppendComparable(std::string& Out, std::string_view Text) const
{
    if (Utf8()) {
        AppendFoldedBytes(Out, Text);
        return;
    }
    for (const char c : Text)
        Out.push_back(static_cast<char>(UpperAscii(static_cast<unsigned char>(c))));
}

}  // namespace lirabo
