#include "dictionary/entry_search.h"

#include <deque>

#include "dictionary/word_order.h"

namespace lirabo {

namespace {

constexpr size_t kStopCheckEntries = 4096;

}  // namespace

TEntryTest HeadwordTest(const TWildcardPattern& Pattern)
{
    if (Pattern.Utf8())
        return [&Pattern](std::string_view Word, std::string_view) { return Pattern.Matches(Word); };
    return [&Pattern](std::string_view Word, std::string_view) {
        thread_local std::string upper;
        upper.assign(Word);
        for (char& c : upper)
            c = static_cast<char>(UpperAscii(static_cast<unsigned char>(c)));
        return Pattern.Matches(upper);
    };
}

TEntryTest DefinitionTest(const TDefinitionQuery& Query)
{
    return [&Query](std::string_view, std::string_view Definition) {
        thread_local std::string scratch;
        return Query.Matches(Definition, scratch);
    };
}

int ForEachListMatch(const std::vector<TWordItem>& Entries, const TEntryTest& Test, int MaxCount,
                     const TScanControl* Control, const TVisitEntry& Visit)
{
    int found = 0;
    for (size_t i = 0; i < Entries.size() && found < MaxCount; ++i) {
        if (i % kStopCheckEntries == 0) {
            CheckStop(Control);
            ReportProgress(Control, static_cast<int64_t>(i), static_cast<int64_t>(Entries.size()));
        }
        if (!Test(Entries[i].Word, Entries[i].Definition))
            continue;
        Visit(static_cast<int>(i), Entries[i]);
        ++found;
    }
    return found;
}

int CollectItems(const std::function<int(const TVisitEntry&)>& Search, std::vector<TWordItem>& Items, int MaxCount)
{
    if (MaxCount <= 0)
        return 0;
    // Gathered in blocks and moved into a list of the exact size at the
    // end: growing one list by a fixed step would copy it over and over
    // (minutes for a million results), and doubling it would leave up to
    // twice the room in use while it grows.
    std::deque<TWordItem> found;
    const int count = Search([&](int, const TWordItem& Item) { found.push_back(Item); });
    std::vector<TWordItem> items;
    items.reserve(found.size());
    while (!found.empty()) {
        items.push_back(std::move(found.front()));
        found.pop_front();
    }
    Items = std::move(items);
    return count;
}

int SearchEntryList(const std::vector<TWordItem>& Entries, TSearchKind Kind, const std::string& Query,
                    std::vector<TWordItem>& Items, int MaxCount, const TScanControl* Control,
                    TTextEncoding Encoding)
{
    const TWildcardPattern pattern(Kind == TSearchKind::Headwords ? Query : std::string(), Encoding);
    const TDefinitionQuery query(Kind == TSearchKind::Definitions ? Query : std::string(), Encoding);
    if (Kind == TSearchKind::Definitions && query.Empty())
        return CollectItems([](const TVisitEntry&) { return 0; }, Items, MaxCount);
    const TEntryTest test = Kind == TSearchKind::Headwords ? HeadwordTest(pattern) : DefinitionTest(query);
    return CollectItems(
        [&](const TVisitEntry& Visit) { return ForEachListMatch(Entries, test, MaxCount, Control, Visit); }, Items,
        MaxCount);
}

}  // namespace lirabo
