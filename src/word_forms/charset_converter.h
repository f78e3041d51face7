#pragma once

#include <optional>
#include <string>
#include <string_view>

struct UConverter;

namespace lirabo {

// Converts between UTF-8 and one named character set (ICU's converters, so
// "ISO8859-1", "KOI8-R" and the like), refusing rather than replacing: a
// word with a character the set lacks is another word, not a near one.
class TCharsetConverter {
public:
    // Valid() is false when ICU knows no such character set.
    explicit TCharsetConverter(const std::string& Name);
    ~TCharsetConverter();
    TCharsetConverter(const TCharsetConverter&) = delete;
    TCharsetConverter& operator=(const TCharsetConverter&) = delete;

    bool Valid() const { return FUtf8 || FConverter; }

    // Nothing when Text is not well-formed or has a character the other side
    // cannot hold.
    std::optional<std::string> FromUtf8(std::string_view Text) const;
    std::optional<std::string> ToUtf8(std::string_view Text) const;

private:
    bool FUtf8 = false;  // no conversion: only the well-formedness check
    UConverter* FConverter = nullptr;
};

}  // namespace lirabo
