#include "word_forms/charset_converter.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>
#include <unicode/ustring.h>

#include <climits>
#include <vector>

#include "dictionary/utf8_text.h"

namespace lirabo {

namespace {

bool NamesUtf8(const std::string& Name)
{
    return ucnv_compareNames(Name.c_str(), "UTF-8") == 0;
}

}  // namespace

TCharsetConverter::TCharsetConverter(const std::string& Name)
{
    if (Name.empty())
        return;
    if (NamesUtf8(Name)) {
        FUtf8 = true;
        return;
    }
    UErrorCode status = U_ZERO_ERROR;
    FConverter = ucnv_open(Name.c_str(), &status);
    // Hunspell's own name for the Windows code pages is "microsoft-cp1251".
    const std::string microsoft = "microsoft-";
    if (U_FAILURE(status) && Name.starts_with(microsoft)) {
        status = U_ZERO_ERROR;
        FConverter = ucnv_open(Name.substr(microsoft.size()).c_str(), &status);
    }
    if (U_FAILURE(status)) {
        FConverter = nullptr;
        return;
    }
    ucnv_setFromUCallBack(FConverter, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setToUCallBack(FConverter, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    if (U_FAILURE(status)) {
        ucnv_close(FConverter);
        FConverter = nullptr;
    }
}

TCharsetConverter::~TCharsetConverter()
{
    if (FConverter)
        ucnv_close(FConverter);
}

std::optional<std::string> TCharsetConverter::FromUtf8(std::string_view Text) const
{
    if (!Valid() || Text.size() > INT_MAX / 4 || FindInvalidUtf8(Text) != std::string_view::npos)
        return std::nullopt;
    if (FUtf8)
        return std::string(Text);
    // A UTF-8 byte count is at least the UTF-16 unit count, and a character
    // set of this kind takes at most four bytes per unit.
    std::vector<UChar> wide(Text.size() + 1);
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    u_strFromUTF8(wide.data(), static_cast<int32_t>(wide.size()), &length, Text.data(),
                  static_cast<int32_t>(Text.size()), &status);
    if (U_FAILURE(status))
        return std::nullopt;
    std::string out(static_cast<size_t>(length) * 4 + 4, '\0');
    ucnv_resetFromUnicode(FConverter);
    const int32_t bytes = ucnv_fromUChars(FConverter, out.data(), static_cast<int32_t>(out.size()),
                                          wide.data(), length, &status);
    if (U_FAILURE(status) || status == U_STRING_NOT_TERMINATED_WARNING)
        return std::nullopt;
    out.resize(static_cast<size_t>(bytes));
    return out;
}

std::optional<std::string> TCharsetConverter::ToUtf8(std::string_view Text) const
{
    if (!Valid() || Text.size() > INT_MAX / 4)
        return std::nullopt;
    if (FUtf8) {
        if (FindInvalidUtf8(Text) != std::string_view::npos)
            return std::nullopt;
        return std::string(Text);
    }
    // Each byte is at most one character, at most two UTF-16 units.
    std::vector<UChar> wide(Text.size() * 2 + 2);
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetToUnicode(FConverter);
    const int32_t length = ucnv_toUChars(FConverter, wide.data(), static_cast<int32_t>(wide.size()),
                                         Text.data(), static_cast<int32_t>(Text.size()), &status);
    if (U_FAILURE(status))
        return std::nullopt;
    std::string out(static_cast<size_t>(length) * 3 + 1, '\0');
    int32_t bytes = 0;
    u_strToUTF8(out.data(), static_cast<int32_t>(out.size()), &bytes, wide.data(), length, &status);
    if (U_FAILURE(status))
        return std::nullopt;
    out.resize(static_cast<size_t>(bytes));
    return out;
}

}  // namespace lirabo
