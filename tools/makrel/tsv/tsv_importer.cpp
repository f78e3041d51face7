#include "makrel/tsv/tsv_importer.h"

#include <charconv>
#include <fstream>

#include "makrel/core/text_escape.h"

namespace makrel {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::ifstream OpenInput(const std::string& FileName)
{
    std::ifstream in(FileName, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open the file");
    return in;
}

// Reads the next line without its line end; false at the end of the input.
bool NextLine(std::istream& In, std::string& Line, size_t& Number)
{
    if (!std::getline(In, Line))
        return false;
    ++Number;
    if (Number == 1 && Line.starts_with(kByteOrderMark))
        Line.erase(0, kByteOrderMark.size());
    if (!Line.empty() && Line.back() == '\r')
        Line.pop_back();
    return true;
}

[[noreturn]] void Fail(size_t Line, const std::string& Message)
{
    throw EInputError("line " + std::to_string(Line) + ": " + Message);
}

std::string Decode(std::string_view Field, bool Escapes, size_t Line, const char* What)
{
    TDecodedField decoded = DecodeField(Field, Escapes);
    if (!decoded.Error.empty())
        Fail(Line, std::string(What) + ": " + decoded.Error);
    return std::move(decoded.Text);
}

}  // namespace

void TTsvImporter::Import(const std::string& Input, TDictionaryWriter& Writer, TImportReport& Report,
                          const TProgress& Progress)
{
    std::ifstream in = OpenInput(Input);
    in.seekg(0, std::ios::end);
    const int64_t size = in.tellg();
    in.seekg(0);
    ImportStream(in, size, Writer, Report, Progress);
}

void TTsvImporter::ImportStream(std::istream& In, int64_t Size, TDictionaryWriter& Writer,
                                TImportReport& Report, const TProgress& Progress)
{
    std::string line;
    size_t number = 0;
    while (NextLine(In, line, number)) {
        if (line.empty())
            continue;
        const size_t tab = line.find('\t');
        if (tab == std::string::npos)
            Fail(number, "no tab between the headword and the definition");
        std::string word = Decode(std::string_view(line).substr(0, tab), false, number, "headword");
        std::string definition = Decode(std::string_view(line).substr(tab + 1), true, number, "definition");
        try {
            Writer.Add(std::move(word), std::move(definition));
        } catch (const std::invalid_argument& e) {
            Fail(number, e.what());
        }
        ++Report.Entries;
        if (Progress && Size > 0 && number % 4096 == 0 && In.tellg() > 0)
            Progress(static_cast<size_t>(In.tellg()), static_cast<size_t>(Size));
    }
    if (In.bad())
        throw std::runtime_error("read error");
}

void ReadRelationsFile(const std::string& FileName, TDictionaryWriter& Writer, TImportReport& Report)
{
    std::ifstream in = OpenInput(FileName);
    ReadRelationsStream(in, Writer, Report);
}

void ReadRelationsStream(std::istream& In, TDictionaryWriter& Writer, TImportReport& Report)
{
    std::string line;
    size_t number = 0;
    while (NextLine(In, line, number)) {
        if (line.empty())
            continue;
        const size_t first = line.find('\t');
        const size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
        if (second == std::string::npos)
            Fail(number, "expected headword, kind and target headword separated by tabs");
        const std::string_view text(line);
        const std::string_view kindText = text.substr(first + 1, second - first - 1);
        int kind = 0;
        const auto [end, error] = std::from_chars(kindText.data(), kindText.data() + kindText.size(), kind);
        if (error != std::errc() || end != kindText.data() + kindText.size() || kind < 1 || kind > 255)
            Fail(number, "the kind must be a number from 1 to 255");
        const std::string word = Decode(text.substr(0, first), false, number, "headword");
        const std::string target = Decode(text.substr(second + 1), false, number, "target");
        const int from = Writer.FindFirst(word);
        const int to = Writer.FindFirst(target);
        if (from < 0)
            Fail(number, "\"" + std::string(text.substr(0, first)) + "\" is not a headword");
        if (to < 0)
            Fail(number, "\"" + std::string(text.substr(second + 1)) + "\" is not a headword");
        Writer.AddRelation(from, static_cast<uint8_t>(kind), to);
        ++Report.Relations;
    }
    if (In.bad())
        throw std::runtime_error("read error");
}

}  // namespace makrel
