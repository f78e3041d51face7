#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "dictionary/dictionary_header.h"
#include "dictionary/exceptions.h"
#include "dictionary/memory_stream.h"
#include "test_dictionary.h"

namespace lirabo {
namespace {

using test::Bytes;

// A header written byte by byte: format, size and the four lengths with
// their strings, then Extra bytes standing in for the section table.
Bytes HandMadeHeader(int Name, int Notice, int URL, int Information, int Extra = 0)
{
    Bytes file(60, 0);
    for (int n : {Name, Notice, URL, Information})
        file.insert(file.end(), static_cast<size_t>(std::max(n, 0)), 'x');
    file.insert(file.end(), static_cast<size_t>(Extra), 0);
    test::SetInt(file, test::kFormat, 1024);
    test::SetInt(file, test::kFileSize, static_cast<int64_t>(file.size()));
    test::SetInt(file, test::kNameLength, Name);
    test::SetInt(file, test::kNoticeLength, Notice);
    test::SetInt(file, test::kURLLength, URL);
    test::SetInt(file, test::kInformationLength, Information);
    return file;
}

// Reads File into Header; returns "" on success, else the exception's kind.
std::string Load(TDictionaryHeader& Header, const Bytes& File, bool CheckCRC = true)
{
    TMemoryStream stream(File);
    try {
        Header.LoadFromStream(stream, CheckCRC);
    } catch (const EAbort&) {
        return "abort";
    } catch (const EReadError&) {
        return "read";
    }
    return "";
}

TEST(DictionaryHeaderTest, ReadsFieldsAndStringsAndStopsAtTheSectionTable)
{
    Bytes file = HandMadeHeader(2, 3, 1, 4, 16);
    std::copy_n("NaNotUInfo", 10, file.begin() + 60);
    test::SetInt(file, test::kWordCount, 7);
    test::FixCRC(file);
    TDictionaryHeader header;
    TMemoryStream stream(file);
    header.LoadFromStream(stream, true);
    EXPECT_EQ(70, stream.Position());
    EXPECT_EQ("Na", header.Name);
    EXPECT_EQ("Not", header.Notice);
    EXPECT_EQ("U", header.URL);
    EXPECT_EQ("Info", header.Information);
    EXPECT_EQ(7, header.WordCount);
    EXPECT_EQ(70, header.SectionTableOffset());
}

TEST(DictionaryHeaderTest, EmptyStringsPutTheTableAtSixty)
{
    TDictionaryHeader header;
    Bytes file = HandMadeHeader(0, 0, 0, 0, 8);
    TMemoryStream stream(file);
    header.LoadFromStream(stream, true);
    EXPECT_EQ(60, stream.Position());
    EXPECT_EQ("", header.Name);
}

TEST(DictionaryHeaderTest, ChecksumIsCheckedOnlyWhenAskedAndStored)
{
    TDictionaryHeader header;
    Bytes file = HandMadeHeader(1, 1, 1, 1);
    EXPECT_EQ("", Load(header, file)) << "CRC 0 means no checksum";
    test::FixCRC(file);
    EXPECT_EQ("", Load(header, file));
    file[61] ^= 1;  // a byte covered by the checksum
    EXPECT_EQ("", Load(header, file, false)) << "the catalogue scan does not check";
    EXPECT_EQ("abort", Load(header, file, true));
    // The reserved word at offset 12 is covered too.
    test::FixCRC(file);
    file[12] = 9;
    EXPECT_EQ("abort", Load(header, file, true));
}

TEST(DictionaryHeaderTest, FormatAndFileSizeMustBeExact)
{
    TDictionaryHeader header;
    for (int format : {1023, 1025, 0}) {
        Bytes file = HandMadeHeader(0, 0, 0, 0);
        test::SetInt(file, test::kFormat, format);
        EXPECT_EQ("abort", Load(header, file)) << format;
    }
    for (int delta : {-1, 1}) {
        Bytes file = HandMadeHeader(0, 0, 0, 0);
        test::SetInt(file, test::kFileSize, static_cast<int64_t>(file.size()) + delta);
        EXPECT_EQ("abort", Load(header, file, false)) << delta;
    }
}

TEST(DictionaryHeaderTest, StringLengthLimits)
{
    TDictionaryHeader header;
    EXPECT_EQ("", Load(header, HandMadeHeader(512, 512, 512, 2048)));
    EXPECT_EQ(2048u, header.Information.size());
    EXPECT_EQ("abort", Load(header, HandMadeHeader(513, 0, 0, 0)));
    EXPECT_EQ("abort", Load(header, HandMadeHeader(0, 513, 0, 0)));
    EXPECT_EQ("abort", Load(header, HandMadeHeader(0, 0, 513, 0)));
    EXPECT_EQ("abort", Load(header, HandMadeHeader(0, 0, 0, 2049)));
    EXPECT_EQ("read", Load(header, HandMadeHeader(-1, 0, 0, 0)));
}

TEST(DictionaryHeaderTest, ShortFilesRaiseTheReadError)
{
    TDictionaryHeader header;
    Bytes file = HandMadeHeader(0, 0, 0, 0);
    file.resize(59);
    EXPECT_EQ("read", Load(header, file));
    // The strings promised but not there.
    Bytes strings = HandMadeHeader(10, 0, 0, 0);
    strings.resize(65);
    test::SetInt(strings, test::kFileSize, 65);
    EXPECT_EQ("read", Load(header, strings));
}

TEST(DictionaryHeaderTest, AFailedReadKeepsThePreviousStrings)
{
    TDictionaryHeader header;
    Bytes good = HandMadeHeader(3, 0, 0, 0);
    std::copy_n("Old", 3, good.begin() + 60);
    ASSERT_EQ("", Load(header, good));
    Bytes bad = HandMadeHeader(600, 0, 0, 0);
    test::SetInt(bad, test::kWordCount, 42);
    EXPECT_EQ("abort", Load(header, bad));
    EXPECT_EQ("Old", header.Name);
    EXPECT_EQ(42, header.WordCount) << "the integers of the failed file stay";
}

TEST(DictionaryHeaderTest, LoadFromFileOpensAndReportsMissingFiles)
{
    const auto path = std::filesystem::temp_directory_path() / "lirabo_header_test.ldi";
    const Bytes file = HandMadeHeader(4, 0, 0, 0);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()),
                                                 static_cast<std::streamsize>(file.size()));
    TDictionaryHeader header;
    header.LoadFromFile(path.string(), true);
    EXPECT_EQ("xxxx", header.Name);
    std::filesystem::remove(path);
    EXPECT_THROW(header.LoadFromFile(path.string(), true), EFOpenError);
    EXPECT_THROW(header.LoadFromFile(std::filesystem::temp_directory_path().string(), true), EFOpenError);
}

}  // namespace
}  // namespace lirabo
