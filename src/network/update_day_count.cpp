#include "network/update_day_count.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace lirabo::network {

namespace {

constexpr int kDaysBetweenChecks = 7;

}  // namespace

std::array<char, 8> EncodeDayCount(double DayCount)
{
    const auto bits = std::bit_cast<uint64_t>(DayCount);
    std::array<char, 8> bytes{};
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    return bytes;
}

std::optional<double> DecodeDayCount(std::string_view Stored)
{
    if (Stored.size() != 8)
        return std::nullopt;
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= static_cast<uint64_t>(static_cast<unsigned char>(Stored[i])) << (8 * i);
    const auto value = std::bit_cast<double>(bits);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

bool UpdateCheckDue(double UpdatedDate, double Now)
{
    return std::trunc(std::fabs(Now - UpdatedDate)) >= kDaysBetweenChecks;
}

}  // namespace lirabo::network
