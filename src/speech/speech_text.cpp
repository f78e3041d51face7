#include "speech/speech_text.h"

#include <algorithm>
#include <cstdint>

namespace lirabo {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The length of the valid UTF-8 sequence at Text[At], or 0.
size_t ValidSequenceLength(std::string_view Text, size_t At)
{
    const auto byte = [&](size_t I) { return static_cast<uint8_t>(Text[I]); };
    const uint8_t lead = byte(At);
    size_t length;
    uint32_t minimum;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (At + length > Text.size())
        return 0;
    uint32_t code = lead & (0x7F >> length);
    for (size_t i = 1; i < length; ++i) {
        if ((byte(At + i) & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (byte(At + i) & 0x3F);
    }
    // Overlong forms, surrogates and code points past Unicode are not text.
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

}  // namespace

std::string CleanSpeechText(std::string_view Text, size_t MaxBytes)
{
    std::string clean;
    clean.reserve(std::min(Text.size(), MaxBytes));
    for (size_t at = 0; at < Text.size();) {
        const size_t length = ValidSequenceLength(Text, at);
        std::string_view piece = length ? Text.substr(at, length) : kReplacement;
        const auto lead = static_cast<uint8_t>(piece[0]);
        if (length == 1 && (lead < 0x20 || lead == 0x7F))
            piece = " ";
        if (clean.size() + piece.size() > MaxBytes)
            break;
        clean += piece;
        at += length ? length : 1;
    }
    const size_t first = clean.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return clean.substr(first, clean.find_last_not_of(' ') - first + 1);
}

}  // namespace lirabo
