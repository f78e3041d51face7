#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace makrel {

// One line of a dictd index: the headword as the index spells it (dictd
// tools usually fold it to lower case without punctuation) and where its
// article lies in the data file.
struct TDictdIndexEntry {
    std::string Word;  // UTF-8
    uint64_t Offset = 0;
    uint64_t Length = 0;
};

// Reads the lines `word<TAB>offset<TAB>length` of a dictd index, the
// numbers in dictd's base-64 digits. Raises EInputError naming the line on
// a malformed line, std::runtime_error when the file cannot be read.
std::vector<TDictdIndexEntry> ReadDictdIndex(std::istream& In);
std::vector<TDictdIndexEntry> ReadDictdIndexFile(const std::string& FileName);

// True for the index's own description entries (00-database-info and the
// like), which are not words of the dictionary.
bool IsDictdMetadata(const std::string& Word);

}  // namespace makrel
