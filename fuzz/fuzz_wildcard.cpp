// The compiled wildcard matcher against the direct transcription of the
// matching procedure, for Windows-1252 bytes and, on the same input, for
// the folded characters of UTF-8 text (invalid sequences included). Input:
// a pattern, a zero byte, a text. Sizes are bounded because the
// transcription is exponential on purpose.

#include <cstdint>
#include <string>
#include <string_view>

#include "dictionary/utf8_text.h"
#include "dictionary/wildcard_pattern.h"
#include "dictionary/word_order.h"
#include "utf8_model.h"
#include "wildcard_reference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string_view input(reinterpret_cast<const char*>(Data), Size);
    const size_t split = input.find('\0');
    if (split == std::string_view::npos)
        return 0;
    const std::string_view rawPattern = input.substr(0, split);
    const std::string_view rawText = input.substr(split + 1);
    size_t stars = 0;
    for (char c : rawPattern)
        stars += c == '*';
    if (rawPattern.size() > 40 || rawText.size() > 40 || stars > 5)
        return 0;

    const std::string pattern = lirabo::UpperCaseAscii(rawPattern);
    const std::string text = lirabo::UpperCaseAscii(rawText);
    if (lirabo::WildcardMatch(text, pattern) != lirabo::test::ReferenceMatch(text, pattern))
        __builtin_trap();

    const lirabo::TWildcardPattern utf8(rawPattern, lirabo::TTextEncoding::Utf8);
    // The model decodes with ICU's own macro, not the engine's decoder; only
    // the pattern is brought to NFC, as the file's text already is.
    const std::u32string textUnits = lirabo::test::ModelUnits(rawText);
    const std::u32string patternUnits = lirabo::test::ModelUnits(lirabo::NormalizeNfc(rawPattern));
    if (utf8.Matches(rawText) != lirabo::test::ReferenceMatch(textUnits, patternUnits))
        __builtin_trap();
    return 0;
}
