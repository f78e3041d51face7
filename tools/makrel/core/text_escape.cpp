#include "makrel/core/text_escape.h"

#include <cstdio>

#include "dictionary/ansi_codec.h"
#include "dictionary/utf8_text.h"

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

// Copies a run of plain UTF-8 text; false with Error set when it is not
// well-formed.
bool AppendPlain(std::string_view Run, std::string& Out, std::string& Error)
{
    if (lirabo::FindInvalidUtf8(Run) != std::string_view::npos) {
        Error = "invalid UTF-8";
        return false;
    }
    Out += Run;
    return true;
}

void AppendCode(std::string& Out, unsigned char Code)
{
    char code[5];
    std::snprintf(code, sizeof code, "\\x%02X", Code);
    Out += code;
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
            const auto byte =
                static_cast<unsigned char>(HexValue(Field[i + 2]) * 16 + HexValue(Field[i + 3]));
            if (byte < 0x80)
                result.Text += static_cast<char>(byte);
            else
                lirabo::AppendUtf8(result.Text, lirabo::AnsiToUnicode(byte));
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

std::string EscapeForOutput(std::string_view Text, lirabo::TTextEncoding Encoding)
{
    const bool utf8 = Encoding == lirabo::TTextEncoding::Utf8;
    std::string out;
    out.reserve(Text.size());
    size_t i = 0;
    while (i < Text.size()) {
        const auto c = static_cast<unsigned char>(Text[i]);
        if (c == '\\') {
            out += "\\\\";
            ++i;
        } else if (c < 32) {
            AppendCode(out, c);
            ++i;
        } else if (!utf8) {
            lirabo::AppendUtf8(out, lirabo::AnsiToUnicode(c));
            ++i;
        } else {
            const size_t start = i;
            if (lirabo::NextUnit(Text, i) >= lirabo::kInvalidUnit)
                out += "\xEF\xBF\xBD";
            else
                out.append(Text.substr(start, i - start));
        }
    }
    return out;
}

std::string EscapeMultiline(std::string_view Text, lirabo::TTextEncoding Encoding)
{
    std::string out;
    size_t start = 0;
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] != '\r' && Text[i] != '\n')
            continue;
        out += EscapeForOutput(Text.substr(start, i - start), Encoding);
        out += "\\n";
        if (Text[i] == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    out += EscapeForOutput(Text.substr(start), Encoding);
    return out;
}

}  // namespace makrel
