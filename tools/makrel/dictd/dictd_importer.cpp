#include "makrel/dictd/dictd_importer.h"

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

#include <unicode/uchar.h>

#include "dictionary/utf8_text.h"
#include "dictionary/word_item.h"
#include "dictionary/word_order.h"
#include "makrel/core/entry_limits.h"
#include "makrel/core/entry_text.h"
#include "makrel/core/language_codes.h"
#include "makrel/core/sequential_data_file.h"
#include "makrel/dictd/dictd_article.h"
#include "makrel/dictd/dictd_index.h"
#include "makrel/dictd/dictd_notice.h"
#include "makrel/dictd/wrap_column.h"

namespace makrel {

namespace {

// No article of a real dictionary comes near this; a longer one is cut here
// (it could not keep more than 65535 bytes anyway), so that a broken index
// cannot make makrel read gigabytes into memory.
constexpr uint64_t kMaxArticle = 1 << 20;
constexpr size_t kProgressStep = 4096;
// The articles read to find whether the source wraps its prose: enough for
// any dictionary to show its habit, little time on a large one.
constexpr uint64_t kWrapSample = 8 << 20;
constexpr std::string_view kEllipsis = "\xE2\x80\xA6";

// The article text without its first line when that line only repeats the
// metadata entry's name.
std::string_view MetadataText(std::string_view Article)
{
    if (Article.starts_with("00")) {
        const size_t lineEnd = Article.find('\n');
        Article = lineEnd == std::string_view::npos ? std::string_view() : Article.substr(lineEnd + 1);
    }
    return Article;
}

// The lines of Text as entry text joined by CR LF, the line break of the
// descriptive texts; leading and trailing blank lines dropped.
std::string DescriptionText(std::string_view Text, TEntryText& Converter)
{
    std::string out;
    size_t pendingBreaks = 0;
    for (size_t start = 0; start < Text.size();) {
        size_t end = Text.find('\n', start);
        if (end == std::string_view::npos)
            end = Text.size();
        std::string line = Converter.Convert(Text.substr(start, end - start));
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        const size_t indent = line.find_first_not_of(' ');
        if (indent == std::string::npos) {
            ++pendingBreaks;
        } else {
            if (!out.empty())
                for (size_t i = 0; i <= pendingBreaks; ++i)
                    out += "\r\n";
            out += line.substr(indent);
            pendingBreaks = 0;
        }
        start = end + 1;
    }
    return out;
}

// The column the articles' prose is wrapped at, from the articles at the
// front of the data (in Order, data order).
int WrapColumn(const std::string& DataFile, const std::vector<TDictdIndexEntry>& Index,
               const std::vector<size_t>& Order)
{
    TSequentialDataFile data(DataFile);
    TWrapColumn column;
    std::string article;
    uint64_t sampled = 0;
    uint64_t lastOffset = UINT64_MAX;
    for (const size_t i : Order) {
        const TDictdIndexEntry& e = Index[i];
        if (e.Offset == lastOffset || IsDictdMetadata(e.Word))
            continue;  // an article listed under several words counts once
        lastOffset = e.Offset;
        if (!data.Read(e.Offset, static_cast<size_t>(std::min(e.Length, kMaxArticle)), article))
            break;
        column.Add(article);
        sampled += article.size();
        if (sampled >= kWrapSample)
            break;
    }
    return column.Column();
}

// Whether Word holds a capital of any script. (Case folding is no test:
// it changes the final sigma too.)
bool HasCapital(std::string_view Word)
{
    for (size_t i = 0; i < Word.size();) {
        const auto c = static_cast<UChar32>(lirabo::NextUnit(Word, i));
        if (u_isupper(c) || u_istitle(c))
            return true;
    }
    return false;
}

// Whether the index keeps the case of its words: dictd's own indexer folds
// them to lower case, an index with capitals was written with the words'
// spellings.
bool IndexKeepsCase(const std::vector<TDictdIndexEntry>& Index)
{
    return std::any_of(Index.begin(), Index.end(), [](const TDictdIndexEntry& e) {
        return HasCapital(e.Word) && !IsDictdMetadata(e.Word);
    });
}

}  // namespace

std::string TDictdImporter::FindDataFile(const std::string& Index)
{
    std::string base = Index;
    if (base.ends_with(".index"))
        base.resize(base.size() - 6);
    for (const char* extension : {".dict.dz", ".dict"})
        if (std::filesystem::is_regular_file(base + extension))
            return base + extension;
    return "";
}

TDictdImporter::TLanguages TDictdImporter::LanguagesOf(const std::string& Index)
{
    std::string name = std::filesystem::path(Index).filename().string();
    for (char& c : name)
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    if (name.ends_with(".index"))
        name.resize(name.size() - 6);
    if (name.starts_with("freedict-"))
        name.erase(0, 9);
    // Exactly two codes: a longer name may merely begin like one.
    if (name.size() != 7 || name[3] != '-')
        return {};
    TLanguages languages{TwoLetterLanguage(name.substr(0, 3)), TwoLetterLanguage(name.substr(4))};
    if (languages.Headword.empty() || languages.Definition.empty())
        return {};
    return languages;
}

void TDictdImporter::Import(const std::string& Input, TDictionaryWriter& Writer, TImportReport& Report,
                            const TProgress& Progress)
{
    const std::vector<TDictdIndexEntry> index = ReadDictdIndexFile(Input);
    const std::string dataFile = FindDataFile(Input);
    if (dataFile.empty())
        throw EInputError("no data file (.dict.dz or .dict) beside the index");
    TSequentialDataFile data(dataFile);

    std::vector<size_t> order(index.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return index[a].Offset < index[b].Offset; });

