#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace lirabo {

// How a dictionary file stores its text. Windows-1252 is what every file
// made before the text word existed holds; UTF-8 is for everything else.
enum class TTextEncoding : uint8_t { Windows1252 = 0, Utf8 = 1 };

// What the header's text word says about a file: its encoding and the
// languages of its headwords and definitions (ISO 639-1 codes, empty when
// unknown).
struct TTextDescription {
    TTextEncoding Encoding = TTextEncoding::Windows1252;
    std::string HeadwordLanguage;
    std::string DefinitionLanguage;

    bool operator==(const TTextDescription&) const = default;
};

// The text word at header offset 12. Bits 31..20 hold our tag, bits 19..16
// the encoding, bits 15..8 and 7..0 the headword and definition languages as
// 1-based indexes into the frozen ISO 639-1 table (0: unknown). Values
// without the tag are what other tools wrote there and read as a plain
// Windows-1252 file: 0, everything below 65536 and the small negative
// numbers can never carry it, since the tag is neither 0x000 nor 0xFFF.
constexpr uint32_t kTextTag = 0xC0D;

// The description a stored word gives. Raises EInvalidDictionary when the
// word carries the tag but names an encoding this build does not know. A
// language index beyond the table (a newer code) reads as unknown.
TTextDescription DescribeText(int32_t Word);

// The word to store for Description: 0 for Windows-1252 text of unknown
// languages, so such files are exactly what older builds wrote. Raises
// std::invalid_argument for a language that is not an ISO 639-1 code.
int32_t TextWord(const TTextDescription& Description);

// Whether Code is a two-letter ISO 639-1 code of the table (lower case).
bool IsLanguageCode(std::string_view Code);

// Every code of the table, in the table's (stored) order, for offering
// them to choose from.
std::span<const std::string_view> LanguageCodes();

// "windows-1252" or "utf-8", as makrel names them.
const char* EncodingName(TTextEncoding Encoding);

}  // namespace lirabo
