#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lirabo {

// The headwords of one length in characters, stored for a scan that reads
// them one after another: the folded characters of all of them in one
// buffer, a signature of each (which characters it holds, 64 bits) that
// rules most words out before any distance is measured, and how the
// dictionary writes each one, in UTF-8.
struct THeadwordBucket {
    size_t Length = 0;                  // characters per headword
    std::vector<char32_t> Characters;   // Length per headword, folded
    std::vector<uint64_t> Signatures;
    std::string Spellings;              // one after another
    std::vector<uint32_t> SpellingEnds;

    size_t Count() const { return Signatures.size(); }
    const char32_t* Folded(size_t Index) const { return Characters.data() + Index * Length; }
    std::string_view Spelling(size_t Index) const
    {
        const uint32_t start = Index == 0 ? 0 : SpellingEnds[Index - 1];
        return std::string_view(Spellings).substr(start, SpellingEnds[Index] - start);
    }
    size_t MemoryBytes() const
    {
        return Characters.capacity() * sizeof(char32_t) + Signatures.capacity() * sizeof(uint64_t) +
               Spellings.capacity() + SpellingEnds.capacity() * sizeof(uint32_t);
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
