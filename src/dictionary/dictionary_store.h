#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dictionary/bzip2.h"
#include "dictionary/dictionary_header.h"
#include "dictionary/relation.h"
#include "dictionary/relation_data.h"
#include "dictionary/scan_control.h"
#include "dictionary/section.h"
#include "dictionary/section_cache.h"
#include "dictionary/section_decoder.h"
#include "dictionary/stream.h"
#include "dictionary/text_rule.h"
#include "dictionary/word_item.h"

namespace lirabo {

// The store side of a dictionary view: which source is open (nothing, an
// entry list, or a dictionary file), the cache of decoded sections, access
// to entries by number, the word search, the wildcard search and the
// relations. Single-threaded; one store per view.
//
// The display side tells the store where its top entry is and how many lines
// its last layout held (SetViewPosition), which is what KeepSections needs,
// and learns of every Clear through the callback given to SetOnCleared.
class TDictionaryStore {
public:
    enum : uint8_t { kSourceNone = 0, kSourceList = 1, kSourceFile = 2 };

    TDictionaryStore();
    ~TDictionaryStore();
    TDictionaryStore(const TDictionaryStore&) = delete;
    TDictionaryStore& operator=(const TDictionaryStore&) = delete;

    // --- the source -------------------------------------------------------

    // Closes whatever is open and resets the view position; the header and
    // the current range stay. Calls the OnCleared callback.
    void Clear();

    // Opens a dictionary file (read-only, shared). Raises on any failure:
    // EFOpenError, EInvalidDictionary (an EAbort), the stream-read error or a
    // bzip2 error from decoding section 0. Nothing is open after a failure.
    void OpenDictionary(const std::string& FileName);
    // The same over a stream the store takes over (tests, fuzzers).
    void OpenDictionary(std::unique_ptr<TStream> Stream);

    // Shows an entry list, taking the entries over: Items is left empty.
    // An empty list leaves the store as after Clear. Encoding is that of the
    // file the entries came from; searches of the list follow its rule.
    void SetItems(std::vector<TWordItem>& Items, TTextEncoding Encoding = TTextEncoding::Windows1252);

    // Makes sure section Index of the open file is decoded. Raises the
    // stream-read or bzip2 error when it cannot be; the section stays
    // undecoded then and a later access tries again.
    void LoadSection(int Index);
    // Releases a section's decoded entries.
    static void FreeSection(TSection& Section);
    // Keeps only the section of the top entry decoded, and the next one when
    // the last layout's lines may reach into it.
    void KeepSections();

    // Entry Index of the open source, or nullptr when out of range or nothing
    // is open. May decode its section (and raise). Valid until the section is
    // released (KeepSections, FreeSection, Clear): copy what you keep.
    const TWordItem* GetItem(int Index);

    // --- searches ---------------------------------------------------------

    // Searches take text as the file holds it (UTF-8 for a UTF-8 file, which
    // they bring to NFC first) and compare by the file's rule (Rule()).

    // The group of entries whose headword equals S, or else the first entry
    // after it (the last entry when S sorts after all). With Exact, raises
    // EAbort when no headword equals S. First is -1 when nothing is open.
    void FindWord(const std::string& S, bool Exact, int& First, int& Count);

    // Every entry whose headword matches Pattern, in source order, at most
    // MaxCount; returns how many. Items is untouched when MaxCount < 1 and
    // left empty when nothing matched.
    int WildcardSearch(const std::string& Pattern, std::vector<TWordItem>& Items, int MaxCount);

    // The walk behind WildcardSearch: calls Visit with the number and the
    // entry of each match, in source order, at most MaxCount times; returns
    // how many matched. Sections it decodes are released again at once.
    int ForEachMatch(const std::string& Pattern, int MaxCount,
                     const std::function<void(int Index, const TWordItem& Item)>& Visit);

    // Every entry whose definition matches Query (a TDefinitionQuery: words
    // found anywhere in the text, or a wildcard pattern over all of it), in
    // source order, at most MaxCount; returns how many. Items as for
    // WildcardSearch. Sections decoded for the scan are not kept in the
    // section cache: one pass over everything would push out what the view
    // goes back to.
    int DefinitionSearch(const std::string& Query, std::vector<TWordItem>& Items, int MaxCount);
    int ForEachDefinitionMatch(const std::string& Query, int MaxCount,
                               const std::function<void(int Index, const TWordItem& Item)>& Visit);

