#pragma once

#include <bitset>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/text_encoding.h"

namespace lirabo {

// A wildcard pattern compiled for repeated matching against whole headwords:
// `*` any run of bytes, `?` one byte, `[...]` one byte of a set of single
// bytes and ranges x-y, any other byte itself. Matching takes time
// proportional to text length times pattern length, never exponential.
//
// A set is compiled by running its reading rules for each of the 256 byte
// values, so its quirks carry over exactly: a `-` first in a set is a range
// from byte 0; a `-` directly before `]` fails unless an earlier byte of the
// set already hit; a range whose bound is missed goes on reading from that
// bound. A set without its closing `]` matches nothing.
//
// For a UTF-8 file the same rules apply to characters instead of bytes,
// after NFC and simple case folding of pattern and text: `?` is one
// character, sets and ranges hold characters, and each invalid byte of the
// text is one character above all others.
class TWildcardPattern {
public:
    // Pattern must already be upper-cased (ASCII letters only).
    explicit TWildcardPattern(std::string_view Pattern);
    // A pattern for a file in Encoding; a UTF-8 pattern is taken as typed.
    TWildcardPattern(std::string_view Pattern, TTextEncoding Encoding);

    bool Utf8() const { return FUtf8; }

    // Windows-1252: Text must already be upper-cased (ASCII letters only).
    // UTF-8: Text as the file holds it.
    bool Matches(std::string_view Text) const;

    // The bytes that text position Index can hold in a match, when the
    // pattern fixes that position to one byte class (every token before it
    // matches exactly one byte); false otherwise.
    bool BytesAt(size_t Index, std::bitset<256>& Bytes) const;

private:
    struct Token {
        bool Star = false;
        std::bitset<256> Bytes;  // the bytes a non-star token accepts
    };

    // A character of a UTF-8 pattern: a star (Star), any character (Any),
    // one character (Units holds it) or a set (Units holds its folded
    // characters up to the closing `]`, to run the reading rules on).
    struct UnitToken {
        enum { Star, Any, One, Set, Nothing } Kind = One;
        std::u32string Units;
    };

    static Token CompileSet(std::string_view Pattern, size_t First, size_t& Next);
    void CompileUnits(std::string_view Pattern);
    bool MatchesUnits(std::u32string_view Text) const;

    bool FUtf8 = false;
    std::vector<Token> FTokens;
    std::vector<UnitToken> FUnitTokens;
};

// Whether Text matches Pattern as a whole; both already upper-cased.
bool WildcardMatch(std::string_view Text, std::string_view Pattern);

}  // namespace lirabo
