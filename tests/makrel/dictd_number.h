#pragma once

#include <cstdint>
#include <string>

namespace makrel::test {

// A number in dictd's base-64 digits, for index lines written by tests.
inline std::string DictdNumber(uint64_t Value)
{
    static const char* const kDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string digits;
    do {
        digits.insert(digits.begin(), kDigits[Value % 64]);
        Value /= 64;
    } while (Value > 0);
    return digits;
}

}  // namespace makrel::test
