#include "makrel/stardict/stardict_info.h"

#include <cctype>
#include <filesystem>
#include <fstream>

#include "makrel/core/import_report.h"

namespace makrel {

namespace {

constexpr std::string_view kMagic = "StarDict's dict ifo file";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

void TStarDictInfo::Read(std::istream& In)
{
    std::string line;
    if (!std::getline(In, line))
        throw EInputError("empty .ifo file");
    if (line.starts_with(kByteOrderMark))
        line.erase(0, kByteOrderMark.size());
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line != kMagic)
        throw EInputError("not a StarDict .ifo file (the first line must read \"" + std::string(kMagic) +
                          "\")");
    while (std::getline(In, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0)
            continue;
        FValues[line.substr(0, equals)] = line.substr(equals + 1);
    }
    const std::string bits = Get("idxoffsetbits");
    if (bits == "64")
        FOffsetBits = 64;
    else if (!bits.empty() && bits != "32")
        throw EInputError("idxoffsetbits must be 32 or 64, not " + bits);
    FTypeSequence = Get("sametypesequence");
    for (const char c : FTypeSequence)
        if (!std::isalpha(static_cast<unsigned char>(c)))
            throw EInputError("sametypesequence holds a character that is no data type");
}

void TStarDictInfo::ReadFile(const std::string& FileName)
{
    if (std::filesystem::is_directory(FileName))
        throw EInputError("a folder, not a file");
    std::ifstream in(FileName, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open the file");
    Read(in);
}

std::string TStarDictInfo::Get(const std::string& Key) const
{
    const auto it = FValues.find(Key);
    return it == FValues.end() ? "" : it->second;
}

}  // namespace makrel
