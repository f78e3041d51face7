#pragma once

// Runs everything a reader can do with a dictionary's bytes and reports the
// first error, so that damaged files can be checked for the error they give
// (and, under the sanitizers, for never misbehaving on the way).

#include <climits>
#include <memory>
#include <string>

#include "dictionary/dictionary_store.h"
#include "dictionary/exceptions.h"
#include "dictionary/memory_stream.h"

namespace lirabo::test {

// "ok", or the message of the first exception ("abort" for a silent one).
inline std::string Probe(std::unique_ptr<TStream> Stream)
{
    TDictionaryStore store;
    try {
        store.OpenDictionary(std::move(Stream));
        for (int i = 0; i < store.EntryCount(); ++i)
            store.GetItem(i);
        int first = 0;
        int count = 0;
        for (const char* word : {"", "w002", "zzz", "W0"})
            store.FindWord(word, false, first, count);
        std::vector<TWordItem> items;
        store.WildcardSearch("*0*", items, INT_MAX);
        store.WildcardSearch("w00?", items, INT_MAX);
        if (store.HasRelations())
            for (int i = 0; i < store.EntryCount(); ++i) {
                TRelationRows rows;
                store.ListRelations(i, rows, 1);
            }
    } catch (const EAbort& e) {
        return *e.what() ? e.what() : "abort";
    } catch (const std::exception& e) {
        return e.what();
    }
    return "ok";
}

inline std::string Probe(const std::vector<unsigned char>& File)
{
    return Probe(std::make_unique<TMemoryStream>(File));
}

}  // namespace lirabo::test
