#include <gtest/gtest.h>

#include "probe.h"
#include "test_dictionary.h"

namespace lirabo {
namespace {

using test::Bytes;

// Five entries in three sections, one relation, four-byte strings.
Bytes Base()
{
    return test::BuildDictionary(test::NumberedEntries(5), 2, {{0, 1, 1}},
                                 test::DescribedOptions("Name", "Note", "http", "Info"));
}

struct FieldCase {
    const char* Name;
    size_t Field;
    int64_t Value;  // kOnePast and kBeyondEnd are resolved against the file
    std::string Expected;
};

constexpr int64_t kOnePast = -1000;    // the field's largest valid value plus one
constexpr int64_t kBeyondEnd = -1001;  // the file's length plus one

int64_t OnePast(size_t Field, const Bytes& File)
{
    switch (Field) {
    case test::kFormat: return 1025;
    case test::kNameLength:
    case test::kNoticeLength:
    case test::kURLLength: return 513;
    case test::kInformationLength: return 2049;
    case test::kBlockSize: return 10;
    case test::kBufferSize: return 4097;
    default: return test::GetInt(File, Field) + 1;
    }
}

void PrintTo(const FieldCase& Case, std::ostream* Out)
{
    *Out << Case.Name;
}

class HeaderFieldDamageTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(HeaderFieldDamageTest, GivesItsError)
{
    const FieldCase& c = GetParam();
    Bytes file = Base();
    const int64_t size = static_cast<int64_t>(file.size());
    int64_t value = c.Value;
    if (value == kOnePast)
        value = OnePast(c.Field, file);
    else if (value == kBeyondEnd)
        value = size + 1;
    test::SetField(file, c.Field, value);
    std::string expected = c.Expected;
    for (auto [token, text] : {std::pair{"$V", std::to_string(value)}, std::pair{"$S", std::to_string(size)}})
        for (size_t at; (at = expected.find(token)) != std::string::npos;)
            expected.replace(at, 2, text);
    EXPECT_EQ(expected, test::Probe(file).substr(0, expected.size()));
}

const std::string kFormatError = "not a dictionary file (format $V, expected 1024)";
const std::string kSizeError = "the header gives a size of $V bytes, the file has $S";
const std::string kCountError = "the header gives ";
const std::string kShiftedTable = "section 0 starts at ";
const std::string kRead = "Stream read error";

// Every field at 0, its maximum, one past its valid range, beyond the end of
// the file, and 0xFFFFFFFF; the checksum is fixed, so each edit is judged by
// the reader's own checks.
const FieldCase kCases[] = {
    {"Format0", test::kFormat, 0, kFormatError},
    {"FormatMax", test::kFormat, 0x7FFFFFFF, kFormatError},
    {"FormatOnePast", test::kFormat, kOnePast, kFormatError},
    {"FormatBeyondEnd", test::kFormat, kBeyondEnd, kFormatError},
    {"FormatAllOnes", test::kFormat, 0xFFFFFFFF, "not a dictionary file (format -1, expected 1024)"},
    {"FileSize0", test::kFileSize, 0, kSizeError},
    {"FileSizeMax", test::kFileSize, 0x7FFFFFFF, kSizeError},
    {"FileSizeOnePast", test::kFileSize, kOnePast, kSizeError},
    {"FileSizeBeyondEnd", test::kFileSize, kBeyondEnd, kSizeError},
    {"FileSizeAllOnes", test::kFileSize, 0xFFFFFFFF, "the header gives a size of -1 bytes, the file has $S"},
    {"WordCount0", test::kWordCount, 0, kCountError + "3 sections where 0 words in sections of 2 need 0"},
    {"WordCountMax", test::kWordCount, 0x7FFFFFFF, kCountError + "3 sections where 2147483647 words"},
    // Six words still need three sections: the last one holds too few.
    {"WordCountOnePast", test::kWordCount, kOnePast, kRead},
    {"WordCountBeyondEnd", test::kWordCount, kBeyondEnd, kCountError + "3 sections where $V words"},
    {"WordCountAllOnes", test::kWordCount, 0xFFFFFFFF, "the word count is negative (-1)"},
    {"SectionCount0", test::kSectionCount, 0, kCountError + "0 sections where 5 words in sections of 2 need 3"},
    {"SectionCountMax", test::kSectionCount, 0x7FFFFFFF, kCountError + "2147483647 sections"},
    {"SectionCountOnePast", test::kSectionCount, kOnePast, kCountError + "4 sections"},
    {"SectionCountBeyondEnd", test::kSectionCount, kBeyondEnd, kCountError + "$V sections"},
    {"SectionCountAllOnes", test::kSectionCount, 0xFFFFFFFF, kCountError + "-1 sections"},
    {"SectionSize0", test::kSectionSize, 0, "the section size is 0; it must lie between 1 and 65536"},
    {"SectionSizeMax", test::kSectionSize, 0x7FFFFFFF, "the section size is 2147483647; it must lie between 1 and 65536"},
    {"SectionSizeOnePast", test::kSectionSize, kOnePast, kCountError + "3 sections where 5 words in sections of 3 need 2"},
    {"SectionSizeBeyondEnd", test::kSectionSize, kBeyondEnd, kCountError + "3 sections where 5 words in sections of $V need 1"},
    {"SectionSizeAllOnes", test::kSectionSize, 0xFFFFFFFF, "the section size is -1; it must lie between 1 and 65536"},
    {"RelationsStart0", test::kRelationsStart, 0, "the relation data start (0) lies outside the file body"},
    {"RelationsStartMax", test::kRelationsStart, 0x7FFFFFFF, "the relation data start (2147483647) lies outside"},
    // One byte of the relation stream joins the last section's range.
    {"RelationsStartOnePast", test::kRelationsStart, kOnePast, "BZ_SEQUENCE_ERROR"},
    {"RelationsStartBeyondEnd", test::kRelationsStart, kBeyondEnd, "the relation data start ($V) lies outside"},
    {"RelationsStartAllOnes", test::kRelationsStart, 0xFFFFFFFF, "the relation data start (-1) lies outside"},
    {"RelationsEnd0", test::kRelationsEnd, 0, "ok"},
    {"RelationsEndMax", test::kRelationsEnd, 0x7FFFFFFF, "the relation data end (2147483647) lies outside"},
    {"RelationsEndOnePast", test::kRelationsEnd, kOnePast, "the relation data end ($V) lies outside"},
    {"RelationsEndBeyondEnd", test::kRelationsEnd, kBeyondEnd, "the relation data end ($V) lies outside"},
    {"RelationsEndAllOnes", test::kRelationsEnd, 0xFFFFFFFF, "the relation data end (-1) lies outside"},
    // The decompression settings are hints: values out of range are ignored.
    {"BlockSize0", test::kBlockSize, 0, "ok"},
    {"BlockSizeMax", test::kBlockSize, 0x7FFFFFFF, "ok"},
    {"BlockSizeOnePast", test::kBlockSize, kOnePast, "ok"},
    {"BlockSizeBeyondEnd", test::kBlockSize, kBeyondEnd, "ok"},
    {"BlockSizeAllOnes", test::kBlockSize, 0xFFFFFFFF, "ok"},
    {"BufferSize0", test::kBufferSize, 0, "ok"},
    {"BufferSizeMax", test::kBufferSize, 0x7FFFFFFF, "ok"},
    {"BufferSizeOnePast", test::kBufferSize, kOnePast, "ok"},
    {"BufferSizeBeyondEnd", test::kBufferSize, kBeyondEnd, "ok"},
    {"BufferSizeAllOnes", test::kBufferSize, 0xFFFFFFFF, "ok"},
    // A shorter string moves the section table onto the text "Info"; a
    // length within its limit but past the end of the 300-byte file cannot
    // be read.
    {"NameLength0", test::kNameLength, 0, kShiftedTable + "1868983881"},
    {"NameLengthMax", test::kNameLength, 512, kRead},
    {"NameLengthOnePast", test::kNameLength, kOnePast, "the name is 513 bytes long; at most 512 are allowed"},
    {"NameLengthBeyondEnd", test::kNameLength, kBeyondEnd, kRead},
    {"NameLengthAllOnes", test::kNameLength, 0xFFFFFFFF, kRead},
    {"NoticeLength0", test::kNoticeLength, 0, kShiftedTable + "1868983881"},
    {"NoticeLengthMax", test::kNoticeLength, 512, kRead},
    {"NoticeLengthOnePast", test::kNoticeLength, kOnePast, "the notice is 513 bytes long; at most 512 are allowed"},
    {"NoticeLengthBeyondEnd", test::kNoticeLength, kBeyondEnd, kRead},
    {"NoticeLengthAllOnes", test::kNoticeLength, 0xFFFFFFFF, kRead},
    {"URLLength0", test::kURLLength, 0, kShiftedTable + "1868983881"},
    {"URLLengthMax", test::kURLLength, 512, kRead},
    {"URLLengthOnePast", test::kURLLength, kOnePast, "the URL is 513 bytes long; at most 512 are allowed"},
    {"URLLengthBeyondEnd", test::kURLLength, kBeyondEnd, kRead},
    {"URLLengthAllOnes", test::kURLLength, 0xFFFFFFFF, kRead},
    {"InformationLength0", test::kInformationLength, 0, kShiftedTable + "1868983881"},
    {"InformationLengthMax", test::kInformationLength, 2048, kRead},
    {"InformationLengthOnePast", test::kInformationLength, kOnePast, "the information text is 2049 bytes long; at most 2048 are allowed"},
    {"InformationLengthBeyondEnd", test::kInformationLength, kBeyondEnd, kRead},
    {"InformationLengthAllOnes", test::kInformationLength, 0xFFFFFFFF, kRead},
};

INSTANTIATE_TEST_SUITE_P(AllFields, HeaderFieldDamageTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace lirabo
