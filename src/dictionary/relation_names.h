#pragma once

#include <string>

namespace lirabo {

// The fixed names of the relation listing: index 0 and below are parts of
// speech (0 "Noun", -1 "Verb", -2 "Adjective", -3 "Adverb"), 1..100 the
// relation codes. Indices outside -3..100, and codes without a name, give
// the empty text.
const std::string& RelationName(int Index);

// The name that replaces a heading row's text ("+-2" or "+33"): the rest of
// the text read as a signed decimal number and looked up in the table. Text
// that is not a heading is returned unchanged.
std::string NameRelationRow(const std::string& Text);

// The text a listing shows for a row with Mark: a heading (negative mark) is
// named; a related entry's headword is shown as it is, even when it starts
// with "+".
std::string RelationRowText(int Mark, const std::string& Text);

}  // namespace lirabo
