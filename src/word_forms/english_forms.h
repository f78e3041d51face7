#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lirabo {

// WordNet's morphology: what base forms an English word may be an inflection
// of. The exception lists come first, since an irregular form is what the
// rules would get wrong; then the detachment rules for nouns, verbs and
// adjectives, in that order. Word must be case-folded; the results are
// lower case, without repeats and without Word itself. A rule's result is a
// guess: only a dictionary can say whether "hous" or "house" is a word.
std::vector<std::string> EnglishBaseForms(std::string_view Word);

}  // namespace lirabo
