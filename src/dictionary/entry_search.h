#pragma once

#include <functional>
#include <string>
#include <vector>

#include "dictionary/definition_query.h"
#include "dictionary/scan_control.h"
#include "dictionary/section_decoder.h"
#include "dictionary/wildcard_pattern.h"
#include "dictionary/word_item.h"

namespace lirabo {

// Called with the number and the entry of each match, in source order.
using TVisitEntry = std::function<void(int Index, const TWordItem& Item)>;

// The two whole-source searches as entry tests, safe on several threads at
// once. The pattern (upper-cased, for Windows-1252) or query must outlive
// the test.
TEntryTest HeadwordTest(const TWildcardPattern& Pattern);
TEntryTest DefinitionTest(const TDefinitionQuery& Query);

// The entries of a list that Test passes, at most MaxCount of them, heeding
// Control (may be null). Returns how many matched.
int ForEachListMatch(const std::vector<TWordItem>& Entries, const TEntryTest& Test, int MaxCount,
                     const TScanControl* Control, const TVisitEntry& Visit);

// Runs Search and copies what it visits into Items, as the stores' searches
// hand results over: Items untouched when MaxCount < 1 or the search raises,
// else replaced by the matches (the list grows in steps, never past MaxCount).
int CollectItems(const std::function<int(const TVisitEntry&)>& Search, std::vector<TWordItem>& Items,
                 int MaxCount);

// A search of an entry list that its owner keeps unchanged meanwhile, from
// any thread: by headword pattern, or in the definitions.
enum class TSearchKind { Headwords, Definitions };
// Encoding is that of the file the entries came from.
int SearchEntryList(const std::vector<TWordItem>& Entries, TSearchKind Kind, const std::string& Query,
                    std::vector<TWordItem>& Items, int MaxCount, const TScanControl* Control,
                    TTextEncoding Encoding = TTextEncoding::Windows1252);

}  // namespace lirabo
