#include "makrel/stardict/stardict_importer.h"

#include <algorithm>
#include <filesystem>
#include <numeric>

#include "dictionary/markup_codes.h"
#include "dictionary/word_item.h"
#include "makrel/core/entry_limits.h"
#include "makrel/core/entry_text.h"
#include "makrel/core/sequential_data_file.h"
#include "makrel/stardict/stardict_article.h"
#include "makrel/stardict/stardict_info.h"

namespace makrel {

namespace {

using namespace lirabo::markup;

// As for dictd: no real article comes near this, and a broken index must
// not make makrel read gigabytes.
constexpr uint32_t kMaxArticle = 1 << 20;
// StarDict limits index words to 255 bytes plus the terminator; a longer
// run without one is not an index.
constexpr size_t kMaxIndexWord = 256;
constexpr size_t kReadChunk = 1 << 16;
constexpr std::string_view kEllipsis = "\xE2\x80\xA6";

struct IndexEntry {
    std::string Word;  // UTF-8
    uint64_t Offset;
    uint32_t Size;
};

std::string Existing(const std::string& Base, std::initializer_list<const char*> Extensions)
{
    for (const char* extension : Extensions)
        if (std::filesystem::is_regular_file(Base + extension))
            return Base + extension;
    return "";
}

// The whole of a plain or gzip-compressed file.
std::string ReadWhole(const std::string& FileName)
{
    TSequentialDataFile file(FileName);
    std::string all;
    std::string chunk;
    for (uint64_t offset = 0;; offset += kReadChunk) {
        const bool full = file.Read(offset, kReadChunk, chunk);
        all += chunk;
        if (!full)
            return all;
    }
}

// Reads a NUL-terminated word at Data[Pos]; false when there is none.
bool ReadWord(std::string_view Data, size_t& Pos, std::string& Word)
{
    const size_t end = Data.find('\0', Pos);
    if (end == std::string_view::npos || end - Pos > kMaxIndexWord)
        return false;
    Word.assign(Data.substr(Pos, end - Pos));
    Pos = end + 1;
    return true;
}

uint64_t BigEndian(std::string_view Data, size_t At, size_t Bytes)
{
    uint64_t value = 0;
    for (size_t k = 0; k < Bytes; ++k)
        value = value << 8 | static_cast<unsigned char>(Data[At + k]);
    return value;
}

std::vector<IndexEntry> ReadIndex(const std::string& FileName, int OffsetBits)
{
    const std::string data = ReadWhole(FileName);
    const size_t numbers = static_cast<size_t>(OffsetBits / 8) + 4;
    std::vector<IndexEntry> entries;
    for (size_t pos = 0; pos < data.size();) {
        IndexEntry e;
        if (!ReadWord(data, pos, e.Word) || data.size() - pos < numbers)
            throw EInputError("the index is damaged after " + std::to_string(entries.size()) + " words");
        e.Offset = BigEndian(data, pos, numbers - 4);
        e.Size = static_cast<uint32_t>(BigEndian(data, pos + numbers - 4, 4));
        pos += numbers;
        entries.push_back(std::move(e));
    }
    return entries;
}

}  // namespace

void TStarDictImporter::Import(const std::string& Input, TDictionaryWriter& Writer, TImportReport& Report,
                               const TProgress& Progress)
{
    TStarDictInfo info;
    info.ReadFile(Input);
    const std::string base = Input.ends_with(".ifo") ? Input.substr(0, Input.size() - 4) : Input;
    const std::string indexFile = Existing(base, {".idx", ".idx.gz"});
    const std::string dataFile = Existing(base, {".dict.dz", ".dict"});
    if (indexFile.empty())
        throw EInputError("no .idx file beside the .ifo file");
    if (dataFile.empty())
        throw EInputError("no .dict.dz or .dict file beside the .ifo file");

    const std::vector<IndexEntry> index = ReadIndex(indexFile, info.OffsetBits());
    if (const std::string count = info.Get("wordcount");
        !count.empty() && count != std::to_string(index.size()))
        AddWarning(Report, "the .ifo file announces " + count + " words, the index holds " +
                               std::to_string(index.size()));

    std::vector<size_t> order(index.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return index[a].Offset < index[b].Offset; });

