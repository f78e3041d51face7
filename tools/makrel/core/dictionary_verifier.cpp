#include "makrel/core/dictionary_verifier.h"

#include <cstring>

#include "dictionary/bzip2.h"
#include "dictionary/crc32.h"
#include "dictionary/dictionary_header.h"
#include "dictionary/dictionary_layout.h"
#include "dictionary/file_stream.h"
#include "dictionary/little_endian.h"
#include "dictionary/section_decoder.h"
#include "dictionary/text_rule.h"
#include "dictionary/utf8_text.h"
#include "makrel/core/text_escape.h"

namespace makrel {

using namespace lirabo;

namespace {

constexpr size_t kMaxReportedOrderProblems = 20;     // one broken sort repeats on every entry
constexpr size_t kMaxReportedEncodingProblems = 20;  // a file in the wrong encoding fails everywhere

class TVerifier {
public:
    explicit TVerifier(const std::string& FileName) : FStream(FileName) {}

    std::vector<std::string> Run();

private:
    bool CheckHeader();
    void CheckHeaderText();
    void CheckText(std::string_view Text, const std::string& Where);
    void CheckSections();
    void CheckSection(int Index, std::string& Previous);
    void CheckRelations();
    std::vector<unsigned char> Decompress(int64_t From, int64_t To, size_t Limit);

