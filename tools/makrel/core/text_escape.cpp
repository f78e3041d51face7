#include "makrel/core/text_escape.h"

#include <cstdio>

#include "dictionary/ansi_codec.h"

namespace makrel {

namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string CharacterName(char32_t c)
{
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
    return name;
}

// Converts a run of plain UTF-8 text; false with Error set on failure.
bool AppendPlain(std::string_view Run, std::string& Out, std::string& Error)
{
    const lirabo::TAnsiConversion converted = lirabo::Utf8ToAnsi(Run);
    if (!converted.ValidUtf8) {
        Error = "invalid UTF-8";
        return false;
    }
    if (converted.Unmappable > 0) {
        Error = "character " + CharacterName(converted.FirstUnmappable) + " has no Windows-1252 form";
        return false;
    }
    Out += converted.Text;
    return true;
}

}  // namespace

TDecodedField DecodeField(std::string_view Field, bool Escapes, std::string_view LineBreak)
{
    TDecodedField result;
    size_t start = 0;
    size_t i = 0;
    while (Escapes && (i = Field.find('\\', start)) != std::string_view::npos) {
        if (!AppendPlain(Field.substr(start, i - start), result.Text, result.Error))
            return result;
        const char kind = i + 1 < Field.size() ? Field[i + 1] : '\0';
        if (kind == '\\') {
            result.Text += '\\';
            start = i + 2;
        } else if (kind == 'n') {
            result.Text += LineBreak;
            start = i + 2;
        } else if (kind == 'x' && i + 3 < Field.size() && HexValue(Field[i + 2]) >= 0 &&
                   HexValue(Field[i + 3]) >= 0) {
            result.Text += static_cast<char>(HexValue(Field[i + 2]) * 16 + HexValue(Field[i + 3]));
            start = i + 4;
        } else {
            result.Error = "unknown escape at column " + std::to_string(i + 1) +
                           " (write \\\\ for a backslash, \\n for a line break, \\xNN for a byte)";
            return result;
        }
    }
    AppendPlain(Field.substr(start), result.Text, result.Error);
    return result;
}

std::string EscapeForOutput(std::string_view Text)
{
    std::string out;
    out.reserve(Text.size());
    for (char ch : Text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '\\') {
            out += "\\\\";
        } else if (c < 32) {
            char code[5];
            std::snprintf(code, sizeof code, "\\x%02X", c);
            out += code;
        } else {
            lirabo::AppendUtf8(out, lirabo::AnsiToUnicode(c));
        }
    }
    return out;
}

std::string EscapeMultiline(std::string_view Text)
{
    std::string out;
    size_t start = 0;
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] != '\r' && Text[i] != '\n')
            continue;
        out += EscapeForOutput(Text.substr(start, i - start));
        out += "\\n";
        if (Text[i] == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    out += EscapeForOutput(Text.substr(start));
    return out;
}

}  // namespace makrel
