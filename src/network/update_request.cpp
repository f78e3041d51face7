#include "network/update_request.h"

#include <charconv>
#include <cmath>

namespace lirabo::network {

std::string FormatDayCount(double DayCount, std::string_view DecimalSeparator)
{
    // The largest double needs 309 digits in fixed notation.
    char buffer[400];
    if (!std::isfinite(DayCount) || DayCount == 0)
        return "0";
    if (std::trunc(DayCount) == DayCount) {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, DayCount, std::chars_format::fixed, 0);
        return std::string(buffer, result.ptr);
    }
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, DayCount, std::chars_format::general, 15);
    std::string text(buffer, result.ptr);
    const size_t point = text.find('.');
    if (point != std::string::npos)
        text.replace(point, 1, DecimalSeparator);
    return text;
}

std::string BuildUpdateBody(uint16_t Build, double UpdatedDate, std::string_view DecimalSeparator)
{
    return "build=" + std::to_string(Build) + "&lastupd=" + FormatDayCount(UpdatedDate, DecimalSeparator);
}

std::string BuildUpdateRequest(std::string_view Host, std::string_view Body)
{
    std::string request;
    request += "POST /lirabo/chkupd.php HTTP/1.0\r\n";
    request += "Connection: close\r\n";
    request += "Host: ";
    request += Host;
    request += "\r\n";
    request += "User-Agent: Lirabo/3.0\r\n";
    request += "Content-type: application/x-www-form-urlencoded\r\n";
    request += "Content-Length: " + std::to_string(Body.size()) + "\r\n";
    request += "\r\n";
    request += Body;
    request += "\r\n";
    return request;
}

}  // namespace lirabo::network
