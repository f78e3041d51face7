// Link addresses come from pages of the web. Whatever they hold, the name a
// download is stored under must stay inside its folder and keep the kind's
// extension.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "network/download_name.h"

namespace {

using namespace lirabo::network;

void Require(bool Condition)
{
    if (!Condition)
        std::abort();
}

std::string Lowered(std::string_view Text)
{
    std::string lower(Text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

void CheckName(std::string_view Url, TDownloadKind Kind)
{
    const auto name = DownloadFileName(Url, Kind);
    if (!name)
        return;
    Require(!name->empty() && name->size() <= 255);
    Require(*name != "." && *name != "..");
    for (char c : *name) {
        const auto byte = static_cast<unsigned char>(c);
        Require(byte >= 0x20 && byte != 0x7F);
        Require(std::string_view("/\\:*?\"<>|").find(c) == std::string_view::npos);
    }
    const std::string extension = Kind == TDownloadKind::Dictionary ? ".ldi" : ".lng";
    Require(name->size() > extension.size());
    Require(Lowered(*name).ends_with(extension));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string_view url(reinterpret_cast<const char*>(Data), Size);
    const TDownloadKind kind = LinkKind(url);
    Require(kind == TDownloadKind::None || kind == TDownloadKind::Dictionary ||
            kind == TDownloadKind::LanguageFile);
    CheckName(url, TDownloadKind::Dictionary);
    CheckName(url, TDownloadKind::LanguageFile);
    Require(!DownloadFileName(url, TDownloadKind::None));
    return 0;
}
