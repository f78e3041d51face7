#pragma once

#include <memory>
#include <string>
#include <vector>

#include "dictionary/dictionary_store.h"

namespace lirabo::bench {

// A store over the WordNet dictionary, or null when it has not been built.
std::unique_ptr<TDictionaryStore> OpenWordNet();

// The bytes of a synthetic dictionary of Count entries, section size 64,
// whose headwords share long runs of four-byte prefixes, built once.
const std::vector<unsigned char>& SyntheticDictionary(int Count);

// The default German-English dictionary, or the file LIRABO_GERMAN_ENGLISH
// names; it may not exist.
std::string GermanEnglishPath();

// The UTF-8 twin of a dictionary: every entry as UTF-8, sorted and keyed by
// the UTF-8 rule. Built beside Source once, and again only when Source is
// newer; its path.
std::string Utf8Twin(const std::string& Source);
// A Windows-1252 dictionary of Path's content: Path itself when it is one,
// else its twin with what the code page lacks transliterated (built as above).
std::string Windows1252Twin(const std::string& Path);

// Every headword of an open store, in order.
std::vector<std::string> AllWords(TDictionaryStore& Store);

}  // namespace lirabo::bench