    TFileStream FStream;
    TDictionaryHeader FHeader;
    TSectionArray FSections;
    Tbzip2 FBzip2;
    TTextRule FRule;
    size_t FOrderProblems = 0;
    size_t FEncodingProblems = 0;
    std::vector<std::string> FProblems;
};

std::vector<std::string> TVerifier::Run()
{
    if (!CheckHeader())
        return FProblems;
    CheckHeaderText();
    CheckSections();
    CheckRelations();
    if (FEncodingProblems > kMaxReportedEncodingProblems)
        FProblems.push_back(std::to_string(FEncodingProblems - kMaxReportedEncodingProblems) +
                            " more invalid UTF-8 sequences are not listed");
    return FProblems;
}

bool TVerifier::CheckHeader()
{
    try {
        FHeader.LoadFromStream(FStream, false);
        if (FHeader.CRC != 0) {
            FStream.Seek(4);
            uint32_t crc = 0;
            StreamCRC(FStream, crc);
            if (crc != FHeader.CRC)
                FProblems.push_back("checksum mismatch: the file is damaged");
        }
        CheckHeaderLayout(FHeader, FStream.Size());
        FStream.Seek(FHeader.SectionTableOffset());
        std::vector<unsigned char> table(static_cast<size_t>(FHeader.SectionCount) * 8);
        FStream.ReadBuffer(table.data(), table.size());
        FSections.resize(static_cast<size_t>(FHeader.SectionCount));
        for (size_t i = 0; i < FSections.size(); ++i) {
            FSections[i].Offset = ReadInt32LE(&table[i * 8]);
            std::memcpy(FSections[i].Key.data(), &table[i * 8 + 4], 4);
            FSections[i].Count = SectionEntryCount(FHeader, static_cast<int32_t>(i));
        }
        CheckSectionTable(FHeader, FSections);
        FBzip2.SetBlockSize(FHeader.BlockSize);
        FBzip2.SetBufferSize(FHeader.BufferSize);
        FRule = TTextRule(FHeader.Text.Encoding);
        return true;
    } catch (const std::exception& e) {
        FProblems.push_back(*e.what() ? e.what() : "not a dictionary file");
        return false;
    }
}

void TVerifier::CheckHeaderText()
{
    CheckText(FHeader.Name, "the name");
    CheckText(FHeader.Notice, "the notice");
    CheckText(FHeader.URL, "the URL");
    CheckText(FHeader.Information, "the information text");
}

// Reports each run of bytes in Text that do not begin well-formed
// characters, when the file says its text is UTF-8.
void TVerifier::CheckText(std::string_view Text, const std::string& Where)
{
    if (!FRule.Utf8())
        return;
    size_t i = 0;
    bool inRun = false;
    while (i < Text.size()) {
        const size_t start = i;
        const bool invalid = NextUnit(Text, i) >= kInvalidUnit;
        if (invalid && !inRun && FEncodingProblems++ < kMaxReportedEncodingProblems)
            FProblems.push_back(Where + ": invalid UTF-8 at byte " + std::to_string(start));
        inRun = invalid;
    }
}

std::vector<unsigned char> TVerifier::Decompress(int64_t From, int64_t To, size_t Limit)
{
    FStream.Seek(From);
    TMemoryStream data;
    FBzip2.DecompressStream(FStream, data, To - From, Limit);
    return data.Data();
}

void TVerifier::CheckSections()
{
    std::string previous;
    for (int i = 0; i < static_cast<int>(FSections.size()); ++i) {
        try {
            CheckSection(i, previous);
        } catch (const std::exception& e) {
            FProblems.push_back("section " + std::to_string(i) + ": " + e.what());
        }
    }
}

void TVerifier::CheckSection(int Index, std::string& Previous)
{
    const TSection& section = FSections[static_cast<size_t>(Index)];
    const int64_t end = Index + 1 < static_cast<int>(FSections.size())
                            ? FSections[static_cast<size_t>(Index) + 1].Offset
                            : FHeader.RelationsStart;
    const auto data = Decompress(section.Offset, end, static_cast<size_t>(MaxSectionBytes(section.Count)));
    const auto items = DecodeSection(data.data(), data.size(), section.Count);
    const std::string where = "section " + std::to_string(Index);

    size_t used = static_cast<size_t>(section.Count) * 3;
    for (const TWordItem& item : items)
        used += item.Word.size() + item.Definition.size();
    if (used < data.size())
        FProblems.push_back(where + ": " + std::to_string(data.size() - used) + " bytes after the last entry");

    if (FRule.SectionKey(items.front().Word) != section.Key)
        FProblems.push_back(where + ": the key does not match the first headword \"" +
                            EscapeForOutput(items.front().Word, FRule.Encoding()) + "\"");

    for (size_t i = 0; i < items.size(); ++i) {
        const int64_t number = int64_t{Index} * FHeader.SectionSize + static_cast<int64_t>(i);
        const std::string entry = "entry " + std::to_string(number);
        CheckText(items[i].Word, entry + ", headword");
        CheckText(items[i].Definition, entry + ", definition");
        const bool first = Index == 0 && i == 0;
        if (!first && FRule.Compare(Previous, items[i].Word) > 0 &&
            FOrderProblems++ < kMaxReportedOrderProblems)
            FProblems.push_back(entry + ": \"" + EscapeForOutput(items[i].Word, FRule.Encoding()) +
                                "\" sorts before \"" + EscapeForOutput(Previous, FRule.Encoding()) + "\"");
        Previous = items[i].Word;
    }
}

void TVerifier::CheckRelations()
{
    if (FHeader.RelationsEnd == 0)
        return;
    std::vector<unsigned char> data;
    try {
        data = Decompress(FHeader.RelationsStart, FHeader.RelationsEnd,
                          static_cast<size_t>(MaxRelationBytes(FHeader)));
    } catch (const std::exception& e) {
        FProblems.push_back(std::string("relation data: ") + e.what());
        return;
    }
    const size_t tableSize = FSections.size() * 4;
    if (data.size() < tableSize) {
        FProblems.push_back("relation data: shorter than the offset table");
        return;
    }
    size_t position = tableSize;
    size_t danglingTargets = 0;
    for (int32_t entry = 0; entry < FHeader.WordCount; ++entry) {
        if (entry % FHeader.SectionSize == 0) {
            const size_t section = static_cast<size_t>(entry / FHeader.SectionSize);
            if (ReadUInt32LE(&data[section * 4]) != position)
                FProblems.push_back("relation data: the offset of section " + std::to_string(section) +
                                    " does not point at its first list");
        }
        for (;;) {
            if (position >= data.size()) {
                FProblems.push_back("relation data: the list of entry " + std::to_string(entry) +
                                    " is cut short");
                return;
            }
            if (data[position] == 0)
                break;
            if (data.size() - position < 5) {
                FProblems.push_back("relation data: the list of entry " + std::to_string(entry) +
                                    " is cut short");
                return;
            }
            const int32_t target = ReadInt32LE(&data[position + 1]);
            if (target < 0 || target >= FHeader.WordCount)
                ++danglingTargets;
            position += 5;
        }
        ++position;
    }
    if (danglingTargets > 0)
        FProblems.push_back("relation data: " + std::to_string(danglingTargets) +
                            " relations point outside the dictionary");
    if (position < data.size())
        FProblems.push_back("relation data: " + std::to_string(data.size() - position) +
                            " bytes after the last list");
}

}  // namespace

std::vector<std::string> VerifyDictionary(const std::string& FileName)
{
    try {
        return TVerifier(FileName).Run();
    } catch (const std::exception& e) {
        return {e.what()};
    }
}

}  // namespace makrel
