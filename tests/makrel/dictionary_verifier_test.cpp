#include <bzlib.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dictionary/little_endian.h"
#include "dictionary/text_rule.h"
#include "dictionary/word_item.h"
#include "makrel/core/dictionary_verifier.h"
#include "makrel_test_folder.h"

namespace makrel {
namespace {

using lirabo::TTextEncoding;
using lirabo::TWordItem;

struct TRawFile {
    std::vector<TWordItem> Entries;  // stored in this order, as they are
    TTextEncoding Encoding;
    std::string Name;
    bool PlainKey;  // the first four bytes, whatever the encoding
};

TRawFile Raw(std::vector<TWordItem> Entries, TTextEncoding Encoding = TTextEncoding::Utf8, std::string Name = "",
             bool PlainKey = false)
{
    return {std::move(Entries), Encoding, std::move(Name), PlainKey};
}

void PutInt(std::string& Out, size_t At, int64_t Value)
{
    lirabo::WriteUInt32LE(reinterpret_cast<unsigned char*>(&Out[At]), static_cast<uint32_t>(Value));
}

// A one-section file laid out by hand: the writer never stores invalid
// UTF-8 or a wrong order, so the verifier's reports need files made here.
std::string Lay(const TRawFile& Raw)
{
    std::string section;
    for (const TWordItem& e : Raw.Entries) {
        section += static_cast<char>(e.Word.size());
        section += static_cast<char>(e.Definition.size() & 0xFF);
        section += static_cast<char>(e.Definition.size() >> 8);
    }
    for (const TWordItem& e : Raw.Entries)
        section += e.Word + e.Definition;
    unsigned length = static_cast<unsigned>(section.size() + 700);
    std::string compressed(length, '\0');
    EXPECT_EQ(BZ_OK, BZ2_bzBuffToBuffCompress(compressed.data(), &length, section.data(),
                                              static_cast<unsigned>(section.size()), 9, 0, 0));
    compressed.resize(length);

    const std::string& head = Raw.Entries.front().Word;
    const auto key = Raw.PlainKey ? lirabo::TTextRule().SectionKey(head)
                                  : lirabo::TTextRule(Raw.Encoding).SectionKey(head);
    std::string file(60, '\0');
    file += Raw.Name;
    const size_t table = file.size();
    file.resize(table + 8);
    PutInt(file, table, static_cast<int64_t>(file.size()));
    std::copy(key.begin(), key.end(), file.begin() + static_cast<std::ptrdiff_t>(table + 4));
    file += compressed;
    const auto count = static_cast<int64_t>(Raw.Entries.size());
    const int64_t fields[] = {1024, static_cast<int64_t>(file.size()), lirabo::TextWord({Raw.Encoding, "", ""}),
                              count, 1, count, static_cast<int64_t>(file.size()), 0, 9, 32,
                              static_cast<int64_t>(Raw.Name.size()), 0, 0, 0};
    for (size_t i = 0; i < std::size(fields); ++i)
        PutInt(file, 4 + 4 * i, fields[i]);
    return file;
}

TEST(DictionaryVerifierTest, ChecksTextAndOrderByTheFilesEncoding)
{
    const std::string zolw = "\xC5\xBC\xC3\xB3\xC5\x82w";
    const struct {
        const char* Label;
        TRawFile Raw;
        std::vector<std::string> Problems;
    } cases[] = {
        // Equal by the UTF-8 rule, though the bytes of the second sort first.
        {"clean", Raw({{"apple", "x"}, {zolw, "\x07\xE5\xAE\xB6"}, {"\xC5\xBB\xC3\x93\xC5\x81W", "y"}}), {}},
        {"invalid UTF-8",
         Raw({{"a\xE9" "b", "x"}, {"b", "ok\xC5"}, {"c", "\xE5\xAE\xE5\xAE\xB6 \xFF\xFE"}}),
         {"entry 0, headword: invalid UTF-8 at byte 1", "entry 1, definition: invalid UTF-8 at byte 2",
          "entry 2, definition: invalid UTF-8 at byte 0", "entry 2, definition: invalid UTF-8 at byte 6"}},
        {"invalid bytes sort above every character", Raw({{"z", ""}, {"\xFF", ""}}),
         {"entry 1, headword: invalid UTF-8 at byte 0"}},
        {"misordered",
         Raw({{zolw, ""}, {"apple", ""}}),
         {"entry 1: \"apple\" sorts before \"" + zolw + "\""}},
        {"misordered invalid bytes", Raw({{"\xFF", ""}, {"z", ""}}),
         {"entry 0, headword: invalid UTF-8 at byte 0", "entry 1: \"z\" sorts before \"\xEF\xBF\xBD\""}},
        {"the name", Raw({{"a", ""}}, TTextEncoding::Utf8, "Caf\xE9"), {"the name: invalid UTF-8 at byte 3"}},
        {"a key of plain bytes",
         Raw({{"\xC3\x81" "bc", ""}}, TTextEncoding::Utf8, "", true),
         {"section 0: the key does not match the first headword \"\xC3\x81" "bc\""}},
        // The same bytes are good Windows-1252, in that file's order.
        {"Windows-1252",
         Raw({{"Caf\xE9", "\xFF"}, {"a\xE9" "b", ""}}, TTextEncoding::Windows1252, "\xE9"),
         {"entry 1: \"a\xC3\xA9" "b\" sorts before \"Caf\xC3\xA9\""}},
    };
    test::TTestFolder folder("verifier");
    for (const auto& c : cases) {
        const std::string file = folder.Write("raw.ldi", Lay(c.Raw));
        EXPECT_EQ(c.Problems, VerifyDictionary(file)) << c.Label;
    }
}

TEST(DictionaryVerifierTest, InvalidTextReportsAreCapped)
{
    TRawFile raw = Raw({});
    for (int i = 0; i < 30; ++i)
        raw.Entries.push_back({"w" + std::to_string(100 + i), "\xFF"});
    test::TTestFolder folder("verifier_cap");
    const std::vector<std::string> problems = VerifyDictionary(folder.Write("many.ldi", Lay(raw)));
    ASSERT_EQ(21u, problems.size());
    EXPECT_EQ("entry 19, definition: invalid UTF-8 at byte 0", problems[19]);
    EXPECT_EQ("10 more invalid UTF-8 sequences are not listed", problems[20]);
}

}  // namespace
}  // namespace makrel
