#include "makrel/wordnet/wordnet_database.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>

#include "makrel/core/import_report.h"

namespace makrel {

namespace {

// Splits Line at spaces, dropping empty fields.
std::vector<std::string_view> Fields(std::string_view Line)
{
    std::vector<std::string_view> fields;
    size_t start = 0;
    while (start < Line.size()) {
        const size_t end = std::min(Line.find(' ', start), Line.size());
        if (end > start)
            fields.push_back(Line.substr(start, end - start));
        start = end + 1;
    }
    return fields;
}

std::string Lemma(std::string_view Field)
{
    std::string lemma(Field);
    std::replace(lemma.begin(), lemma.end(), '_', ' ');
    return lemma;
}

// Reads the lines of a file with their numbers; the caller reports.
class TLineReader {
public:
    TLineReader(std::istream& In, const std::string& File) : FIn(In), FFile(File) {}

    bool Next(std::string& Line)
    {
        if (!std::getline(FIn, Line)) {
            if (FIn.bad())
                throw std::runtime_error(FFile + ": read error");
            return false;
        }
        ++FNumber;
        if (!Line.empty() && Line.back() == '\r')
            Line.pop_back();
        return true;
    }

    [[noreturn]] void Fail(const std::string& Message) const
    {
        throw EInputError(FFile + " line " + std::to_string(FNumber) + ": " + Message);
    }

