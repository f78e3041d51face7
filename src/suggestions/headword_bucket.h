#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lirabo {

// The headwords of one length in characters, kept as the dictionary writes
// them (UTF-8, one after another in one buffer) with a signature of each:
// which characters its folded form holds, in 64 bits. The signature rules
// most headwords out before any is folded and measured; folding the few
// left costs less than keeping every folded form, which would take four
// times the memory of the spellings.
struct THeadwordBucket {
    size_t Length = 0;  // characters per headword
    std::vector<uint64_t> Signatures;
    std::string Spellings;
    std::vector<uint32_t> SpellingEnds;

    size_t Count() const { return Signatures.size(); }
    std::string_view Spelling(size_t Index) const
    {
        const uint32_t start = Index == 0 ? 0 : SpellingEnds[Index - 1];
        return std::string_view(Spellings).substr(start, SpellingEnds[Index] - start);
    }
    size_t MemoryBytes() const
    {
        return Signatures.capacity() * sizeof(uint64_t) + Spellings.capacity() +
               SpellingEnds.capacity() * sizeof(uint32_t);
    }
};

// One bit per character present, by its low six bits. Each character one
// word holds and the other lacks takes an edit of its own, so two words
// whose signatures differ in more than K bits on either side are more than
// K edits apart.
inline uint64_t CharacterSignature(const char32_t* Characters, size_t Length)
{
    uint64_t signature = 0;
    for (size_t i = 0; i < Length; ++i)
        signature |= uint64_t{1} << (Characters[i] & 63);
    return signature;
}

}  // namespace lirabo
