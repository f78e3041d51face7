#pragma once

#include <map>
#include <memory>
#include <string>

#include "dictionary/dictionary_store.h"
#include "dictionary/memory_stream.h"
#include "makrel/core/dictionary_writer.h"

namespace makrel::test {

// Options that keep a writer's text as UTF-8 whatever it holds, so that the
// file it builds holds each entry as the importer handed it over.
inline TWriterOptions Utf8Options()
{
    TWriterOptions options;
    options.BlockSize = 1;
    options.Encoding = TEncodingChoice::Utf8;
    return options;
}

// What a writer built: its entries by headword, bytes as the file holds
// them, and its header.
struct TWritten {
    std::multimap<std::string, std::string> Entries;
    lirabo::TDictionaryHeader Header;

    // The definition of the one entry under Word, or "(none)".
    std::string Definition(const std::string& Word) const
    {
        const auto it = Entries.find(Word);
        return it == Entries.end() ? "(none)" : it->second;
    }
};

inline TWritten ReadBack(TDictionaryWriter& Writer)
{
    lirabo::TDictionaryStore store;
    store.OpenDictionary(std::make_unique<lirabo::TMemoryStream>(Writer.Build()));
    TWritten written;
    for (int i = 0; i < store.EntryCount(); ++i) {
        const lirabo::TWordItem* item = store.GetItem(i);
        written.Entries.emplace(item->Word, item->Definition);
    }
    written.Header = store.Header();
    return written;
}

}  // namespace makrel::test
