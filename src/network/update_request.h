#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lirabo::network {

// The last-check date as the request carries it: a whole day count as a
// plain decimal number without separator; a count with a fraction with up
// to 15 significant digits and DecimalSeparator (the user's) in place of the
// point. 0 (the value of "never checked") is "0".
std::string FormatDayCount(double DayCount, std::string_view DecimalSeparator);

// "build=<Build>&lastupd=<date>", without blanks.
std::string BuildUpdateBody(uint16_t Build, double UpdatedDate, std::string_view DecimalSeparator);

// The whole request: the POST line, the header lines, an empty line and the
// body, each line ended by CR LF. Host is the server's name without port.
std::string BuildUpdateRequest(std::string_view Host, std::string_view Body);

}  // namespace lirabo::network
