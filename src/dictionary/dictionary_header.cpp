#include "dictionary/dictionary_header.h"

#include "dictionary/crc32.h"
#include "dictionary/exceptions.h"
#include "dictionary/file_stream.h"
#include "dictionary/little_endian.h"

namespace lirabo {

namespace {

std::string ReadString(TStream& Stream, int32_t Length)
{
    // A negative length cannot be read, like a string beyond the end.
    if (Length < 0)
        throw EReadError();
    std::string s(static_cast<size_t>(Length), '\0');
    Stream.ReadBuffer(s.data(), s.size());
    return s;
}

void CheckLength(int32_t Length, int32_t Limit, const char* What)
{
    if (Length > Limit)
        throw EInvalidDictionary(std::string(What) + " is " + std::to_string(Length) +
                                 " bytes long; at most " + std::to_string(Limit) + " are allowed");
}

}  // namespace

void TDictionaryHeader::LoadFromStream(TStream& Stream, bool CheckCRC)
{
    unsigned char raw[kHeaderSize];
    Stream.ReadBuffer(raw, sizeof raw);
    int32_t* fields[] = {&Format, &FileSize, &Reserved, &WordCount, &SectionCount,
                         &SectionSize, &RelationsStart, &RelationsEnd, &BlockSize, &BufferSize,
                         &NameLength, &NoticeLength, &URLLength, &InformationLength};
    CRC = ReadUInt32LE(raw);
    for (size_t i = 0; i < std::size(fields); ++i)
        *fields[i] = ReadInt32LE(raw + 4 * (i + 1));

    if (Format != kFormat)
        throw EInvalidDictionary("not a dictionary file (format " + std::to_string(Format) +
                                 ", expected " + std::to_string(kFormat) + ")");
    if (FileSize != Stream.Size())
        throw EInvalidDictionary("the header gives a size of " + std::to_string(FileSize) +
                                 " bytes, the file has " + std::to_string(Stream.Size()));
    if (CheckCRC && CRC != 0) {
        Stream.Seek(4);
        uint32_t actual = 0;
        StreamCRC(Stream, actual);
        Stream.Seek(kHeaderSize);
        if (actual != CRC)
            throw EInvalidDictionary("checksum mismatch: the file is damaged");
    }
    TTextDescription text = DescribeText(Reserved);
    CheckLength(NameLength, kMaxNameLength, "the name");
    CheckLength(NoticeLength, kMaxNoticeLength, "the notice");
    CheckLength(URLLength, kMaxURLLength, "the URL");
    CheckLength(InformationLength, kMaxInformationLength, "the information text");

    std::string name = ReadString(Stream, NameLength);
    std::string notice = ReadString(Stream, NoticeLength);
    std::string url = ReadString(Stream, URLLength);
    std::string information = ReadString(Stream, InformationLength);
    Name = std::move(name);
    Notice = std::move(notice);
    URL = std::move(url);
    Information = std::move(information);
    Text = std::move(text);
}

void TDictionaryHeader::LoadFromFile(const std::string& FileName, bool CheckCRC)
{
    TFileStream stream(FileName);
    LoadFromStream(stream, CheckCRC);
}

int64_t TDictionaryHeader::SectionTableOffset() const
{
    return int64_t{kHeaderSize} + NameLength + NoticeLength + URLLength + InformationLength;
}

}  // namespace lirabo
