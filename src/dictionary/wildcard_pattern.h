#pragma once

#include <bitset>
#include <string_view>
#include <vector>

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
class TWildcardPattern {
public:
    // Pattern must already be upper-cased (ASCII letters only).
    explicit TWildcardPattern(std::string_view Pattern);

    // Text must already be upper-cased (ASCII letters only).
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

    static Token CompileSet(std::string_view Pattern, size_t First, size_t& Next);

    std::vector<Token> FTokens;
};

// Whether Text matches Pattern as a whole; both already upper-cased.
bool WildcardMatch(std::string_view Text, std::string_view Pattern);

}  // namespace lirabo
