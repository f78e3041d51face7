#include "bench_dictionaries.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "dictionary/ansi_codec.h"
#include "dictionary/display_text.h"
#include "dictionary/memory_stream.h"
#include "makrel/core/dictionary_writer.h"
#include "makrel/core/entry_limits.h"

namespace lirabo::bench {

std::unique_ptr<TDictionaryStore> OpenWordNet()
{
    const char* configured = std::getenv("LIRABO_WORDNET");
    const std::string path = configured ? configured : "build/bin/Dictionaries/english-wordnet.ldi";
    if (!std::filesystem::exists(path))
        return nullptr;
    auto store = std::make_unique<TDictionaryStore>();
    store->OpenDictionary(path);
    return store;
}

const std::vector<unsigned char>& SyntheticDictionary(int Count)
{
    static std::map<int, std::vector<unsigned char>> built;
    auto& bytes = built[Count];
    if (bytes.empty()) {
        makrel::TWriterOptions options;
        options.SectionSize = 64;
        makrel::TDictionaryWriter writer(options);
        // Prefixes like "inte" cover thousands of consecutive headwords.
        const char* stems[] = {"inte", "cons", "comp", "pres", "tran", "unde", "stra", "over"};
        for (int i = 0; i < Count; ++i) {
            char word[32];
            std::snprintf(word, sizeof word, "%s%07d", stems[i % 8], i);
            writer.Add(word, std::string("\x08n.\x07 entry number ") + word);
        }
        bytes = writer.Build();
    }
    return bytes;
}

std::string GermanEnglishPath()
{
    const char* configured = std::getenv("LIRABO_GERMAN_ENGLISH");
    return configured ? configured : "build/bin/Dictionaries/german-english.ldi";
}

namespace {

// A twin of Source in Encoding, built once and kept beside it with Suffix:
// every entry as UTF-8 (converted when Source is Windows-1252), sorted and
// keyed by the twin's rule; built again only when Source is newer.
std::string TwinFile(const std::string& Source, makrel::TEncodingChoice Encoding, const char* Suffix)
{
    const std::string path = Source + Suffix;
    namespace fs = std::filesystem;
    if (fs::exists(path) && fs::last_write_time(path) >= fs::last_write_time(Source))
        return path;
    TDictionaryStore source;
    source.OpenDictionary(Source);
    const TTextEncoding encoding = source.Rule().Encoding();
    const auto utf8 = [encoding](const std::string& Text) { return ToDisplayText(Text, encoding); };
    makrel::TWriterOptions options;
    options.Encoding = Encoding;
    options.SectionSize = source.Header().SectionSize;
    options.Name = utf8(source.Header().Name);
    makrel::TDictionaryWriter writer(options);
    makrel::TImportReport report;  // a few entries outgrow the limits in UTF-8
    for (int i = 0; i < source.EntryCount(); ++i) {
        const TWordItem* item = source.GetItem(i);
        makrel::AddShortened(writer, report, utf8(item->Word), utf8(item->Definition));
        if (i % source.Header().SectionSize == 0)
            source.KeepSections();
    }
    writer.WriteFile(path);
    return path;
}

}  // namespace

std::string Utf8Twin(const std::string& Source)
{
    return TwinFile(Source, makrel::TEncodingChoice::Utf8, ".utf8-bench");
}

std::string Windows1252Twin(const std::string& Path)
{
    TDictionaryStore store;
    store.OpenDictionary(Path);
    if (store.Rule().Encoding() == TTextEncoding::Windows1252)
        return Path;
    return TwinFile(Path, makrel::TEncodingChoice::Windows1252, ".cp1252-bench");
}

std::vector<std::string> AllWords(TDictionaryStore& Store)
{
    std::vector<std::string> words;
    for (int i = 0; i < Store.EntryCount(); ++i)
        words.push_back(Store.GetItem(i)->Word);
    Store.KeepSections();
    return words;
}

}  // namespace lirabo::bench
