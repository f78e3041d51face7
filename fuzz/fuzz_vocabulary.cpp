// The .lvf reader takes files from anywhere. Whatever it accepts must write
// back to bytes that read as the same lines, and its lines must hold no
// line end or NUL.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "vocabulary/vocabulary_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(Data), Size);
    std::vector<std::string> lines;
    if (!lirabo::ParseVocabulary(bytes, lines))
        return 0;
    for (const std::string& line : lines) {
        if (line.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
            std::abort();
    }
    std::vector<std::string> again;
    if (!lirabo::ParseVocabulary(lirabo::SerializeVocabulary(lines), again) || again != lines)
        std::abort();
    return 0;
}
