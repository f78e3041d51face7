#pragma once

// Dictionaries for tests, built in memory through makrel's writer, and the
// byte-editing helpers the corruption tests use.

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "dictionary/ansi_codec.h"
#include "dictionary/crc32.h"
#include "dictionary/dictionary_store.h"
#include "dictionary/little_endian.h"
#include "dictionary/memory_stream.h"
#include "makrel/core/dictionary_writer.h"

namespace lirabo::test {

using Bytes = std::vector<unsigned char>;

struct Entry {
    std::string Word;
    std::string Definition;
};

// A relation between entries given by their place in the entry list.
struct Link {
    int From;
    uint8_t Kind;
    int To;
};

// The smallest bzip2 block size keeps tests fast, above all under the
// sanitizers; readers do not depend on it.
inline makrel::TWriterOptions FastOptions()
{
    makrel::TWriterOptions options;
    options.BlockSize = 1;
    return options;
}

// Writer options with the four descriptive strings set.
inline makrel::TWriterOptions DescribedOptions(std::string Name, std::string Notice, std::string URL,
                                               std::string Information)
{
    makrel::TWriterOptions options = FastOptions();
    options.Name = std::move(Name);
    options.Notice = std::move(Notice);
    options.URL = std::move(URL);
    options.Information = std::move(Information);
    return options;
}

// Entries and descriptive strings are the bytes the file holds: Windows-1252,
// unless Options ask for UTF-8. The writer takes UTF-8, so Windows-1252 text
// goes in converted and comes out as the same bytes.
inline Bytes BuildDictionary(const std::vector<Entry>& Entries, int SectionSize = 256,
                             const std::vector<Link>& Links = {}, makrel::TWriterOptions Options = FastOptions())
{
    const bool utf8 = Options.Encoding == makrel::TEncodingChoice::Utf8;
    const auto text = [utf8](const std::string& Text) { return utf8 ? Text : AnsiToUtf8(Text); };
    Options.SectionSize = SectionSize;
    if (!utf8) {
        Options.Encoding = makrel::TEncodingChoice::Windows1252;
        for (std::string* field : {&Options.Name, &Options.Notice, &Options.URL, &Options.Information})
            *field = AnsiToUtf8(*field);
    }
    makrel::TDictionaryWriter writer(Options);
    for (const Entry& e : Entries)
        writer.Add(text(e.Word), text(e.Definition));
    for (const Link& l : Links)
        writer.AddRelation(l.From, l.Kind, l.To);
    return writer.Build();
}

inline void Open(TDictionaryStore& Store, const Bytes& File)
{
    Store.OpenDictionary(std::make_unique<TMemoryStream>(File));
}

inline int32_t GetInt(const Bytes& File, size_t At)
{
    return ReadInt32LE(&File[At]);
}

inline void SetInt(Bytes& File, size_t At, int64_t Value)
{
    WriteUInt32LE(&File[At], static_cast<uint32_t>(Value));
}

// Recomputes the stored CRC after an edit, so that the edit itself is tested.
inline void FixCRC(Bytes& File)
{
    SetInt(File, 0, BufferCRC(File.data() + 4, File.size() - 4));
}

// Sets a header field and keeps the checksum right.
inline void SetField(Bytes& File, size_t At, int64_t Value)
{
    SetInt(File, At, Value);
    FixCRC(File);
}

// Header field offsets.
enum Field : size_t {
    kCRC = 0, kFormat = 4, kFileSize = 8, kWordCount = 16, kSectionCount = 20, kSectionSize = 24,
    kRelationsStart = 28, kRelationsEnd = 32, kBlockSize = 36, kBufferSize = 40,
    kNameLength = 44, kNoticeLength = 48, kURLLength = 52, kInformationLength = 56,
};

inline size_t SectionTable(const Bytes& File)
{
    return 60 + static_cast<size_t>(GetInt(File, kNameLength) + GetInt(File, kNoticeLength) +
                                    GetInt(File, kURLLength) + GetInt(File, kInformationLength));
}

// Entries "w000", "w001", ... with definitions "d0", "d1", ...
inline std::vector<Entry> NumberedEntries(int Count)
{
    std::vector<Entry> entries;
    for (int i = 0; i < Count; ++i) {
        char word[16];
        std::snprintf(word, sizeof word, "w%03d", i);
        entries.push_back({word, "d" + std::to_string(i)});
    }
    return entries;
}

}  // namespace lirabo::test