    TEntryText text;
    TStarDictArticleConverter converter(text, info.TypeSequence());
    TSequentialDataFile data(dataFile);
    std::vector<std::string> words(index.size());
    std::vector<std::string> definitions(index.size());
    std::vector<char> present(index.size(), 0);
    std::string article;
    size_t cut = 0;
    for (size_t k = 0; k < order.size(); ++k) {
        const IndexEntry& e = index[order[k]];
        const uint32_t size = std::min(e.Size, kMaxArticle);
        if (!data.Read(e.Offset, size, article)) {
            AddWarning(Report, "\"" + e.Word + "\" lies beyond the end of " + dataFile + "; left out");
            continue;
        }
        std::string& definition = definitions[order[k]];
        definition = converter.Convert(article);
        if (size < e.Size) {
            ++cut;
            if (definition.size() + kEllipsis.size() <= lirabo::TWordItem::kMaxDefinitionLength)
                definition += kEllipsis;
        }
        words[order[k]] = text.Convert(e.Word);
        ShortenEntry(Report, words[order[k]], definition);
        present[order[k]] = 1;
        if (Progress && k % 4096 == 0)
            Progress(k, order.size());
    }
    if (cut > 0)
        AddWarning(Report,
                   std::to_string(cut) + " articles over " + std::to_string(kMaxArticle) + " bytes were cut");

    std::vector<std::pair<std::string, uint32_t>> synonyms;
    if (const std::string synFile = Existing(base, {".syn"}); !synFile.empty()) {
        const std::string syn = ReadWhole(synFile);
        for (size_t pos = 0; pos < syn.size();) {
            std::string word;
            if (!ReadWord(syn, pos, word) || syn.size() - pos < 4)
                throw EInputError("the .syn file is damaged after " + std::to_string(synonyms.size()) +
                                  " synonyms");
            const auto target = static_cast<uint32_t>(BigEndian(syn, pos, 4));
            pos += 4;
            if (target >= index.size() || !present[target])
                AddWarning(Report, "synonym \"" + word + "\" points to no word; left out");
            else
                synonyms.emplace_back(std::move(word), target);
        }
    }

    for (const auto& [word, target] : synonyms) {
        std::string definition;
        definition += kLinkStart;
        definition += words[target];
        definition += kLinkEnd;
        if (!definitions[target].empty())
            definition += kLineBreak + definitions[target];
        AddShortened(Writer, Report, text.Convert(word), std::move(definition));
    }
    for (size_t i = 0; i < index.size(); ++i) {
        if (!present[i])
            continue;
        Writer.Add(std::move(words[i]), std::move(definitions[i]));
        ++Report.Entries;
    }

    for (const auto& [type, count] : converter.Skipped())
        AddWarning(Report, std::to_string(count) + " data fields of type '" + std::string(1, type) +
                               "' (not text) left out");
    if (converter.Malformed() > 0)
        AddWarning(Report,
                   std::to_string(converter.Malformed()) + " articles with damaged fields kept in part");
    if (Progress)
        Progress(order.size(), order.size());
    // The .ifo names no languages: the bookname that often does ("German -
    // English") is free text, so they stay unknown.
    THtmlConverter descriptionHtml(text);
    std::string information = descriptionHtml.PlainText(info.Get("description"));
    if (const std::string author = info.Get("author"); !author.empty())
        information += (information.empty() ? "" : "\r\n") + text.Convert("Author: " + author);
    Writer.SuggestDescription(text.Convert(info.Get("bookname")), "", text.Convert(info.Get("website")),
                              information);
}

}  // namespace makrel
