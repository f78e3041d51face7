// The word search, the wildcard search and the definition search of the
// dictionary store.

#include <algorithm>
#include <limits>
#include <thread>

#include "dictionary/definition_query.h"
#include "dictionary/dictionary_layout.h"
#include "dictionary/dictionary_store.h"
#include "dictionary/entry_search.h"
#include "dictionary/exceptions.h"
#include "dictionary/parallel_section_reader.h"
#include "dictionary/section_decoder.h"
#include "dictionary/wildcard_pattern.h"
#include "dictionary/word_order.h"

namespace lirabo {

namespace {

constexpr int64_t kParallelScanMinBytes = 256 << 10;  // compressed body worth a thread pool

// The text every match must begin with: the pattern up to its first wildcard.
std::string LiteralPrefix(const std::string& Pattern)
{
    return Pattern.substr(0, Pattern.find_first_of("*?["));
}

}  // namespace

int TDictionaryStore::LinearStartSection(std::string_view Prefix) const
{
    const int last = static_cast<int>(FSections.size()) - 1;
    for (int k = 1; k <= last; ++k)
        if (FRule.CompareKey(Prefix, FSections[static_cast<size_t>(k)].Key) <= 0)
            return k - 1;
    return last;
}

int TDictionaryStore::StartSection(const std::string& S)
{
    // The keys are compared as four-byte strings, zero bytes included.
    const std::string prefix = FRule.KeyPrefix(S);
    if (!FKeysSorted)
        return LinearStartSection(prefix);

    // The first section k >= 1 whose key is not below the prefix, by bisection;
    // the linear walk would start at k - 1.
    const auto keyBelow = [&](const TSection& s, std::string_view p) { return FRule.CompareKey(p, s.Key) > 0; };
    const auto first = FSections.begin() + 1;
    const int k = static_cast<int>(std::lower_bound(first, FSections.end(), prefix, keyBelow) - FSections.begin());
    if (k >= static_cast<int>(FSections.size()))
        return static_cast<int>(FSections.size()) - 1;

    // Sections whose key equals the prefix may still begin below S: only
    // their first headwords tell. Rather than walking them one by one, bisect
    // for the last section that begins below S; the scan starts there and
    // finds the same first entry, since everything before it sorts below S.
    const auto keyEqual = [&](std::string_view p, const TSection& s) { return FRule.CompareKey(p, s.Key) < 0; };
    const int end = static_cast<int>(std::upper_bound(FSections.begin() + k, FSections.end(), std::string_view(prefix), keyEqual) -
                                     FSections.begin());
    int low = k - 1;
    int high = end;
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        LoadSection(middle);
        if (FRule.Compare((*FSections[static_cast<size_t>(middle)].Items).front().Word, S) < 0)
            low = middle;
        else
            high = middle;
    }
    return low;
}

void TDictionaryStore::FindWord(const std::string& Text, bool Exact, int& First, int& Count)
{
    const std::string S = FRule.Prepare(Text);
    First = -1;
    Count = 1;
    const TWordItem* candidate = nullptr;
    int candidateIndex = -1;

    auto scan = [&](const std::vector<TWordItem>& Entries, int Base) {
        for (size_t i = 0; i < Entries.size(); ++i)
            if (FRule.Compare(Entries[i].Word, S) >= 0) {
                candidate = &Entries[i];
                candidateIndex = Base + static_cast<int>(i);
                return true;
            }
        return false;
    };

    if (FSource == kSourceList) {
        scan(*FList.Items, 0);
    } else if (FSource == kSourceFile && !FSections.empty()) {
        for (int s = StartSection(S); s < static_cast<int>(FSections.size()); ++s) {
            LoadSection(s);
            if (scan(*FSections[static_cast<size_t>(s)].Items, s * FHeader.SectionSize))
                break;
        }
    }
    if (candidate && (!Exact || FRule.Compare(candidate->Word, S) == 0))
        First = candidateIndex;

    if (First == -1) {
        if (Exact)
            throw EAbort();
        First = FEntryCount - 1;
        return;
    }
    // The candidate lives in a decoded section that fetching the group's
    // later entries never releases, so the reference stays valid.
    const std::string word = candidate->Word;
    while (First + Count < FEntryCount) {
        const TWordItem* next = GetItem(First + Count);
        if (!next || FRule.Compare(next->Word, word) != 0)
            break;
        ++Count;
    }
}

