// The German interface file against the built-in English one: a translation
// that lost a key shows an empty caption (an accepted file has no per-key
// fallback), a lost placeholder shows "%d" or drops a number, and a file
// saved in the wrong encoding shows mojibake.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <QString>

#include "dictionary/ansi_codec.h"
#include "dictionary/word_order.h"
#include "language/language_file.h"
#include "language/language.h"

namespace lirabo::test {
namespace {

constexpr const char* kGermanFile = GERMAN_LANGUAGE_FILE;

std::string ReadBytes(const char* Path)
{
    std::ifstream in(Path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The placeholders the program fills, in the order it fills them.
std::vector<std::string> Placeholders(std::string_view Text)
{
    std::vector<std::string> found;
    for (size_t i = 0; i + 1 < Text.size(); ++i) {
        if (Text[i] == '%' && (Text[i + 1] == 'd' || Text[i + 1] == 's')) {
            found.emplace_back(Text.substr(i, 2));
            ++i;
        }
    }
    return found;
}

std::string Joined(const std::vector<std::string>& Items)
{
    std::string text;
    for (const std::string& item : Items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

class GermanLanguageFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FBytes = ReadBytes(kGermanFile);
        ASSERT_FALSE(FBytes.empty()) << kGermanFile;
        FGerman.LoadFromBytes(FBytes);
        FEnglish.LoadFromBytes(TLanguage::BuiltInEnglish().toStdString());
        ASSERT_FALSE(FEnglish.SectionNames().empty());
    }

    std::string FBytes;
    TLanguageFile FGerman;
    TLanguageFile FEnglish;
};

TEST_F(GermanLanguageFileTest, HasExactlyTheSectionsAndKeysOfEnglish)
{
    EXPECT_EQ(FGerman.SectionNames(), FEnglish.SectionNames());
    std::vector<std::string> missing, extra, empty;
    for (const std::string& section : FEnglish.SectionNames()) {
        const size_t faultsBefore = missing.size() + extra.size();
        std::set<std::string> englishKeys;
        for (const std::string& key : FEnglish.Keys(section)) {
            englishKeys.insert(UpperCaseAscii(key));
            if (!FGerman.HasKey(section, key))
                missing.push_back(section + "/" + key);
            else if (FGerman.ReadString(section, key).empty() && !FEnglish.ReadString(section, key).empty())
                empty.push_back(section + "/" + key);
        }
        for (const std::string& key : FGerman.Keys(section)) {
            if (!englishKeys.contains(UpperCaseAscii(key)))
                extra.push_back(section + "/" + key);
        }
        // Only a section with the right keys can be out of order; the lists
        // above already name the rest.
        if (missing.size() + extra.size() == faultsBefore) {
            EXPECT_EQ(FGerman.Keys(section), FEnglish.Keys(section)) << "key order in [" << section << "]";
        }
    }
    EXPECT_TRUE(missing.empty()) << "missing: " << Joined(missing);
    EXPECT_TRUE(extra.empty()) << "not in English: " << Joined(extra);
    EXPECT_TRUE(empty.empty()) << "left empty: " << Joined(empty);
    // Each line of [Tips] is one tip, keyed or not.
    EXPECT_EQ(FGerman.SectionLineCount("Tips"), FEnglish.SectionLineCount("Tips"));
}

TEST_F(GermanLanguageFileTest, KeepsPlaceholdersAndFilterPatterns)
{
    for (const std::string& section : FEnglish.SectionNames()) {
        for (const std::string& key : FEnglish.Keys(section)) {
            const std::string english = FEnglish.ReadString(section, key);
            const std::string german = FGerman.ReadString(section, key);
            EXPECT_EQ(Placeholders(german), Placeholders(english))
                << section << "/" << key << ": " << AnsiToUtf8(german);
            // A file dialog takes its pattern from the parentheses.
            if (const size_t open = english.find("(*."); open != std::string::npos) {
                const std::string pattern = english.substr(open, english.find(')', open) + 1 - open);
                EXPECT_NE(german.find(pattern), std::string::npos)
                    << section << "/" << key << ": " << AnsiToUtf8(german);
            }
        }
    }
}

TEST_F(GermanLanguageFileTest, IsWindows1252WithCrLfLineEnds)
{
    const auto byte = [this](size_t i) { return static_cast<unsigned char>(FBytes[i]); };
    EXPECT_FALSE(FBytes.starts_with("\xEF\xBB\xBF")) << "byte order mark";
    for (size_t i = 0; i < FBytes.size(); ++i) {
        const unsigned char c = byte(i);
        ASSERT_NE(c, 0) << "NUL at " << i;
        ASSERT_TRUE(c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D)
            << "byte undefined in Windows-1252 at " << i;
        // A lead byte followed by a continuation byte is how UTF-8 writes
        // every umlaut; in Windows-1252 German it means "Ã¤" and the like.
        if (c >= 0xC2 && c <= 0xF4 && i + 1 < FBytes.size()) {
            const unsigned char next = byte(i + 1);
            ASSERT_FALSE(next >= 0x80 && next <= 0xBF) << "UTF-8 sequence at " << i;
        }
        if (c == '\n') {
            ASSERT_TRUE(i > 0 && FBytes[i - 1] == '\r') << "bare LF at " << i;
        }
        if (c == '\r') {
            ASSERT_TRUE(i + 1 < FBytes.size() && FBytes[i + 1] == '\n') << "bare CR at " << i;
        }
    }
}

TEST_F(GermanLanguageFileTest, IsAcceptedAndDecodesUmlautsAndQuotes)
{
    TLanguage language;
    ASSERT_TRUE(language.ApplyLanguageFile(QString::fromUtf8(kGermanFile)));
    EXPECT_GE(language.Ini().FileVersion(), TLanguage::kMinimumFileVersion);
    EXPECT_EQ(language.Ini().LanguageName(), "Deutsch");
    EXPECT_EQ(language.TipCount(), TLanguage().TipCount());

    EXPECT_EQ(language.ReadLanguageText("Main", 1001), QString::fromUtf8("Datei"));
    EXPECT_EQ(language.ReadLanguageText("Main", 1025), QString::fromUtf8("Wörterbuch"));
    EXPECT_EQ(language.ReadLanguageText("Main", 1007), QString::fromUtf8("Über Lirabo"));
    EXPECT_EQ(language.ReadLanguageText("Information", 3001), QString::fromUtf8("Schließen"));
    EXPECT_EQ(language.ReadLanguageHint("Main", 9017), QString::fromUtf8("Nachschlagen"));
    EXPECT_TRUE(language.ReadLanguageText("Tips", 2).contains(QString::fromUtf8("„Hilfe“, „Inhalt“")))
        << language.ReadLanguageText("Tips", 2).toStdString();
    EXPECT_TRUE(language.ReadLanguageText("VocabularyTest", 8012).contains(QChar(0x2013)));
}

// A caption renamed in the menus but not in the tips sends the user looking
// for a command that does not exist.
TEST_F(GermanLanguageFileTest, TipsQuoteCaptionsOfTheMainWindow)
{
    std::set<std::string> captions;
    for (const std::string& key : FGerman.Keys("Main"))
        captions.insert(FGerman.ReadString("Main", key));
    int quoted = 0;
    for (const std::string& key : FGerman.Keys("Tips")) {
        const std::string tip = FGerman.ReadString("Tips", key);
        size_t open = 0;
        while ((open = tip.find('\x84', open)) != std::string::npos) {
            const size_t close = tip.find('\x93', open + 1);
            ASSERT_NE(close, std::string::npos) << "unclosed quote in tip " << key;
            const std::string caption = tip.substr(open + 1, close - open - 1);
            EXPECT_TRUE(captions.contains(caption)) << "tip " << key << " quotes " << AnsiToUtf8(caption);
            ++quoted;
            open = close + 1;
        }
    }
    EXPECT_GT(quoted, 10);
}

TEST(LanguageFileKeysTest, FileOrderFirstSpellingAndMissingSection)
{
    TLanguageFile f;
    f.LoadFromBytes(
        "0=before any section\r\n[Main]\r\n2001=a\r\n1001=b\r\nno equals\r\n; 3001=comment\r\n"
        "2001=again\r\n9017T=hint\r\n9017t=lower case repeat\r\n  5001 = spaced \r\n"
        "[Other]\r\nx=1\r\n[MAIN]\r\n4001=in the repeated section\r\n");
    EXPECT_EQ(f.Keys("main"), (std::vector<std::string>{"2001", "1001", "9017T", "5001"}));
    EXPECT_EQ(f.Keys("Other"), std::vector<std::string>{"x"});
    EXPECT_TRUE(f.Keys("Missing").empty());
    EXPECT_EQ(f.ReadString("Main", "9017t"), "hint");

    f.LoadFromBytes("[Main]\n");
    EXPECT_TRUE(f.Keys("Main").empty());
    EXPECT_TRUE(f.Keys("Other").empty());
}

}  // namespace
}  // namespace lirabo::test
