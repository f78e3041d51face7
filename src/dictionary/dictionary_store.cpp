#include "dictionary/dictionary_store.h"

#include <algorithm>

#include "dictionary/dictionary_layout.h"
#include "dictionary/exceptions.h"
#include "dictionary/file_stream.h"
#include "dictionary/little_endian.h"
#include "dictionary/memory_stream.h"
#include "dictionary/section_decoder.h"

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
    FStream = std::move(Stream);
    try {
        FStream->Seek(0);
        FHeader.LoadFromStream(*FStream, true);
        CheckHeaderLayout(FHeader, FStream->Size());
        FBzip2->SetBlockSize(FHeader.BlockSize);
        FBzip2->SetBufferSize(FHeader.BufferSize);
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
    FSections = std::move(sections);
}

void TDictionaryStore::SetItems(std::vector<TWordItem>& Items)
{
    Clear();
    if (Items.empty())
        return;
    FEntryCount = static_cast<int>(Items.size());
    FList.Count = FEntryCount;
    FList.Items = std::move(Items);
    Items.clear();
    FSource = kSourceList;
}

void TDictionaryStore::LoadSection(int Index)
{
    TSection& section = FSections.at(static_cast<size_t>(Index));
    if (section.Items)
        return;
    const int64_t end = static_cast<size_t>(Index) + 1 < FSections.size()
                            ? int64_t{FSections[static_cast<size_t>(Index) + 1].Offset}
                            : int64_t{FHeader.RelationsStart};
    FStream->Seek(section.Offset);
    TMemoryStream data;
    FBzip2->DecompressStream(*FStream, data, end - section.Offset,
                             static_cast<size_t>(section.Count) * kMaxDecodedEntryBytes);
    section.Items = DecodeSection(data.Data().data(), data.Data().size(), section.Count);
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