    // Every entry of the open source, in source order, for a pass over the
    // whole dictionary (gathering its headwords, say). Heeds the scan
    // control; sections decoded for the walk are not kept in the section
    // cache, as for DefinitionSearch. Without WithDefinitions an entry may
    // come with an empty definition, which spares copying every definition
    // of the file. Raises what decoding raises.
    void ForEachEntry(const std::function<void(int Index, const TWordItem& Item)>& Visit,
                      bool WithDefinitions = true);

    // Whole-source searches from now on heed Control (null: none); it must
    // outlive them. A stopped search raises EScanStopped.
    void SetScanControl(const TScanControl* Control) { FScanControl = Control; }
    const TScanControl* ScanControl() const { return FScanControl; }

    // The relations of entry Index in file order. Raises EAbort without
    // relation data, in list mode or for an index out of range.
    void ReadRelations(int Index, TExtendedInfo& Relations);
    // Appends the grouped heading and word rows of entries First..First+Count-1.
    void ListRelations(int First, TRelationRows& Strings, int Count);
    // ListRelations over the current range.
    void ListCurrentRelations(TRelationRows& Strings);

    // --- state --------------------------------------------------------------

    uint8_t Source() const { return FSource; }
    // The entries shown in list mode, else null. Valid until the source changes.
    const std::vector<TWordItem>* ListItems() const { return FSource == kSourceList ? &*FList.Items : nullptr; }
    int EntryCount() const { return FEntryCount; }
    const TDictionaryHeader& Header() const { return FHeader; }
    // The comparison rule of the open file or list.
    const TTextRule& Rule() const { return FRule; }
    Tbzip2& Bzip2() { return *FBzip2; }
    const TSectionArray& Sections() const { return FSections; }
    bool HasRelations() const { return FSource == kSourceFile && FHeader.RelationsEnd != 0; }

    int TopEntry() const { return FTopEntry; }
    int ProcessedLines() const { return FProcessedLines; }
    void SetViewPosition(int TopEntry, int ProcessedLines);

    int CurrentFirst() const { return FCurrentFirst; }
    int CurrentCount() const { return FCurrentCount; }
    void SetCurrent(int First, int Count);

    void SetOnCleared(std::function<void()> Callback) { FOnCleared = std::move(Callback); }

    // --- memory and speed ---------------------------------------------------

    // The byte budget of decompressed sections kept for reuse (default 64 MiB).
    void SetSectionCacheBudget(size_t Bytes) { FSectionCache.SetBudget(Bytes); }
    const TSectionCache& SectionCache() const { return FSectionCache; }
    // The largest relation block kept decompressed between queries (default
    // 64 MiB); a larger one is decompressed for each query.
    void SetRelationCacheLimit(size_t Bytes);
    // Threads a whole-dictionary scan decodes sections on (default: one per core).
    void SetScanThreads(unsigned Threads) { FScanThreads = Threads; }
    // Sections decompressed since the dictionary was opened (cache misses).
    int64_t Decompressions() const { return FDecompressions; }

private:
    void ReadSectionTable();
    std::pair<int64_t, int64_t> CompressedRange(int Index) const;
    TSectionCache::TBytes SectionBytes(int Index);
    int StartSection(const std::string& S);
    int LinearStartSection(std::string_view Prefix) const;
    bool ScanPrefix(const class TWildcardPattern& Pattern, const std::string& Prefix, int MaxCount,
                    const std::function<void(int, const TWordItem&)>& Visit, int& Found);
    void ScanAll(const TEntryTest& Test, bool KeepInCache, int MaxCount,
                 const std::function<void(int, const TWordItem&)>& Visit, int& Found, bool WithDefinitions = true);
    const TRelationData& RelationBlock(std::unique_ptr<TRelationData>& Uncached);

    std::unique_ptr<Tbzip2> FBzip2;
    TDictionaryHeader FHeader;
    std::unique_ptr<TStream> FStream;
    uint8_t FSource = kSourceNone;
    TSectionArray FSections;
    TSection FList;
    int FEntryCount = 0;
    bool FKeysSorted = false;  // the section keys ascend, so they can be bisected
    TTextRule FRule;

    TSectionCache FSectionCache;
    std::unique_ptr<TRelationData> FRelationCache;
    size_t FRelationCacheLimit = 64u << 20;
    unsigned FScanThreads = 0;  // 0: one per core
    int64_t FDecompressions = 0;
    const TScanControl* FScanControl = nullptr;

    int FTopEntry = 0;
    int FProcessedLines = 0;
    int FCurrentFirst = -1;
    int FCurrentCount = 1;
    std::function<void()> FOnCleared;
};

}  // namespace lirabo
