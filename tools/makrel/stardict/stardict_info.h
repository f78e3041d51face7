#pragma once

#include <istream>
#include <map>
#include <string>

namespace makrel {

// The .ifo file of a StarDict dictionary: a magic first line, then
// key=value lines (bookname, wordcount, idxoffsetbits, sametypesequence,
// description, ...), values in UTF-8.
class TStarDictInfo {
public:
    // Raises EInputError when the magic line is missing or a known number is
    // malformed.
    void Read(std::istream& In);
    void ReadFile(const std::string& FileName);

    std::string Get(const std::string& Key) const;
    // 32 or 64: the width of the offsets in the .idx file.
    int OffsetBits() const { return FOffsetBits; }
    const std::string& TypeSequence() const { return FTypeSequence; }

private:
    std::map<std::string, std::string> FValues;
    int FOffsetBits = 32;
    std::string FTypeSequence;
};

}  // namespace makrel
