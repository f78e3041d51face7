#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dictionary/dictionary_store.h"
#include "dictionary_view/entry_layout.h"

namespace lirabo {

// The laid-out entries that the screen needs: consecutive entries from the
// top entry on, enough to cover the lines on screen plus the hidden lines of
// the top entry. Items are reused while scrolling.
class TLayoutCache {
public:
    // Store and Layout must outlive the cache.
    TLayoutCache(TDictionaryStore& Store, const TEntryLayout& Layout) : FStore(Store), FLayout(Layout) {}

    // Makes the cache cover Lines screen lines from (TopEntry, TopLine) at
    // right limit W. Releases the sections the screen no longer needs first.
    // A section that fails to decode raises; the cache is empty then.
    void ProcessEntries(int Lines, int W, int TopEntry, int TopLine);

    // The lines of entry Index at right limit W: the cached count when the
    // entry is laid out (whatever W), else counted afresh; an entry the store
    // does not hold counts as one line. May raise as ProcessEntries.
    int EntryLineCount(int Index, int W);

    // Entry Index as the view shows it (headword, byte 1, body; UTF-8), not
    // laid out; empty when the store does not hold it. May raise as
    // ProcessEntries.
    std::string EntryText(int Index) const;
    // Entry Index laid out for right limit W, without selection marks: the
    // cached item when it is laid out for W, else a fresh layout; empty when
    // the store does not hold it. May raise as ProcessEntries.
    std::string PlainLayout(int Index, int W) const;

    // Empties the cache.
    void Clear();
    // Lays every entry out again at the next ProcessEntries: the indent,
    // the font or the styles changed.
    void MarkStale() { FLayoutWidth = -1; }
    bool Stale() const { return FLayoutWidth < 0; }

    int LayoutWidth() const { return FLayoutWidth; }
    int ProcessedFirst() const { return FProcessedFirst; }
    int ProcessedCount() const { return static_cast<int>(FProcessed.size()); }
    int ProcessedLines() const { return FProcessedLines; }
    bool Contains(int Index) const
    {
        return Index >= FProcessedFirst && Index < FProcessedFirst + ProcessedCount();
    }

    // Item j of the cache (entry ProcessedFirst() + j). Selection writes
    // marked copies of an item's text here.
    TProcessedItem& Item(int j) { return FProcessed[static_cast<size_t>(j)]; }
    const TProcessedItem& Item(int j) const { return FProcessed[static_cast<size_t>(j)]; }

    // Texts (UTF-8) to show in the selection colour wherever they occur in
    // an entry's plain text, without regard to case (see MarkPieces); empty
    // for none. Lays the entries out again.
    void SetHighlight(std::vector<std::string> Pieces);
    const std::vector<std::string>& Highlight() const { return FHighlight; }

    // Changes whenever items are replaced by fresh layouts rather than moved,
    // so that a selection can tell its item is gone.
    uint64_t Generation() const { return FGeneration; }

private:
    // An entry as the view lays it out: UTF-8, whatever the file holds.
    std::string ShownText(const TWordItem& Entry) const;

    TDictionaryStore& FStore;
    const TEntryLayout& FLayout;
    std::vector<TProcessedItem> FProcessed;
    int FProcessedFirst = 0;
    int FProcessedLines = 0;
    int FLayoutWidth = -1;
    uint64_t FGeneration = 0;
    std::vector<std::string> FHighlight;
};

}  // namespace lirabo
