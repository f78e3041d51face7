// A whole dictionary file: open it and use everything a reader offers.

#include <climits>
#include <cstdint>
#include <memory>

#include "dictionary/dictionary_store.h"
#include "dictionary/memory_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    using namespace lirabo;
    TDictionaryStore store;
    store.SetScanThreads(1);
    try {
        store.OpenDictionary(std::make_unique<TMemoryStream>(std::vector<unsigned char>(Data, Data + Size)));
    } catch (const std::exception&) {
        return 0;
    }
    // Words from the file's own entries reach the interesting branches.
    const char* fixed[] = {"", "a", "zzzz", "\xFF"};
    for (const char* word : fixed) {
        try {
            int first = 0;
            int count = 0;
            store.FindWord(word, false, first, count);
            if (const TWordItem* item = store.GetItem(first)) {
                const std::string copy = item->Word;
                store.FindWord(copy, true, first, count);
                TRelationRows rows;
                if (store.HasRelations())
                    store.ListRelations(first, rows, count);
            }
        } catch (const std::exception&) {
        }
    }
    for (const char* pattern : {"*", "A*", "?[a-c]*"}) {
        try {
            std::vector<TWordItem> items;
            store.WildcardSearch(pattern, items, INT_MAX);
        } catch (const std::exception&) {
        }
    }
    try {
        store.SetViewPosition(store.EntryCount() / 2, 40);
        store.KeepSections();
    } catch (const std::exception&) {
    }
    return 0;
}
