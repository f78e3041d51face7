#include "dictionary_view/layout_cache.h"

#include <algorithm>

#include "dictionary/display_text.h"
#include "dictionary_view/text_highlight.h"

namespace lirabo {

std::string TLayoutCache::ShownText(const TWordItem& Entry) const
{
    return ToDisplayText(TEntryLayout::DisplayText(Entry), FStore.Rule().Encoding());
}

std::string TLayoutCache::EntryText(int Index) const
{
    const TWordItem* entry = FStore.GetItem(Index);
    return entry ? ShownText(*entry) : std::string();
}

std::string TLayoutCache::PlainLayout(int Index, int W) const
{
    if (FLayoutWidth == W && Contains(Index))
        return WithoutMarks(FProcessed[static_cast<size_t>(Index - FProcessedFirst)].Text);
    const TWordItem* entry = FStore.GetItem(Index);
    if (!entry)
        return {};
    TProcessedItem item;
    FLayout.WrapEntry(item, ShownText(*entry), W);
    return item.Text;
}

void TLayoutCache::Clear()
{
    FProcessed.clear();
    FProcessed.shrink_to_fit();
    FProcessedFirst = 0;
    FProcessedLines = 0;
    ++FGeneration;
}

void TLayoutCache::ProcessEntries(int Lines, int W, int TopEntry, int TopLine)
{
    const int64_t need = int64_t{Lines} + std::max(TopLine, 0);
    if (FLayoutWidth == W && FProcessedFirst == TopEntry && FProcessedLines >= need)
        return;

    // The last layout's line total bounds the entries on screen, which tells
    // the store whether the next section is needed too.
    FStore.SetViewPosition(TopEntry, FProcessedLines);
    FStore.KeepSections();

    // No entry has fewer than one line, so no more than need entries are needed.
    const int64_t limit = std::min<int64_t>(need, int64_t{FStore.EntryCount()} - TopEntry);
    std::vector<TProcessedItem> items;
    items.reserve(static_cast<size_t>(std::clamp<int64_t>(limit, 0, 4096)));
    int64_t sum = 0;
    if (FLayoutWidth == W && Contains(TopEntry)) {
        for (size_t j = static_cast<size_t>(TopEntry - FProcessedFirst);
             j < FProcessed.size() && static_cast<int64_t>(items.size()) < need; ++j) {
            sum += FProcessed[j].Lines;
            items.push_back(std::move(FProcessed[j]));
        }
    } else {
        ++FGeneration;
    }
    FProcessed.clear();
    FProcessedFirst = TopEntry;
    FProcessedLines = 0;
    FLayoutWidth = W;

    try {
        while (sum < need && static_cast<int64_t>(items.size()) < limit) {
            const TWordItem* entry = FStore.GetItem(TopEntry + static_cast<int>(items.size()));
            if (!entry)
                break;
            TProcessedItem item;
            FLayout.WrapEntry(item, ShownText(*entry), W);
            MarkPieces(item.Text, FHighlight);
            sum += item.Lines;
            items.push_back(std::move(item));
        }
    } catch (...) {
        Clear();
        FLayoutWidth = -1;
        throw;
    }
    FProcessed = std::move(items);
    FProcessedLines = static_cast<int>(std::min<int64_t>(sum, INT32_MAX));
}

void TLayoutCache::SetHighlight(std::vector<std::string> Pieces)
{
    FHighlight = std::move(Pieces);
    MarkStale();
}

int TLayoutCache::EntryLineCount(int Index, int W)
{
    if (!Stale() && Contains(Index))
        return FProcessed[static_cast<size_t>(Index - FProcessedFirst)].Lines;
    const TWordItem* entry = FStore.GetItem(Index);
    if (!entry)
        return 1;
    return FLayout.CountLines(ShownText(*entry), W);
}

}  // namespace lirabo