    template <typename T>
    T Number(std::string_view Field, int Base, const char* What) const
    {
        T value{};
        const auto [end, error] = std::from_chars(Field.data(), Field.data() + Field.size(), value, Base);
        if (error != std::errc() || end != Field.data() + Field.size())
            Fail(std::string("bad ") + What + " \"" + std::string(Field) + "\"");
        return value;
    }

private:
    std::istream& FIn;
    const std::string& FFile;
    size_t FNumber = 0;
};

bool PosOfCode(char Code, EWordNetPos& Pos)
{
    switch (Code) {
        case 'n':
            Pos = wpNoun;
            return true;
        case 'v':
            Pos = wpVerb;
            return true;
        case 'a':
        case 's':
            Pos = wpAdjective;
            return true;
        case 'r':
            Pos = wpAdverb;
            return true;
        default:
            return false;
    }
}

uint64_t Key(EWordNetPos Pos, uint32_t Offset)
{
    return static_cast<uint64_t>(Pos) << 32 | Offset;
}

}  // namespace

const char* WordNetFileSuffix(EWordNetPos Pos)
{
    static const char* const kSuffixes[wpCount] = {"noun", "verb", "adj", "adv"};
    return kSuffixes[Pos];
}

void TWordNetDatabase::ReadData(std::istream& In, EWordNetPos Pos, const std::string& File)
{
    TLineReader reader(In, File);
    std::string line;
    while (reader.Next(line)) {
        // The licence text at the top of each file is indented by two spaces.
        if (line.empty() || line.starts_with("  "))
            continue;
        const size_t bar = line.find(" |");
        TWordNetSynset synset;
        if (bar != std::string::npos) {
            const size_t start = line.find_first_not_of(' ', bar + 2);
            const size_t end = line.find_last_not_of(' ');
            if (start != std::string::npos && end >= start)
                synset.Gloss = line.substr(start, end - start + 1);
        }
        const std::vector<std::string_view> f = Fields(std::string_view(line).substr(0, bar));
        const auto need = [&](size_t Count) {
            if (f.size() < Count)
                reader.Fail("the line ends early");
        };
        need(4);
        const uint32_t offset = reader.Number<uint32_t>(f[0], 10, "synset offset");
        if (f[2].size() != 1 || !PosOfCode(f[2][0], synset.Pos) || synset.Pos != Pos)
            reader.Fail("synset type \"" + std::string(f[2]) + "\" does not belong in this file");
        const unsigned words = reader.Number<unsigned>(f[3], 16, "word count");
        size_t t = 4;
        need(t + 2 * size_t{words} + 1);
        for (unsigned w = 0; w < words; ++w, t += 2) {
            std::string_view word = f[t];
            // Adjectives may carry a position marker: good(a), galore(ip).
            if (Pos == wpAdjective && word.ends_with(')') && word.find('(') != std::string_view::npos)
                word = word.substr(0, word.rfind('('));
            synset.Words.push_back(Lemma(word));
        }
        const unsigned pointers = reader.Number<unsigned>(f[t++], 10, "pointer count");
        need(t + 4 * size_t{pointers});
        for (unsigned p = 0; p < pointers; ++p, t += 4) {
            TWordNetPointer pointer;
            pointer.Symbol = std::string(f[t]);
            pointer.TargetOffset = reader.Number<uint32_t>(f[t + 1], 10, "pointer offset");
            if (f[t + 2].size() != 1 || !PosOfCode(f[t + 2][0], pointer.TargetPos))
                reader.Fail("bad pointer part of speech \"" + std::string(f[t + 2]) + "\"");
            if (f[t + 3].size() != 4)
                reader.Fail("bad source/target field \"" + std::string(f[t + 3]) + "\"");
            pointer.SourceWord = reader.Number<int>(f[t + 3].substr(0, 2), 16, "source word");
            pointer.TargetWord = reader.Number<int>(f[t + 3].substr(2, 2), 16, "target word");
            synset.Pointers.push_back(std::move(pointer));
        }
        if (!FByOffset.emplace(Key(Pos, offset), static_cast<int>(FSynsets.size())).second)
            reader.Fail("synset offset " + std::string(f[0]) + " appears twice");
        FSynsets.push_back(std::move(synset));
        FOffsets.push_back(offset);
    }
}

void TWordNetDatabase::ReadIndex(std::istream& In, EWordNetPos Pos, const std::string& File)
{
    TLineReader reader(In, File);
    std::string line;
    while (reader.Next(line)) {
        if (line.empty() || line.starts_with("  "))
            continue;
        const std::vector<std::string_view> f = Fields(line);
        if (f.size() < 4)
            reader.Fail("the line ends early");
        const size_t senses = reader.Number<size_t>(f[2], 10, "synset count");
        if (senses > f.size() - 4)
            reader.Fail("fewer synset offsets than the synset count");
        std::vector<uint32_t> offsets;
        for (size_t i = f.size() - senses; i < f.size(); ++i)
            offsets.push_back(reader.Number<uint32_t>(f[i], 10, "synset offset"));
        FIndex[Pos][Lemma(f[0])] = std::move(offsets);
    }
}

void TWordNetDatabase::ReadExceptions(std::istream& In, EWordNetPos Pos, const std::string& File)
{
    TLineReader reader(In, File);
    std::string line;
    while (reader.Next(line)) {
        const std::vector<std::string_view> f = Fields(line);
        if (f.empty())
            continue;
        if (f.size() < 2)
            reader.Fail("an inflected form without a base form");
        TException exception{Lemma(f[0]), {}};
        for (size_t i = 1; i < f.size(); ++i)
            exception.Bases.push_back(Lemma(f[i]));
        FExceptions[Pos].push_back(std::move(exception));
    }
}

size_t TWordNetDatabase::ResolvePointers()
{
    size_t dangling = 0;
    for (TWordNetSynset& synset : FSynsets) {
        for (TWordNetPointer& pointer : synset.Pointers) {
            const auto it = FByOffset.find(Key(pointer.TargetPos, pointer.TargetOffset));
            pointer.Target = it == FByOffset.end() ? -1 : it->second;
            dangling += pointer.Target < 0;
        }
    }
    return dangling;
}

const std::vector<uint32_t>* TWordNetDatabase::Senses(EWordNetPos Pos, const std::string& Lemma) const
{
    const auto it = FIndex[Pos].find(Lemma);
    return it == FIndex[Pos].end() ? nullptr : &it->second;
}

void TWordNetDatabase::Load(const std::string& Folder)
{
    namespace fs = std::filesystem;
    if (!fs::is_directory(Folder))
        throw EInputError("not a folder; expected the folder of the WordNet database files");
    for (int p = 0; p < wpCount; ++p) {
        const auto pos = static_cast<EWordNetPos>(p);
        const std::string suffix = WordNetFileSuffix(pos);
        const std::string data = "data." + suffix;
        std::ifstream in(fs::path(Folder) / data, std::ios::binary);
        if (!in)
            throw EInputError("cannot open " + data);
        ReadData(in, pos, data);
        for (const std::string& name : {"index." + suffix, suffix + ".exc"}) {
            std::ifstream optional(fs::path(Folder) / name, std::ios::binary);
            if (!optional)
                continue;
            if (name.starts_with("index"))
                ReadIndex(optional, pos, name);
            else
                ReadExceptions(optional, pos, name);
        }
    }
}

}  // namespace makrel