bool TDictionaryStore::ScanPrefix(const TWildcardPattern& Pattern, const std::string& Prefix, int MaxCount,
                                  const std::function<void(int, const TWordItem&)>& Visit, int& Found)
{
    // A set right after the prefix narrows the range further: "AB[CD]*"
    // lies between "ABC" and the last word beginning "ABD".
    int low = 0;
    int high = 255;
    std::bitset<256> next;
    if (Pattern.BytesAt(Prefix.size(), next)) {
        if (next.none())
            return false;
        while (!next[static_cast<size_t>(low)])
            ++low;
        while (!next[static_cast<size_t>(high)])
            --high;
    }
    const auto pastRange = [&](const std::string& Word) {
        if (!FRule.StartsWith(Word, Prefix))
            return FRule.Compare(Word, Prefix) > 0;
        return !Pattern.Utf8() && Word.size() > Prefix.size() &&
               UpperAscii(static_cast<unsigned char>(Word[Prefix.size()])) > high;
    };

    // Sections decoded only to place the search are released again, as
    // every section the search decodes is, also when a read fails or the
    // search is stopped halfway.
    std::vector<bool> decoded(FSections.size());
    for (size_t s = 0; s < FSections.size(); ++s)
        decoded[s] = FSections[s].Items.has_value();
    struct TRelease {
        TSectionArray& Sections;
        const std::vector<bool>& Decoded;
        ~TRelease()
        {
            for (size_t s = 0; s < Sections.size(); ++s)
                if (!Decoded[s])
                    FreeSection(Sections[s]);
        }
    } release{FSections, decoded};

    std::string upper;
    const std::string start = low > 0 ? Prefix + static_cast<char>(low) : Prefix;
    const int count = static_cast<int>(FSections.size());
    for (int s = StartSection(start); s < count; ++s) {
        CheckStop(FScanControl);
        LoadSection(s);
        const std::vector<TWordItem>& entries = *FSections[static_cast<size_t>(s)].Items;
        for (size_t i = 0; i < entries.size(); ++i) {
            // Entries are sorted: past the range nothing can match.
            if (pastRange(entries[i].Word))
                return true;
            if (Pattern.Matches(Pattern.Utf8() ? std::string_view(entries[i].Word)
                                               : std::string_view(upper = UpperCaseAscii(entries[i].Word)))) {
                Visit(s * FHeader.SectionSize + static_cast<int>(i), entries[i]);
                if (++Found >= MaxCount)
                    return true;
            }
        }
        ReportProgress(FScanControl, s + 1, count);
    }
    return false;
}

void TDictionaryStore::ScanAll(const TEntryTest& Test, bool KeepInCache, int MaxCount,
                               const std::function<void(int, const TWordItem&)>& Visit, int& Found,
                               bool WithDefinitions)
{
    // Threads pay off only on a body large enough to keep them busy.
    const int64_t body = int64_t{FHeader.RelationsStart} - FSections.front().Offset;
    const unsigned threads = FScanThreads > 0                ? FScanThreads
                             : body < kParallelScanMinBytes ? 1u
                                                            : std::max(1u, std::thread::hardware_concurrency());
    TParallelSectionReader reader(threads);
    const int count = static_cast<int>(FSections.size());
    int queued = 0;
    // Keeps a window of sections in flight ahead of the one being searched;
    // the workers decode them and keep only the entries Test passes.
    auto fill = [&] {
        while (queued < count && reader.QueuedCount() < 2 * static_cast<size_t>(reader.Threads())) {
            const TSection& section = FSections[static_cast<size_t>(queued)];
            TParallelSectionReader::TJob job;
            if (section.Items) {
                // Already decoded for the screen: searched in place, nothing to decode.
                job.Decompressed = std::make_shared<const std::vector<unsigned char>>();
            } else {
                job.Count = section.Count;
                job.BufferSize = FBzip2->BufferSize();
                job.Limit = static_cast<size_t>(MaxSectionBytes(section.Count));
                job.Decompressed = FSectionCache.Find(queued);
                job.Test = &Test;
                job.WithDefinitions = WithDefinitions;
            }
            if (!job.Decompressed) {
                try {
                    const auto [start, end] = CompressedRange(queued);
                    job.Compressed.resize(static_cast<size_t>(end - start));
                    FStream->Seek(start);
                    FStream->ReadBuffer(job.Compressed.data(), job.Compressed.size());
                    ++FDecompressions;
                } catch (...) {
                    // Raised when the search reaches this section, not before.
                    reader.PushFailure(std::current_exception());
                    ++queued;
                    continue;
                }
            }
            reader.Push(std::move(job));
            ++queued;
        }
    };

    const int size = FHeader.SectionSize;
    for (int s = 0; s < count; ++s) {
        CheckStop(FScanControl);
        fill();
        TParallelSectionReader::TDecoded decoded = reader.Next();
        const TSection& section = FSections[static_cast<size_t>(s)];
        if (section.Items) {
            const std::vector<TWordItem>& entries = *section.Items;
            for (size_t i = 0; i < entries.size(); ++i) {
                if (!Test(entries[i].Word, entries[i].Definition))
                    continue;
                Visit(s * size + static_cast<int>(i), entries[i]);
                if (++Found >= MaxCount)
                    return;
            }
        } else {
            if (KeepInCache)
                FSectionCache.Insert(s, std::move(decoded.Bytes));
            for (size_t k = 0; k < decoded.Items.size(); ++k) {
                Visit(s * size + decoded.Indexes[k], decoded.Items[k]);
                if (++Found >= MaxCount)
                    return;
            }
        }
        ReportProgress(FScanControl, s + 1, count);
    }
}

