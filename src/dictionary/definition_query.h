#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dictionary/text_rule.h"
#include "dictionary/wildcard_pattern.h"

namespace lirabo {

// What a definition search looks for. A query without wildcard bytes is a
// list of words separated by spaces: a definition matches when its plain
// text (see WalkPlainText) contains every one of them anywhere, as a find in
// a text editor does, so "river" also finds "rivers" and "riverbank". A
// query with `*`, `?` or `[` is one wildcard pattern that must cover the
// whole plain text, as a headword pattern covers the whole headword.
// Letters compare as the file's rule has it: without regard to ASCII case
// in Windows-1252 files, after NFC and simple case folding in UTF-8 files.
// Matches may run on several threads at once.
class TDefinitionQuery {
public:
    explicit TDefinitionQuery(std::string_view Query, TTextEncoding Encoding = TTextEncoding::Windows1252);

    // A query of nothing but spaces matches nothing.
    bool Empty() const { return !FIsPattern && FWords.empty(); }
    bool IsPattern() const { return FIsPattern; }

    // Whether the entry text Definition matches. Scratch is the caller's
    // buffer, one per thread, reused between calls.
    bool Matches(std::string_view Definition, std::string& Scratch) const;

    // The comparable texts (TTextRule::AppendComparable) every match
    // contains, for showing where it matched: the words, or a pattern's
    // literal runs of two bytes or more.
    const std::vector<std::string>& Pieces() const { return FPieces; }

private:
    TTextRule FRule;
    bool FIsPattern = false;
    std::vector<std::string> FWords;
    std::vector<std::string> FPieces;
    TWildcardPattern FPattern;
};

}  // namespace lirabo
