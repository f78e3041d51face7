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

// Every headword of an open store, in order.
std::vector<std::string> AllWords(TDictionaryStore& Store);

}  // namespace lirabo::bench
