#include "network/update_server.h"

#include <charconv>

#ifndef LIRABO_UPDATE_SERVER
#define LIRABO_UPDATE_SERVER ""
#endif

namespace lirabo::network {

namespace {

constexpr size_t kMaxHostName = 253;  // the longest name DNS carries

bool IsSpace(char C)
{
    return C == ' ' || C == '\t' || C == '\r' || C == '\n';
}

bool IsNameCharacter(char C)
{
    return (C >= 'a' && C <= 'z') || (C >= 'A' && C <= 'Z') || (C >= '0' && C <= '9') || C == '-' ||
           C == '.' || C == '_';
}

bool IsAddress6Character(char C)
{
    return (C >= 'a' && C <= 'f') || (C >= 'A' && C <= 'F') || (C >= '0' && C <= '9') || C == ':' || C == '.';
}

template <class Predicate>
bool All(std::string_view Text, Predicate Allowed)
{
    for (char c : Text)
        if (!Allowed(c))
            return false;
    return true;
}

}  // namespace

std::string TUpdateServer::HostLine() const
{
    return Bracketed ? "[" + Host + "]" : Host;
}

std::string_view DefaultUpdateServer()
{
    return LIRABO_UPDATE_SERVER;
}

std::optional<TUpdateServer> ParseUpdateServer(std::string_view Setting)
{
    while (!Setting.empty() && IsSpace(Setting.front()))
        Setting.remove_prefix(1);
    while (!Setting.empty() && IsSpace(Setting.back()))
        Setting.remove_suffix(1);

    TUpdateServer server;
    std::string_view host;
    std::string_view port;
    bool hasPort = false;
    if (!Setting.empty() && Setting.front() == '[') {
        const size_t close = Setting.find(']');
        if (close == std::string_view::npos)
            return std::nullopt;
        host = Setting.substr(1, close - 1);
        const std::string_view after = Setting.substr(close + 1);
        if (!after.empty()) {
            if (after.front() != ':')
                return std::nullopt;
            port = after.substr(1);
            hasPort = true;
        }
        if (host.find(':') == std::string_view::npos || !All(host, IsAddress6Character))
            return std::nullopt;
        server.Bracketed = true;
    } else {
        const size_t colon = Setting.find(':');
        host = Setting.substr(0, colon);
        if (colon != std::string_view::npos) {
            port = Setting.substr(colon + 1);
            hasPort = true;
        }
        if (!All(host, IsNameCharacter))
            return std::nullopt;
    }
    if (host.empty() || host.size() > kMaxHostName)
        return std::nullopt;
    if (hasPort) {
        unsigned number = 0;
        const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), number);
        if (port.empty() || error != std::errc() || end != port.data() + port.size() || number == 0 ||
            number > 65535)
            return std::nullopt;
        server.Port = static_cast<uint16_t>(number);
    }
    server.Host = std::string(host);
    return server;
}

}  // namespace lirabo::network
