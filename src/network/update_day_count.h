#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace lirabo::network {

// "UpdatedDate" is stored as 8 bytes: a little-endian IEEE 754 double, the
// day count since 30 December 1899.
std::array<char, 8> EncodeDayCount(double DayCount);
// The day count of Stored, or nothing unless it is exactly 8 bytes holding a
// finite number.
std::optional<double> DecodeDayCount(std::string_view Stored);

// The automatic check is due when the whole number of days between the last
// check and Now (both day counts; Now with its time of day as fraction),
// without sign, is 7 or more. A date in the future counts the same way, so a
// clock set back does not silence the check for years.
bool UpdateCheckDue(double UpdatedDate, double Now);

}  // namespace lirabo::network
