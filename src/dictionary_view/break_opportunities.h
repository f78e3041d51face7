#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lirabo {

// Where a line of entry text may break other than after a space: between
// the characters of scripts written without spaces (Chinese, Japanese,
// Thai, ...), as the Unicode line-breaking rules allow. Text is looked at a
// stretch at a time, a stretch running between spaces and the codes that
// end a line or the text; only stretches that hold such characters are
// handed to the rules, and only breaks beside such a character are taken,
// so that Latin, Greek or Cyrillic text breaks at its spaces as it always did.
class TBreakOpportunities {
public:
    // Finds the breaks of the stretch of Text holding Text[At], unless it is
    // the stretch already covered.
    void Cover(std::string_view Text, size_t At);

    // The breaks found, ascending: each the byte after the character before
    // the break, so that codes between the two characters go to the new line.
    const std::vector<uint32_t>& Positions() const { return FPositions; }

    // Forgets what was covered, for a new text.
    void Reset();

private:
    size_t FBegin = 0;
    size_t FEnd = 0;
    std::vector<uint32_t> FPositions;
    std::string FPlain;
    std::vector<uint32_t> FSource;  // the text byte of each plain byte
    std::vector<uint32_t> FBreaks;
};

}  // namespace lirabo
