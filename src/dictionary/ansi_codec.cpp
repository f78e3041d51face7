#include "dictionary/ansi_codec.h"

#include <array>

namespace lirabo {

namespace {

// 80..9F hex; the undefined bytes map to themselves.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

bool DecodeUtf8(std::string_view Text, size_t& i, char32_t& Out)
{
    const auto lead = static_cast<unsigned char>(Text[i]);
    int extra = 0;
    char32_t c = 0;
    if (lead < 0x80) {
        Out = lead;
        ++i;
        return true;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        c = lead & 0x07;
    } else {
        return false;
    }
    if (Text.size() - i <= static_cast<size_t>(extra))
        return false;
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(Text[i + static_cast<size_t>(k)]);
        if ((b & 0xC0) != 0x80)
            return false;
        c = (c << 6) | (b & 0x3F);
    }
    // Reject overlong forms, surrogates and values beyond Unicode.
    if ((extra == 2 && c < 0x800) || (extra == 3 && (c < 0x10000 || c > 0x10FFFF)) ||
        (c >= 0xD800 && c <= 0xDFFF))
        return false;
    Out = c;
    i += static_cast<size_t>(extra) + 1;
    return true;
}

char32_t AnsiToUnicode(unsigned char Byte)
{
    if (Byte >= 0x80 && Byte < 0xA0)
        return kHighControls[Byte - 0x80];
    return Byte;
}

std::optional<unsigned char> UnicodeToAnsi(char32_t Character)
{
    if (Character < 0x80 || (Character >= 0xA0 && Character <= 0xFF))
        return static_cast<unsigned char>(Character);
    for (size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == Character)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

void AppendUtf8(std::string& Out, char32_t c)
{
    if (c < 0x80) {
        Out += static_cast<char>(c);
    } else if (c < 0x800) {
        Out += static_cast<char>(0xC0 | (c >> 6));
        Out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        Out += static_cast<char>(0xE0 | (c >> 12));
        Out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        Out += static_cast<char>(0xF0 | (c >> 18));
        Out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        Out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string AnsiToUtf8(std::string_view Text)
{
    std::string out;
    out.reserve(Text.size());
    for (char c : Text)
        AppendUtf8(out, AnsiToUnicode(static_cast<unsigned char>(c)));
    return out;
}

TAnsiConversion Utf8ToAnsi(std::string_view Text)
{
    TAnsiConversion result;
    result.Text.reserve(Text.size());
    size_t i = 0;
    while (i < Text.size()) {
        char32_t c = 0;
        if (!DecodeUtf8(Text, i, c)) {
            result.ValidUtf8 = false;
            return result;
        }
        if (const auto byte = UnicodeToAnsi(c)) {
            result.Text += static_cast<char>(*byte);
        } else {
            if (result.Unmappable++ == 0)
                result.FirstUnmappable = c;
        }
    }
    return result;
}

}  // namespace lirabo
