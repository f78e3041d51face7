#include "makrel/dictd/dictd_index.h"

#include <filesystem>
#include <fstream>

#include "makrel/core/import_report.h"

namespace makrel {

namespace {

// Offsets and lengths beyond this cannot come from a real data file; the
// limit keeps the arithmetic on them far from overflow.
constexpr uint64_t kMaxNumber = uint64_t{1} << 48;

int DigitValue(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}

bool DecodeNumber(std::string_view Text, uint64_t& Value)
{
    if (Text.empty())
        return false;
    Value = 0;
    for (const char c : Text) {
        const int digit = DigitValue(c);
        if (digit < 0)
            return false;
        Value = Value * 64 + static_cast<uint64_t>(digit);
        if (Value > kMaxNumber)
            return false;
    }
    return true;
}

}  // namespace

std::vector<TDictdIndexEntry> ReadDictdIndex(std::istream& In)
{
    std::vector<TDictdIndexEntry> entries;
    std::string line;
    size_t number = 0;
    while (std::getline(In, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        // The numbers are the last two fields, so a tab inside a headword does no harm.
        const size_t second = line.rfind('\t');
        const size_t first =
            second == std::string::npos || second == 0 ? std::string::npos : line.rfind('\t', second - 1);
        TDictdIndexEntry entry;
        const std::string_view text(line);
        if (first == std::string::npos ||
            !DecodeNumber(text.substr(first + 1, second - first - 1), entry.Offset) ||
            !DecodeNumber(text.substr(second + 1), entry.Length))
            throw EInputError("line " + std::to_string(number) +
                              ": expected headword, offset and length separated by tabs");
        entry.Word = line.substr(0, first);
        entries.push_back(std::move(entry));
    }
    if (In.bad())
        throw std::runtime_error("read error");
    return entries;
}

std::vector<TDictdIndexEntry> ReadDictdIndexFile(const std::string& FileName)
{
    if (std::filesystem::is_directory(FileName))
        throw EInputError("a folder, not a file");
    std::ifstream in(FileName, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open the file");
    return ReadDictdIndex(in);
}

bool IsDictdMetadata(const std::string& Word)
{
    return Word.starts_with("00database") || Word.starts_with("00-database-");
}

}  // namespace makrel
