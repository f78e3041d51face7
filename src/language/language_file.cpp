#include "language/language_file.h"

#include <fstream>
#include <limits>
#include <utility>

#include "dictionary/word_order.h"
#include "language/text_file.h"

namespace lirabo {

namespace {

bool IsBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsBlankOrControl(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlankOrControl(s.back()))
        s.remove_suffix(1);
    return s;
}

}  // namespace

bool ParseDecimal(std::string_view Text, int& Value)
{
    if (Text.empty())
        return false;
    bool negative = false;
    size_t i = 0;
    if (Text[0] == '+' || Text[0] == '-') {
        negative = Text[0] == '-';
        i = 1;
    }
    if (i == Text.size())
        return false;
    long long v = 0;
    for (; i < Text.size(); ++i) {
        const char c = Text[i];
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
        if (v > static_cast<long long>(std::numeric_limits<int>::max()) + 1)
            return false;
    }
    if (negative)
        v = -v;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min())
        return false;
    Value = static_cast<int>(v);
    return true;
}

void TLanguageFile::Clear()
{
    FSections.clear();
    FIndex.clear();
}

void TLanguageFile::LoadFromBytes(std::string_view Bytes)
{
    Clear();
    // A zero byte is never part of a longer character in either encoding, so
    // the cut can come before decoding, which then has less to copy.
    if (const size_t nul = Bytes.find('\0'); nul != std::string_view::npos)
        Bytes = Bytes.substr(0, nul);
    const std::string decoded = TextFileToUtf8(Bytes);
    const std::string_view text = decoded;

    // Index of the section lines go to; a repeated section's lines go
    // nowhere, since the first occurrence wins.
    constexpr size_t kNone = static_cast<size_t>(-1);
    size_t current = kNone;
    bool inSection = false;

    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = Trim(text.substr(pos, end - pos));
        pos = end;
        if (pos < text.size()) {
            if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')
                pos += 2;
            else
                pos += 1;
        }

        if (line.empty() || line.front() == ';')
            continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            const std::string name(Trim(line.substr(1, line.size() - 2)));
            const std::string key = UpperCaseAscii(name);
            inSection = true;
            if (FIndex.contains(key)) {
                current = kNone;
            } else {
                FIndex.emplace(key, FSections.size());
                current = FSections.size();
                FSections.push_back(TSection{name, 0, {}, {}});
            }
            continue;
        }
        if (!inSection || current == kNone)
            continue;

        TSection& section = FSections[current];
        ++section.LineCount;
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        const std::string_view written = Trim(line.substr(0, eq));
        std::string value(Trim(line.substr(eq + 1)));
        if (section.Values.try_emplace(UpperCaseAscii(written), std::move(value)).second)
            section.KeyOrder.emplace_back(written);
    }
}

bool TLanguageFile::LoadFromFile(const std::string& Path)
{
    Clear();
    std::ifstream in(Path, std::ios::binary);
    if (!in)
        return false;
    std::string bytes;
    char buffer[64 * 1024];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<size_t>(in.gcount()));
        if (bytes.size() > kMaxFileSize)
            return false;
    }
    // A folder opens on some systems and then fails on the first read.
    if (in.bad())
        return false;
    LoadFromBytes(bytes);
    return true;
}

const TLanguageFile::TSection* TLanguageFile::FindSection(std::string_view Section) const
{
    const auto it = FIndex.find(UpperCaseAscii(Section));
    return it == FIndex.end() ? nullptr : &FSections[it->second];
}

std::string TLanguageFile::ReadString(std::string_view Section, std::string_view Key) const
{
    const TSection* section = FindSection(Section);
    if (!section)
        return {};
    const auto it = section->Values.find(UpperCaseAscii(Key));
    return it == section->Values.end() ? std::string() : it->second;
}

bool TLanguageFile::HasKey(std::string_view Section, std::string_view Key) const
{
    const TSection* section = FindSection(Section);
    return section && section->Values.contains(UpperCaseAscii(Key));
}

bool TLanguageFile::HasSection(std::string_view Section) const
{
    return FindSection(Section) != nullptr;
}

int TLanguageFile::SectionLineCount(std::string_view Section) const
{
    const TSection* section = FindSection(Section);
    return section ? section->LineCount : 0;
}

std::vector<std::string> TLanguageFile::SectionNames() const
{
    std::vector<std::string> names;
    names.reserve(FSections.size());
    for (const TSection& s : FSections)
        names.push_back(s.Name);
    return names;
}

std::vector<std::string> TLanguageFile::Keys(std::string_view Section) const
{
    const TSection* section = FindSection(Section);
    return section ? section->KeyOrder : std::vector<std::string>();
}

int TLanguageFile::FileVersion() const
{
    int version = 0;
    return ParseDecimal(ReadString("Data", "FileVersion"), version) ? version : 0;
}

std::string TLanguageFile::LanguageName() const
{
    return HasKey("Data", "Name") ? ReadString("Data", "Name") : std::string("(unknown)");
}

}  // namespace lirabo
