#include "network/download_name.h"

#include "dictionary/ansi_codec.h"

namespace lirabo::network {

namespace {

constexpr size_t kMaxName = 255;

char Lower(char C)
{
    return C >= 'A' && C <= 'Z' ? static_cast<char>(C - 'A' + 'a') : C;
}

bool EndsWithNoCase(std::string_view Text, std::string_view Suffix)
{
    if (Text.size() < Suffix.size())
        return false;
    const std::string_view tail = Text.substr(Text.size() - Suffix.size());
    for (size_t i = 0; i < Suffix.size(); ++i)
        if (Lower(tail[i]) != Suffix[i])
            return false;
    return true;
}

std::string_view Extension(TDownloadKind Kind)
{
    return Kind == TDownloadKind::Dictionary ? ".ldi" : ".lng";
}

int HexValue(char C)
{
    if (C >= '0' && C <= '9')
        return C - '0';
    const char lower = Lower(C);
    if (lower >= 'a' && lower <= 'f')
        return lower - 'a' + 10;
    return -1;
}

// Once only: a "%25" yields a literal "%" that is not read again, and a "%"
// without two hex digits stays as it is.
std::string PercentDecoded(std::string_view Text)
{
    std::string decoded;
    decoded.reserve(Text.size());
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '%' && i + 2 < Text.size() && HexValue(Text[i + 1]) >= 0 &&
            HexValue(Text[i + 2]) >= 0) {
            decoded += static_cast<char>(HexValue(Text[i + 1]) * 16 + HexValue(Text[i + 2]));
            i += 2;
        } else {
            decoded += Text[i];
        }
    }
    return decoded;
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
// C1 control characters are refused here too, as they are as unprintable
// as C0 ones.
bool ValidUtf8WithoutControls(std::string_view Text)
{
    size_t i = 0;
    while (i < Text.size()) {
        char32_t c = 0;
        if (!DecodeUtf8(Text, i, c) || c < 0x20 || (c >= 0x7F && c <= 0x9F))
            return false;
    }
    return true;
}

// The path of an address: after "scheme:" and, when "//" follows, after the
// host; without query and fragment. Empty when there is no path at all.
std::string_view AddressPath(std::string_view Url)
{
    Url = Url.substr(0, Url.find('#'));
    Url = Url.substr(0, Url.find('?'));
    const size_t colon = Url.find(':');
    if (colon != std::string_view::npos && colon > 0) {
        bool scheme = (Url[0] >= 'a' && Url[0] <= 'z') || (Url[0] >= 'A' && Url[0] <= 'Z');
        for (size_t i = 1; i < colon && scheme; ++i) {
            const char c = Url[i];
            scheme = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' ||
                     c == '-' || c == '.';
        }
        if (scheme)
            Url.remove_prefix(colon + 1);
    }
    if (Url.starts_with("//")) {
        const size_t pathStart = Url.find('/', 2);
        if (pathStart == std::string_view::npos)
            return {};
        Url.remove_prefix(pathStart);
    }
    return Url;
}

}  // namespace

TDownloadKind LinkKind(std::string_view Address)
{
    const size_t at = Address.find_last_of(".\\:");
    if (at == std::string_view::npos || Address[at] != '.')
        return TDownloadKind::None;
    const std::string_view extension = Address.substr(at);
    if (extension.size() != 4)
        return TDownloadKind::None;
    // Same length, so "ends with" is "equals".
    if (EndsWithNoCase(extension, ".ldi"))
        return TDownloadKind::Dictionary;
    if (EndsWithNoCase(extension, ".lng"))
        return TDownloadKind::LanguageFile;
    return TDownloadKind::None;
}

std::optional<std::string> DownloadFileName(std::string_view Url, TDownloadKind Kind)
{
    if (Kind != TDownloadKind::Dictionary && Kind != TDownloadKind::LanguageFile)
        return std::nullopt;
    const std::string_view path = AddressPath(Url);
    const size_t slash = path.rfind('/');
    const std::string_view segment = slash == std::string_view::npos ? path : path.substr(slash + 1);
    std::string name = PercentDecoded(segment);
    if (name.empty() || name == "." || name == ".." || name.size() > kMaxName)
        return std::nullopt;
    if (name.find_first_of(std::string_view("/\\:*?\"<>|\0", 10)) != std::string::npos)
        return std::nullopt;
    if (!ValidUtf8WithoutControls(name))
        return std::nullopt;
    const std::string_view extension = Extension(Kind);
    if (name.size() <= extension.size() || !EndsWithNoCase(name, extension))
        return std::nullopt;
    return name;
}

}  // namespace lirabo::network
