#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lirabo {

// WordNet's irregular English forms (went, mice, geese, better), compiled in
// from its exception lists at build time (make_exception_table).
struct TEnglishException {
    const char* Form;   // lower case, spaces between words
    const char* Bases;  // tab-separated, nouns' first, then verbs', adjectives', adverbs'
};

// Sorted by Form's bytes, one row per form.
extern const TEnglishException kEnglishExceptions[];
extern const size_t kEnglishExceptionCount;

// The bases the lists give for Form (lower case), in the order above; empty
// when Form is not an exception.
std::vector<std::string> EnglishExceptionBases(std::string_view Form);

}  // namespace lirabo
