#pragma once

#include <string>
#include <vector>

namespace makrel {

// Checks a dictionary file thoroughly: the header, the checksum, the layout,
// every section (decodes, key, sort order, nothing after the last entry),
// in a UTF-8 file the text of the header and of every entry, and the
// relation block (offsets, lists, targets). Keys and order are checked by
// the rule of the file's encoding. Returns one line per
// problem; empty when the file is clean. Never raises for a bad file.
std::vector<std::string> VerifyDictionary(const std::string& FileName);

}  // namespace makrel
