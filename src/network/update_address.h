#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lirabo::network {

// The longest address the program opens for the server.
inline constexpr size_t kMaxUpdateAddress = 2048;

// The address an "UPDATED" reply names, when it is one the program may open:
// an absolute http:// or https:// address with a host, written with the
// characters an address may hold unencoded (RFC 3986), at most
// kMaxUpdateAddress long. Blanks and line ends around it are dropped.
// Everything else (a file or a program, another scheme, javascript:, text
// with blanks, control or non-ASCII bytes) gives nothing: the reply comes
// from the network and must not start anything but a web page.
std::optional<std::string> OpenableUpdateAddress(std::string_view Argument);

}  // namespace lirabo::network
