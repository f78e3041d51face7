#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct UConverter;

namespace makrel {

// Turns text in a legacy code page (windows-1251, koi8-r, shift_jis, ...)
// into UTF-8 in NFC, as UTF-8 dictionaries hold it. Only code pages that
// keep ASCII in place are taken: every byte below 32 in a definition is a
// mark-up code and must reach the new file as it was. Bytes the code page
// leaves undefined become U+FFFD and are counted, so that the summary can
// say how much was lost.
class TCodePageDecoder {
public:
    // Raises std::invalid_argument, naming a few usable code pages, when
    // CodePage is unknown or not one whose text can be carried over.
    explicit TCodePageDecoder(const std::string& CodePage);
    ~TCodePageDecoder();
    TCodePageDecoder(const TCodePageDecoder&) = delete;
    TCodePageDecoder& operator=(const TCodePageDecoder&) = delete;

    // The name the code page was asked for by.
    const std::string& Name() const { return FName; }

    // Text as UTF-8; Replaced grows by the bytes that had no character.
    std::string Decode(std::string_view Text, size_t& Replaced);

    // A few names that work, for messages.
    static const char* Examples();

private:
    void DecodeRun(std::string_view Run, std::u16string& Out, size_t& Replaced);

    std::string FName;
    UConverter* FConverter = nullptr;
    size_t FUndefined = 0;  // bytes the converter's callback replaced so far
};

}  // namespace makrel
