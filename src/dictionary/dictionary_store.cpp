#include "dictionary/dictionary_store.h"

#include <algorithm>

#include "dictionary/dictionary_layout.h"
#include "dictionary/exceptions.h"
#include "dictionary/file_stream.h"
#include "dictionary/little_endian.h"
#include "dictionary/memory_stream.h"
#include "dictionary/section_decoder.h"
#include "dictionary/word_order.h"

namespace lirabo {

TDictionaryStore::TDictionaryStore() : FBzip2(std::make_unique<Tbzip2>()) {}

TDictionaryStore::~TDictionaryStore()
{
    // Nobody may be told of this Clear: the listener may be gone already.
    FOnCleared = nullptr;
    Clear();
}

void TDictionaryStore::Clear()
{
    FreeSection(FList);
    FList.Count = 0;
    FSections.clear();
    FSource = kSourceNone;
    FTopEntry = 0;
    FProcessedLines = 0;
    FEntryCount = 0;
    FKeysSorted = false;
    FSectionCache.Clear();
    FRelationCache.reset();
    FStream.reset();
    if (FOnCleared)
        FOnCleared();
}

void TDictionaryStore::OpenDictionary(const std::string& FileName)
{
    Clear();
    OpenDictionary(std::make_unique<TFileStream>(FileName));
}

void TDictionaryStore::OpenDictionary(std::unique_ptr<TStream> Stream)
{
    Clear();
    if (!Stream)
        throw EFOpenError("Cannot open a dictionary without a stream");
    FStream = std::move(Stream);
    try {
        FStream->Seek(0);
        FHeader.LoadFromStream(*FStream, true);
        CheckHeaderLayout(FHeader, FStream->Size());
        FBzip2->SetBlockSize(FHeader.BlockSize);
        FBzip2->SetBufferSize(FHeader.BufferSize);
        FRule = TTextRule(FHeader.Text.Encoding);
        ReadSectionTable();
        FEntryCount = FHeader.WordCount;
        FSource = kSourceFile;
        KeepSections();
    } catch (...) {
        FSections.clear();
        FStream.reset();
        FSource = kSourceNone;
        FEntryCount = 0;
        throw;
    }
}

void TDictionaryStore::ReadSectionTable()
{
    // The table lies before RelationsStart, which lies inside the file (checked
    // above), so its size is bounded by the file's real length.
    const size_t count = static_cast<size_t>(FHeader.SectionCount);
    std::vector<unsigned char> table(count * 8);
    FStream->ReadBuffer(table.data(), table.size());
    TSectionArray sections(count);
    for (size_t i = 0; i < count; ++i) {
        sections[i].Offset = ReadInt32LE(&table[i * 8]);
        std::copy_n(&table[i * 8 + 4], 4, sections[i].Key.begin());
        sections[i].Count = SectionEntryCount(FHeader, static_cast<int32_t>(i));
    }
    CheckSectionTable(FHeader, sections);
    FKeysSorted = true;
    for (size_t i = 1; i < count; ++i)
        if (FRule.CompareKey(KeyView(sections[i - 1].Key), sections[i].Key) > 0)
            FKeysSorted = false;
    FSections = std::move(sections);
}

void TDictionaryStore::SetItems(std::vector<TWordItem>& Items, TTextEncoding Encoding)
{
    Clear();
    FRule = TTextRule(Encoding);
    if (Items.empty())
        return;
    FEntryCount = static_cast<int>(Items.size());
    FList.Count = FEntryCount;
    FList.Items = std::move(Items);
    Items.clear();
    FSource = kSourceList;
}

std::pair<int64_t, int64_t> TDictionaryStore::CompressedRange(int Index) const
{
    const auto i = static_cast<size_t>(Index);
    const int64_t end = i + 1 < FSections.size() ? int64_t{FSections[i + 1].Offset}
                                                 : int64_t{FHeader.RelationsStart};
    return {FSections[i].Offset, end};
}

TSectionCache::TBytes TDictionaryStore::SectionBytes(int Index)
{
    if (TSectionCache::TBytes cached = FSectionCache.Find(Index))
        return cached;
    const auto [start, end] = CompressedRange(Index);
    FStream->Seek(start);
    TMemoryStream data;
    FBzip2->DecompressStream(*FStream, data, end - start,
                             static_cast<size_t>(MaxSectionBytes(FSections[static_cast<size_t>(Index)].Count)));
    ++FDecompressions;
    return std::make_shared<const std::vector<unsigned char>>(data.Data());
}

void TDictionaryStore::LoadSection(int Index)
{
    TSection& section = FSections.at(static_cast<size_t>(Index));
    if (section.Items)
        return;
    TSectionCache::TBytes bytes = SectionBytes(Index);
    section.Items = DecodeSection(bytes->data(), bytes->size(), section.Count);
    FSectionCache.Insert(Index, std::move(bytes));
}

void TDictionaryStore::FreeSection(TSection& Section)
{
    Section.Items.reset();
}

void TDictionaryStore::KeepSections()
{
    if (FSource != kSourceFile || FSections.empty())
        return;
    const int size = FHeader.SectionSize;
    const int s = std::clamp(FTopEntry / size, 0, static_cast<int>(FSections.size()) - 1);
    const bool next = s + 1 < static_cast<int>(FSections.size()) &&
                      int64_t{FTopEntry % size} + FProcessedLines >= size;
    for (int i = 0; i < static_cast<int>(FSections.size()); ++i)
        if (i != s && !(next && i == s + 1))
            FreeSection(FSections[static_cast<size_t>(i)]);
    LoadSection(s);
    if (next)
        LoadSection(s + 1);
}

const TWordItem* TDictionaryStore::GetItem(int Index)
{
    if (Index < 0 || Index >= FEntryCount)
        return nullptr;
    if (FSource == kSourceList)
        return &(*FList.Items)[static_cast<size_t>(Index)];
    if (FSource != kSourceFile)
        return nullptr;
    const int size = FHeader.SectionSize;
    LoadSection(Index / size);
    return &(*FSections[static_cast<size_t>(Index / size)].Items)[static_cast<size_t>(Index % size)];
}

void TDictionaryStore::SetViewPosition(int TopEntry, int ProcessedLines)
{
    FTopEntry = std::max(TopEntry, 0);
    FProcessedLines = std::max(ProcessedLines, 0);
}

void TDictionaryStore::SetCurrent(int First, int Count)
{
    FCurrentFirst = First;
    FCurrentCount = Count;
}

}  // namespace lirabo