    TEntryText text;
    TDictdArticleFormatter formatter(text);
    formatter.SetWrapColumn(WrapColumn(dataFile, index, order));
    const bool indexSpells = IndexKeepsCase(index);
    formatter.SetIndexSpells(indexSpells);
    std::vector<TDictdEntry> entries(index.size());
    std::vector<char> present(index.size(), 0);
    std::string name;
    std::string url;
    std::string information;
    std::string article;
    // Index lines with the same word for the same article, among those at
    // the current offset (order groups them).
    std::unordered_map<std::string, int> earlier;
    // The headwords already made of the article at the current offset. Two
    // index words that both name its headline ("compiler compiler" and
    // "compiler-compiler") would show it twice under one headword, and so
    // would an index that keeps case and lists it under spellings differing
    // only in case as headword order sees it ("Announce", "announce").
    // (Spellings taken from a headline, "B&W" beside "b&w", are the
    // dictionary's own and stay.)
    std::unordered_set<std::string> made;
    uint64_t groupOffset = 0;
    for (size_t k = 0; k < order.size(); ++k) {
        const size_t i = order[k];
        const TDictdIndexEntry& e = index[i];
        const uint64_t length = std::min(e.Length, kMaxArticle);
        if (!data.Read(e.Offset, static_cast<size_t>(length), article)) {
            AddWarning(Report, "\"" + e.Word + "\" lies beyond the end of " + dataFile + "; left out");
            continue;
        }
        if (IsDictdMetadata(e.Word)) {
            const std::string_view key = e.Word;
            const std::string value = DescriptionText(MetadataText(article), text);
            if (key.ends_with("short"))
                name = value.substr(0, value.find('\r'));
            else if (key.ends_with("url"))
                url = value.substr(0, value.find('\r'));
            else if (key.ends_with("info"))
                information = value;
            continue;
        }
        if (e.Offset != groupOffset) {
            groupOffset = e.Offset;
            earlier.clear();
            made.clear();
        }
        const int occurrence = earlier[e.Word + '\t' + std::to_string(e.Length)]++;
        TDictdEntry& entry = entries[i];
        if (!formatter.Format(e.Word, article, occurrence, entry))
            continue;
        if (!made.insert((indexSpells ? lirabo::UpperCaseAscii(entry.Word) : entry.Word) + '\t' + std::to_string(e.Length)).second) {
            entry = TDictdEntry();
            continue;
        }
        if (length < e.Length &&
            entry.Definition.size() + kEllipsis.size() <= lirabo::TWordItem::kMaxDefinitionLength) {
            // Cut on reading but short enough now: still a shortened entry.
            entry.Definition += kEllipsis;
            ++Report.ShortenedEntries;
            AddWarning(Report, "the article of \"" + e.Word + "\" (" + std::to_string(e.Length) +
                                   " bytes) was cut at " + std::to_string(kMaxArticle) + " bytes");
        }
        ShortenEntry(Report, entry.Word, entry.Definition);
        present[i] = 1;
        if (Progress && k % kProgressStep == 0)
            Progress(k, order.size());
    }

    for (size_t i = 0; i < entries.size(); ++i) {
        if (!present[i])
            continue;
        Writer.Add(std::move(entries[i].Word), std::move(entries[i].Definition));
        entries[i] = TDictdEntry();
        ++Report.Entries;
    }
    if (Progress)
        Progress(order.size(), order.size());
    Writer.SuggestDescription(name, DictdNotice(name, information, url), url, information);
    const TLanguages languages = LanguagesOf(Input);
    Writer.SuggestLanguages(languages.Headword, languages.Definition);
}

}  // namespace makrel
