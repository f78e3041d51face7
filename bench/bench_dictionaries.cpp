#include "bench_dictionaries.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "dictionary/memory_stream.h"
#include "makrel/core/dictionary_writer.h"

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

std::vector<std::string> AllWords(TDictionaryStore& Store)
{
    std::vector<std::string> words;
    for (int i = 0; i < Store.EntryCount(); ++i)
        words.push_back(Store.GetItem(i)->Word);
    Store.KeepSections();
    return words;
}

}  // namespace lirabo::bench
