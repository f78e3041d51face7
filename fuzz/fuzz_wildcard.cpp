// The compiled wildcard matcher against the direct transcription of the
// matching procedure. Input: a pattern, a zero byte, a text. Sizes are
// bounded because the transcription is exponential on purpose.

#include <cstdint>
#include <string_view>

#include "dictionary/wildcard_pattern.h"
#include "dictionary/word_order.h"
#include "wildcard_reference.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string_view input(reinterpret_cast<const char*>(Data), Size);
    const size_t split = input.find('\0');
    if (split == std::string_view::npos)
        return 0;
    const std::string pattern = lirabo::UpperCaseAscii(input.substr(0, split));
    const std::string text = lirabo::UpperCaseAscii(input.substr(split + 1));
    size_t stars = 0;
    for (char c : pattern)
        stars += c == '*';
    if (pattern.size() > 40 || text.size() > 40 || stars > 5)
        return 0;
    if (lirabo::WildcardMatch(text, pattern) != lirabo::test::ReferenceMatch(text, pattern))
        __builtin_trap();
    return 0;
}
