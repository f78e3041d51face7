#pragma once

#include <ostream>
#include <string>

namespace makrel {

// `makrel forms FILE WORD`: prints the headwords of File that Word (UTF-8)
// is an inflected form of, one a line, most likely first, in the language
// the file's header gives its headwords; returns 0, with nothing printed
// when there are none. Returns 1 with a note on Err when no forms can be
// known: the file names no headword language, or nothing that knows the
// language's forms is installed. A failure raises std::runtime_error whose
// message begins with what failed ("FILE: ...", "WORD: ...").
int RunForms(const std::string& File, const std::string& Word, std::ostream& Out, std::ostream& Err);

}  // namespace makrel
