#pragma once

#include <ostream>
#include <string>

namespace makrel {

// `makrel suggest FILE WORD`: the headwords of File spelt close to Word
// (UTF-8), best first, one a line as the other listings print text; nothing
// when none is close. Returns 0. Raises std::runtime_error "FILE: reason"
// when File cannot be read, and "WORD: invalid UTF-8" for such a Word (a
// misspelling of bytes has no spelling to be close to).
int RunSuggest(const std::string& File, const std::string& Word, std::ostream& Out);

}  // namespace makrel
