#pragma once

#include <string>
#include <vector>

namespace makrel {

// Checks a dictionary file thoroughly: the header, the checksum, the layout,
// every section (decodes, key, sort order, nothing after the last entry) and
// the relation block (offsets, lists, targets). Returns one line per
// problem; empty when the file is clean. Never raises for a bad file.
std::vector<std::string> VerifyDictionary(const std::string& FileName);

}  // namespace makrel
