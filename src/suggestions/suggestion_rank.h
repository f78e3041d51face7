#pragma once

#include <compare>
#include <string_view>

namespace lirabo {

// Where a suggestion stands among others for the same misspelt word. Fewer
// edits come first. Among equal edits the likely word is the one that
// - differs only in accents the writer left off or got wrong: fewer edits
//   between the two as base letters ("uber": "über" before "Huber");
// - keeps more of the word's beginning, where writers go wrong least
//   ("recieve": "receive" before "relieve"), also counted on base letters;
// - is nearer the word's length.
// What is still equal goes by the folded characters' order, so that the
// answer never depends on where a word stands in the file.
struct TSuggestionRank {
    int Distance = 0;         // edits on folded characters
    int BaseDistance = 0;     // edits on base letters
    int CommonBeginning = 0;  // base letters both begin with
    int LengthGap = 0;        // characters more or fewer than the word

    // Word and Candidate are folded characters; WordBase the word's base
    // letters, computed once per query.
    static TSuggestionRank Of(std::u32string_view Word, std::u32string_view WordBase,
                              std::u32string_view Candidate, int Distance);

    std::weak_ordering operator<=>(const TSuggestionRank& Other) const;
    bool operator==(const TSuggestionRank& Other) const = default;
};

// The optimal string alignment distance of A and B by the textbook table:
// for short words, where building a bit-vector pattern would not pay.
int OsaDistance(std::u32string_view A, std::u32string_view B);

}  // namespace lirabo
