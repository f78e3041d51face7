#pragma once

#include <cstdint>
#include <string_view>

namespace lirabo::network {

// The program's own version, as the build compiled it in ("0.1.0.1"); its
// fourth part is the build number.
std::string_view ProgramVersion();

// The build number the update server is told: the fourth dotted part of
// Version as an unsigned decimal number, in 16 bits as a file version keeps
// it; 0 when Version has no fourth part or it is not a number.
uint16_t BuildNumberOf(std::string_view Version);

}  // namespace lirabo::network
