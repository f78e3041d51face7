#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace lirabo {

// A word compiled for measuring many others against it: the optimal string
// alignment distance (insertions, deletions, substitutions and swaps of two
// neighbours, no character edited twice) by Hyyrö's bit-vector method, one
// machine word per column, so a comparison costs a few operations per
// character of the other word. Immutable once built: safe on any thread.
class TOsaPattern {
public:
    // The bit vectors hold one row per character of the pattern.
    static constexpr size_t kMaxLength = 64;

    // Word: 1..kMaxLength characters (longer ones are cut there).
    explicit TOsaPattern(std::u32string_view Word);

    size_t Length() const { return FLength; }

    // The distance of Text from the pattern, or Limit + 1 as soon as it is
    // certain to exceed Limit.
    int Distance(const char32_t* Text, size_t Length, int Limit) const;

private:
    // Characters below this take their row set from a table, which holds
    // Latin, Greek, Cyrillic, Hebrew and Arabic; others are looked up.
    static constexpr char32_t kTableUnits = 0x800;

    uint64_t Rows(char32_t C) const;

    size_t FLength = 0;
    std::array<uint64_t, kTableUnits> FTable{};          // rows holding each character
    std::vector<std::pair<char32_t, uint64_t>> FOthers;  // the same above the table, sorted
};

}  // namespace lirabo
