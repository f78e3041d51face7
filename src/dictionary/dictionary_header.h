#pragma once

#include <cstdint>
#include <string>

#include "dictionary/stream.h"
#include "dictionary/text_encoding.h"

namespace lirabo {

// The fixed 60-byte header of a dictionary file and its four descriptive
// strings. One object is reused for successive files: a read overwrites the
// integers first and the strings only once every check has passed.
class TDictionaryHeader {
public:
    static constexpr int kHeaderSize = 60;       // fifteen 32-bit integers
    static constexpr int32_t kFormat = 1024;     // the only format identifier
    static constexpr int32_t kMaxNameLength = 512;
    static constexpr int32_t kMaxNoticeLength = 512;
    static constexpr int32_t kMaxURLLength = 512;
    static constexpr int32_t kMaxInformationLength = 2048;

    uint32_t CRC = 0;  // of the bytes from offset 4 to the end; 0: none stored
    int32_t Format = 0;
    int32_t FileSize = 0;
    int32_t Reserved = 0;  // the text word: see text_encoding.h
    int32_t WordCount = 0;
    int32_t SectionCount = 0;
    int32_t SectionSize = 0;
    int32_t RelationsStart = 0;
    int32_t RelationsEnd = 0;  // 0: no relation data
    int32_t BlockSize = 0;
    int32_t BufferSize = 0;
    int32_t NameLength = 0;
    int32_t NoticeLength = 0;
    int32_t URLLength = 0;
    int32_t InformationLength = 0;

    std::string Name;
    std::string Notice;
    std::string URL;
    std::string Information;
    // What the text word says; set with the strings.
    TTextDescription Text;

    // Reads and verifies the header and the strings from Stream at offset 0,
    // leaving it at the first byte of the section table. A failed check
    // raises EInvalidDictionary (an EAbort) with the reason, also a text word
    // naming an unknown encoding; a short file the stream-read error. The CRC is checked only when CheckCRC is true and
    // the stored CRC is not 0.
    void LoadFromStream(TStream& Stream, bool CheckCRC);

    // Opens FileName read-only, reads it with LoadFromStream and closes it in
    // every case. A file that cannot be opened raises EFOpenError.
    void LoadFromFile(const std::string& FileName, bool CheckCRC);

    // Offset of the section table: the header plus the four strings.
    int64_t SectionTableOffset() const;
};

}  // namespace lirabo
