// Language files are downloaded from anywhere. Whatever the reader makes of
// them, every section it lists must be found again by its name, and no name
// or value may carry a line end, a NUL or blanks at its ends, or be anything
// but well-formed UTF-8: windows show it, whatever the file claimed to be.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "dictionary/utf8_text.h"
#include "language/language_file.h"

namespace {

void CheckText(const std::string& Text)
{
    if (Text.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos)
        std::abort();
    if (!Text.empty() && (static_cast<unsigned char>(Text.front()) <= ' ' ||
                          static_cast<unsigned char>(Text.back()) <= ' '))
        std::abort();
    if (lirabo::FindInvalidUtf8(Text) != std::string::npos)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    lirabo::TLanguageFile file;
    file.LoadFromBytes(std::string_view(reinterpret_cast<const char*>(Data), Size));
    for (const std::string& section : file.SectionNames()) {
        CheckText(section);
        if (!file.HasSection(section) || file.SectionLineCount(section) < 0)
            std::abort();
        for (const char* key : {"1", "1001", "2001t", "Name", "FileVersion"})
            CheckText(file.ReadString(section, key));
    }
    file.FileVersion();
    CheckText(file.LanguageName());
    return 0;
}
