#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lirabo::network {

// The update server the check asks: the setting "UpdateServer" read as
// "host" or "host:port" (an IPv6 address in brackets: "[::1]:8080").
struct TUpdateServer {
    std::string Host;  // the name to look up, brackets removed
    uint16_t Port = 80;
    bool Bracketed = false;  // written as an IPv6 address in brackets

    // The name as the request's Host line carries it: without the port.
    std::string HostLine() const;
};

// The server a build asks when nothing is stored: empty unless the build
// was configured with one.
std::string_view DefaultUpdateServer();

// The server Setting names, or nothing when it is not a host name (letters,
// digits, '-', '.', '_'), a bracketed IPv6 address, or has a port that is
// not 1..65535. Surrounding blanks are ignored. Nothing that could break the
// request's lines (line ends, blanks, '/') passes.
std::optional<TUpdateServer> ParseUpdateServer(std::string_view Setting);

}  // namespace lirabo::network
