#include "makrel/core/stored_text.h"

#include <algorithm>

#include "dictionary/ansi_codec.h"
#include "dictionary/markup_codes.h"
#include "dictionary/utf8_text.h"
#include "makrel/core/ansi_transliterator.h"

namespace makrel {

using lirabo::TTextEncoding;

namespace {

bool Ascii(char c)
{
    return static_cast<unsigned char>(c) < 0x80;
}

// Whether the character at Text[Position] has a Windows-1252 byte; moves
// Position past it. A stray byte counts as its own Windows-1252 byte.
bool NextFits(std::string_view Text, size_t& Position, unsigned char& Byte)
{
    Byte = static_cast<unsigned char>(Text[Position]);
    char32_t c = 0;
    if (Ascii(Text[Position]) || !lirabo::DecodeUtf8(Text, Position, c)) {
        ++Position;
        return true;
    }
    const auto byte = lirabo::UnicodeToAnsi(c);
    if (byte)
        Byte = *byte;
    return byte.has_value();
}

}  // namespace

std::string WellFormedText(std::string_view Text)
{
    if (lirabo::FindInvalidUtf8(Text) == std::string_view::npos)
        return lirabo::NormalizeNfc(Text);
    std::string repaired;
    repaired.reserve(Text.size() + Text.size() / 2);
    size_t i = 0;
    while (i < Text.size()) {
        const size_t start = i;
        char32_t c = 0;
        if (Ascii(Text[i])) {
            repaired += Text[i++];
        } else if (lirabo::DecodeUtf8(Text, i, c)) {
            repaired.append(Text.substr(start, i - start));
        } else {
            lirabo::AppendUtf8(repaired, lirabo::AnsiToUnicode(static_cast<unsigned char>(Text[i++])));
        }
    }
    return lirabo::NormalizeNfc(repaired);
}

bool FitsWindows1252(std::string_view Text)
{
    size_t i = 0;
    unsigned char byte = 0;
    while (i < Text.size())
        if (!NextFits(Text, i, byte))
            return false;
    return true;
}

TWindows1252Text ToWindows1252(std::string_view Text)
{
    TWindows1252Text result;
    result.Text.reserve(Text.size());
    TAnsiTransliterator transliterator;
    size_t i = 0;
    unsigned char byte = 0;
    while (i < Text.size()) {
        const size_t start = i;
        if (NextFits(Text, i, byte)) {
            result.Text += static_cast<char>(byte);
            continue;
        }
        // Only the characters without a byte go to the transliteration, so
        // that it never touches a mark-up code or a character that fits.
        size_t end = i;
        size_t count = 1;
        while (end < Text.size()) {
            size_t next = end;
            if (NextFits(Text, next, byte))
                break;
            end = next;
            ++count;
        }
        result.Text += transliterator.Convert(Text.substr(start, end - start));
        result.Replaced += count;
        i = end;
    }
    return result;
}

size_t CutPoint(std::string_view Text, size_t Limit, TTextEncoding Encoding)
{
    if (Encoding == TTextEncoding::Utf8)
        return lirabo::Utf8Boundary(Text, Limit);
    return std::min(Limit, Text.size());
}

void ShortenDefinition(std::string& Definition, size_t Limit, TTextEncoding Encoding)
{
    using namespace lirabo::markup;
    if (Definition.size() <= Limit)
        return;
    const std::string_view ellipsis = Encoding == TTextEncoding::Utf8 ? "\xE2\x80\xA6" : "\x85";
    // Room for a closing link code and the ellipsis.
    Definition.resize(CutPoint(Definition, Limit - ellipsis.size() - 1, Encoding));
    const size_t start = Definition.rfind(kLinkStart);
    const size_t end = Definition.rfind(kLinkEnd);
    if (start != std::string::npos && (end == std::string::npos || end < start))
        Definition += kLinkEnd;
    Definition += ellipsis;
}

void ShortenHeaderText(std::string& Text, size_t Limit, TTextEncoding Encoding)
{
    if (Text.size() <= Limit)
        return;
    Text.resize(CutPoint(Text, Limit, Encoding));
    const size_t lineEnd = Text.find_last_of("\r\n");
    if (lineEnd != std::string::npos && lineEnd > 0)
        Text.resize(Text[lineEnd] == '\n' && Text[lineEnd - 1] == '\r' ? lineEnd - 1 : lineEnd);
}

}  // namespace makrel