int TDictionaryStore::ForEachMatch(const std::string& Pattern, int MaxCount,
                                   const std::function<void(int, const TWordItem&)>& Visit)
{
    if (MaxCount <= 0)
        return 0;
    const TWildcardPattern pattern(Pattern, FRule.Encoding());
    const TEntryTest test = HeadwordTest(pattern);
    int found = 0;
    if (FSource == kSourceList) {
        found = ForEachListMatch(*FList.Items, test, MaxCount, FScanControl, Visit);
    } else if (FSource == kSourceFile && !FSections.empty()) {
        const std::string prefix =
            LiteralPrefix(FRule.Utf8() ? FRule.Prepare(Pattern) : UpperCaseAscii(Pattern));
        if (!prefix.empty() && FKeysSorted)
            ScanPrefix(pattern, prefix, MaxCount, Visit, found);
        else
            ScanAll(test, true, MaxCount, Visit, found);
    }
    return found;
}

int TDictionaryStore::ForEachDefinitionMatch(const std::string& Query, int MaxCount,
                                             const std::function<void(int, const TWordItem&)>& Visit)
{
    const TDefinitionQuery query(Query, FRule.Encoding());
    if (MaxCount <= 0 || query.Empty())
        return 0;
    const TEntryTest test = DefinitionTest(query);
    int found = 0;
    if (FSource == kSourceList)
        found = ForEachListMatch(*FList.Items, test, MaxCount, FScanControl, Visit);
    else if (FSource == kSourceFile && !FSections.empty())
        ScanAll(test, false, MaxCount, Visit, found);
    return found;
}

void TDictionaryStore::ForEachEntry(const std::function<void(int, const TWordItem&)>& Visit, bool WithDefinitions)
{
    const TEntryTest every = [](std::string_view, std::string_view) { return true; };
    int found = 0;
    if (FSource == kSourceList)
        ForEachListMatch(*FList.Items, every, std::numeric_limits<int>::max(), FScanControl, Visit);
    else if (FSource == kSourceFile && !FSections.empty())
        ScanAll(every, false, std::numeric_limits<int>::max(), Visit, found, WithDefinitions);
}

int TDictionaryStore::WildcardSearch(const std::string& Pattern, std::vector<TWordItem>& Items, int MaxCount)
{
    return CollectItems([&](const auto& Visit) { return ForEachMatch(Pattern, MaxCount, Visit); }, Items,
                          MaxCount);
}

int TDictionaryStore::DefinitionSearch(const std::string& Query, std::vector<TWordItem>& Items, int MaxCount)
{
    return CollectItems([&](const auto& Visit) { return ForEachDefinitionMatch(Query, MaxCount, Visit); },
                          Items, MaxCount);
}

}  // namespace lirabo
