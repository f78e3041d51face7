#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace lirabo {

// The visual order of one screen line that holds right-to-left text, by the
// Unicode bidirectional algorithm with a left-to-right paragraph: a run of
// right-to-left words reads from the right, the first word rightmost, and
// numbers inside it keep their own order. The line is given as units (a
// character measured alone, or a shaped word, which keeps its inner order):
// Text is the line's characters in UTF-16 and Starts[k] where unit k begins
// in it, ascending. Never raises; when ICU cannot order the line, it stays
// in text order.
class TBidiOrder {
public:
    void Order(std::u16string_view Text, std::span<const uint32_t> Starts);

    // Unit indexes from the left edge of the line to the right.
    const std::vector<int32_t>& Visual() const { return FVisual; }
    // Whether unit k runs right to left (an odd embedding level).
    bool RightToLeft(size_t Unit) const { return (FUnitLevels[Unit] & 1) != 0; }

private:
    std::vector<uint8_t> FUnitLevels;
    std::vector<int32_t> FVisual;
};

}  // namespace lirabo
