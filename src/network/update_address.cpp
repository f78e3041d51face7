#include "network/update_address.h"

namespace lirabo::network {

namespace {

bool IsSpace(char C)
{
    return C == ' ' || C == '\t' || C == '\r' || C == '\n';
}

bool IsAlpha(char C)
{
    return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z');
}

bool IsDigit(char C)
{
    return C >= '0' && C <= '9';
}

// Unreserved, reserved and '%' of RFC 3986.
bool IsAddressCharacter(char C)
{
    if (IsAlpha(C) || IsDigit(C))
        return true;
    static constexpr std::string_view kOthers = "-._~:/?#[]@!$&'()*+,;=%";
    return kOthers.find(C) != std::string_view::npos;
}

bool StartsWithNoCase(std::string_view Text, std::string_view Prefix)
{
    if (Text.size() < Prefix.size())
        return false;
    for (size_t i = 0; i < Prefix.size(); ++i) {
        char c = Text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != Prefix[i])
            return false;
    }
    return true;
}

// The authority's host and optional port: a name or a bracketed address,
// not empty, with only digits after a port colon.
bool ValidAuthority(std::string_view Authority)
{
    const size_t at = Authority.rfind('@');
    std::string_view hostPort = at == std::string_view::npos ? Authority : Authority.substr(at + 1);
    std::string_view port;
    if (!hostPort.empty() && hostPort.front() == '[') {
        const size_t close = hostPort.find(']');
        if (close == std::string_view::npos || close == 1)
            return false;
        const std::string_view after = hostPort.substr(close + 1);
        if (!after.empty() && after.front() != ':')
            return false;
        port = after.empty() ? after : after.substr(1);
    } else {
        const size_t colon = hostPort.find(':');
        const std::string_view host = hostPort.substr(0, colon);
        if (host.empty() || host.find_first_of("[]") != std::string_view::npos)
            return false;
        if (colon != std::string_view::npos)
            port = hostPort.substr(colon + 1);
    }
    for (char c : port)
        if (!IsDigit(c))
            return false;
    return true;
}

}  // namespace

std::optional<std::string> OpenableUpdateAddress(std::string_view Argument)
{
    while (!Argument.empty() && IsSpace(Argument.front()))
        Argument.remove_prefix(1);
    while (!Argument.empty() && IsSpace(Argument.back()))
        Argument.remove_suffix(1);
    if (Argument.empty() || Argument.size() > kMaxUpdateAddress)
        return std::nullopt;
    for (char c : Argument)
        if (!IsAddressCharacter(c))
            return std::nullopt;

    size_t schemeLength = 0;
    if (StartsWithNoCase(Argument, "http://"))
        schemeLength = 7;
    else if (StartsWithNoCase(Argument, "https://"))
        schemeLength = 8;
    else
        return std::nullopt;
    const std::string_view rest = Argument.substr(schemeLength);
    if (!ValidAuthority(rest.substr(0, rest.find_first_of("/?#"))))
        return std::nullopt;
    return std::string(Argument);
}

}  // namespace lirabo::network
