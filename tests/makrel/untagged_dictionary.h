#pragma once

// Dictionaries as systems with another code page than Windows-1252 wrote
// them: raw bytes, an untagged text word, entries in plain byte order.
// makrel's writer takes UTF-8 and cannot make them.

#include <bzlib.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "dictionary/word_order.h"
#include "test_dictionary.h"

namespace makrel::test {

struct TRawEntry {
    std::string Word;
    std::string Definition;
};

struct TRawStrings {
    std::string Name, Notice, URL, Information;
};

inline void AppendCompressed(lirabo::test::Bytes& File, const std::string& Raw)
{
    unsigned length = static_cast<unsigned>(Raw.size() + Raw.size() / 100 + 600);
    const size_t at = File.size();
    File.resize(at + length);
    if (BZ2_bzBuffToBuffCompress(reinterpret_cast<char*>(&File[at]), &length, const_cast<char*>(Raw.data()),
                                 static_cast<unsigned>(Raw.size()), 1, 0, 0) != BZ_OK)
        throw std::runtime_error("bzip2 failed");
    File.resize(at + length);
}

inline std::string Int32(int32_t Value)
{
    std::string out(4, '\0');
    lirabo::WriteUInt32LE(reinterpret_cast<unsigned char*>(out.data()), static_cast<uint32_t>(Value));
    return out;
}

// Entries must come in the old order; Links name them by that order. A
// relation block is written when there are links.
inline lirabo::test::Bytes BuildUntagged(const std::vector<TRawEntry>& Entries, int SectionSize,
                                         const std::vector<lirabo::test::Link>& Links = {},
                                         const TRawStrings& Strings = {}, int32_t TextWord = 0)
{
    for (size_t i = 1; i < Entries.size(); ++i)
        if (lirabo::CompareWords(Entries[i - 1].Word, Entries[i].Word) > 0)
            throw std::invalid_argument("entries out of byte order at " + std::to_string(i));
    const size_t sections = (Entries.size() + SectionSize - 1) / SectionSize;
    lirabo::test::Bytes file(60);
    for (const std::string* text : {&Strings.Name, &Strings.Notice, &Strings.URL, &Strings.Information})
        file.insert(file.end(), text->begin(), text->end());
    const size_t table = file.size();
    file.resize(table + sections * 8);
    for (size_t s = 0; s < sections; ++s) {
        const size_t first = s * SectionSize;
        const size_t end = std::min(Entries.size(), first + SectionSize);
        lirabo::test::SetInt(file, table + s * 8, static_cast<int64_t>(file.size()));
        for (size_t k = 0; k < 4 && k < Entries[first].Word.size(); ++k)
            file[table + s * 8 + 4 + k] = static_cast<unsigned char>(Entries[first].Word[k]);
        std::string rows, texts;
        for (size_t i = first; i < end; ++i) {
            const size_t length = Entries[i].Definition.size();
            rows += {static_cast<char>(Entries[i].Word.size()), static_cast<char>(length), static_cast<char>(length >> 8)};
            texts += Entries[i].Word + Entries[i].Definition;
        }
        AppendCompressed(file, rows + texts);
    }
    const size_t relationsStart = file.size();
    if (!Links.empty()) {
        std::string block(sections * 4, '\0');
        for (size_t i = 0; i < Entries.size(); ++i) {
            if (i % SectionSize == 0)
                block.replace(i / SectionSize * 4, 4, Int32(static_cast<int32_t>(block.size())));
            for (const auto& link : Links)
                if (link.From == static_cast<int>(i))
                    block += static_cast<char>(link.Kind) + Int32(link.To);
            block += '\0';
        }
        AppendCompressed(file, block);
    }
    using namespace lirabo::test;
    const int64_t fields[][2] = {{kFormat, 1024}, {kFileSize, static_cast<int64_t>(file.size())}, {12, TextWord},
        {kWordCount, static_cast<int64_t>(Entries.size())}, {kSectionCount, static_cast<int64_t>(sections)},
        {kSectionSize, SectionSize}, {kRelationsStart, static_cast<int64_t>(relationsStart)},
        {kRelationsEnd, Links.empty() ? 0 : static_cast<int64_t>(file.size())}, {kBlockSize, 1},
        {kBufferSize, 32}, {kNameLength, static_cast<int64_t>(Strings.Name.size())},
        {kNoticeLength, static_cast<int64_t>(Strings.Notice.size())},
        {kURLLength, static_cast<int64_t>(Strings.URL.size())},
        {kInformationLength, static_cast<int64_t>(Strings.Information.size())}};
    for (const auto& [at, value] : fields)
        SetInt(file, static_cast<size_t>(at), value);
    FixCRC(file);
    return file;
}

}  // namespace makrel::test
