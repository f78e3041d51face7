#pragma once

#include <array>
#include <string>
#include <string_view>

#include "dictionary/text_encoding.h"

namespace lirabo {

// Everything that compares a file's text, by the file's encoding. Windows-1252
// files keep their rule: bytes compared as unsigned values after mapping
// only a-z to A-Z. UTF-8 files compare characters after simple case folding
// (see utf8_text.h). In both, a string sorts before every longer string that
// begins with it.
class TTextRule {
public:
    explicit TTextRule(TTextEncoding Encoding = TTextEncoding::Windows1252) : FEncoding(Encoding) {}

    TTextEncoding Encoding() const { return FEncoding; }
    bool Utf8() const { return FEncoding == TTextEncoding::Utf8; }

    // Negative, zero or positive as A sorts before, equal to or after B.
    int Compare(std::string_view A, std::string_view B) const;
    // Whether Word begins with Prefix by the comparison's rule.
    bool StartsWith(std::string_view Word, std::string_view Prefix) const;

    // A search text as the file's headwords are written: in NFC for UTF-8.
    std::string Prepare(std::string_view Text) const;

    // The section key of a headword: its first four bytes (Windows-1252) or
    // its first four folded bytes (UTF-8), padded with zero bytes.
    std::array<unsigned char, 4> SectionKey(std::string_view Headword) const;
    // The part of a search text that is compared with section keys, and the
    // comparison itself. A key that compares equal leaves the section's
    // place undecided; below or above are certain.
    std::string KeyPrefix(std::string_view Text) const;
    int CompareKey(std::string_view Prefix, const std::array<unsigned char, 4>& Key) const;

    // Appends Text in a form where equal-by-rule text is equal bytes and a
    // plain byte search finds a word: ASCII upper-cased (Windows-1252), the
    // folded bytes (UTF-8).
    void AppendComparable(std::string& Out, std::string_view Text) const;

private:
    TTextEncoding FEncoding;
};

}  // namespace lirabo
