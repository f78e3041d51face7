#include "makrel/dictd/wrap_column.h"

#include <algorithm>

#include "dictionary/utf8_text.h"

namespace makrel {

namespace {

// Fewer lines than this say nothing about the source.
constexpr uint64_t kMinLines = 24;
// Below the wall: the band of columns where wrapped lines end.
constexpr int kBand = 8;
// At most this share (per mille) of all lines may run past the wall: some
// sources wrap most text and leave a few long addresses or tables.
constexpr uint64_t kMaxLongerPerMille = 30;
// At least this share (per cent) of the lines that reach half the wall
// must end in the band: a greedy wrap leaves most lines of a paragraph there.
constexpr uint64_t kMinBandPercent = 15;
// Columns on either side of a wall compared to find it.
constexpr int kWindow = 4;
// The columns before the wall must hold this many times the lines of those
// after it: a smooth spread of lengths falls by a few per cent a column.
constexpr uint64_t kMinFall = 4;

// The columns a character beyond ASCII takes in the fixed-width text these
// sources were wrapped in: none for a combining mark or an invisible
// joiner, two for the wide characters of East Asian scripts, one for
// anything else, a byte that is not UTF-8 among them (a legacy code page's
// letter).
int Columns(char32_t C)
{
    if ((C >= 0x0300 && C <= 0x036F) || (C >= 0x1AB0 && C <= 0x1AFF) || (C >= 0x1DC0 && C <= 0x1DFF) ||
        (C >= 0x200B && C <= 0x200F) || (C >= 0x20D0 && C <= 0x20FF) || (C >= 0xFE00 && C <= 0xFE0F) ||
        (C >= 0xFE20 && C <= 0xFE2F) || C == 0xFEFF)
        return 0;
    if ((C >= 0x1100 && C <= 0x115F) || (C >= 0x2E80 && C <= 0x303E) || (C >= 0x3041 && C <= 0xA4CF) ||
        (C >= 0xAC00 && C <= 0xD7A3) || (C >= 0xF900 && C <= 0xFAFF) || (C >= 0xFE30 && C <= 0xFE4F) ||
        (C >= 0xFF00 && C <= 0xFF60) || (C >= 0xFFE0 && C <= 0xFFE6) || (C >= 0x20000 && C <= 0x3FFFD))
        return 2;
    return 1;
}

}  // namespace

int TWrapColumn::Width(std::string_view Text)
{
    int width = 0;
    size_t i = 0;
    while (i < Text.size()) {
        if (static_cast<unsigned char>(Text[i]) < 0x80) {
            ++width;
            ++i;
            continue;
        }
        width += Columns(lirabo::NextUnit(Text, i));
    }
    return width;
}

void TWrapColumn::Add(std::string_view Text)
{
    while (!Text.empty()) {
        const size_t end = std::min(Text.find('\n'), Text.size());
        std::string_view line = Text.substr(0, end);
        Text.remove_prefix(std::min(end + 1, Text.size()));
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
            line.remove_suffix(1);
        if (line.empty())
            continue;
        ++FLines;
        ++FCount[std::min(Width(line), kMaxColumn + 1)];
    }
}

uint64_t TWrapColumn::Lines(int From, int To) const
{
    uint64_t lines = 0;
    for (int length = std::max(From, 0); length <= std::min(To, kMaxColumn + 1); ++length)
        lines += FCount[length];
    return lines;
}

int TWrapColumn::Column() const
{
    if (FLines < kMinLines)
        return 0;
    // The wall is where the count of lines falls most steeply, taken over a
    // few columns on either side so that a small source shows it too.
    int wall = 0;
    uint64_t steepest = 0;
    for (int length = kMinColumn; length <= kMaxColumn; ++length) {
        const uint64_t before = Lines(length - kWindow + 1, length);
        const uint64_t after = Lines(length + 1, length + kWindow);
        if (before > after && before - after > steepest) {
            steepest = before - after;
            wall = length;
        }
    }
    if (wall == 0 || Lines(wall - kWindow + 1, wall) < kMinFall * Lines(wall + 1, wall + kWindow))
        return 0;
    const uint64_t longer = Lines(wall + 1, kMaxColumn + 1);
    const uint64_t band = Lines(wall - kBand + 1, wall);
    const uint64_t reaching = Lines(wall / 2, kMaxColumn + 1);
    if (longer * 1000 > FLines * kMaxLongerPerMille || band * 100 < reaching * kMinBandPercent)
        return 0;
    return wall;
}

}  // namespace makrel
