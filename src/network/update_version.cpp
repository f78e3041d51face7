#include "network/update_version.h"

#include <charconv>

#ifndef LIRABO_VERSION
#define LIRABO_VERSION "0"
#endif

namespace lirabo::network {

std::string_view ProgramVersion()
{
    return LIRABO_VERSION;
}

uint16_t BuildNumberOf(std::string_view Version)
{
    std::string_view rest = Version;
    for (int part = 0; part < 3; ++part) {
        const size_t dot = rest.find('.');
        if (dot == std::string_view::npos)
            return 0;
        rest.remove_prefix(dot + 1);
    }
    rest = rest.substr(0, rest.find('.'));
    uint64_t number = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), number);
    if (rest.empty() || error != std::errc() || end != rest.data() + rest.size())
        return 0;
    return static_cast<uint16_t>(number & 0xFFFF);
}

}  // namespace lirabo::network
