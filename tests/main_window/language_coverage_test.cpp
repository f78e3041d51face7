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

#include "dictionary/utf8_text.h"
#include "dictionary/word_order.h"
#include "language/language.h"
#include "language/language_file.h"
#include "language/text_file.h"

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

// What a translator's editor got wrong in a file's bytes, with the offset of
// the first fault; empty when none. A file is Windows-1252, or UTF-8 after a
// byte-order mark, and ends its lines with CR LF.
std::string EncodingFault(std::string_view Bytes)
{
    const bool utf8 = Bytes.starts_with(kUtf8ByteOrderMark);
    const size_t invalid = utf8 ? FindInvalidUtf8(Bytes) : std::string_view::npos;
    for (size_t i = utf8 ? kUtf8ByteOrderMark.size() : 0; i < Bytes.size(); ++i) {
        const auto at = [i](const char* What) { return What + std::string(" at ") + std::to_string(i); };
        const auto c = static_cast<unsigned char>(Bytes[i]);
        if (c == 0)
            return at("NUL");
        if (i == invalid)
            return at("invalid UTF-8");
        if (!utf8) {
            if (c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D)
                return at("byte undefined in Windows-1252");
            // A lead byte followed by a continuation byte is how UTF-8
            // writes every umlaut; in Windows-1252 German it means "Ã¤" and
            // the like.
            if (c >= 0xC2 && c <= 0xF4 && i + 1 < Bytes.size() &&
                (static_cast<unsigned char>(Bytes[i + 1]) & 0xC0) == 0x80)
                return at("UTF-8 without byte-order mark");
        }
        if (c == '\n' && (i == 0 || Bytes[i - 1] != '\r'))
            return at("bare LF");
        if (c == '\r' && (i + 1 == Bytes.size() || Bytes[i + 1] != '\n'))
            return at("bare CR");
    }
    return {};
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
            EXPECT_EQ(Placeholders(german), Placeholders(english)) << section << "/" << key << ": " << german;
            // A file dialog takes its pattern from the parentheses.
            if (const size_t open = english.find("(*."); open != std::string::npos) {
                const std::string pattern = english.substr(open, english.find(')', open) + 1 - open);
                EXPECT_NE(german.find(pattern), std::string::npos) << section << "/" << key << ": " << german;
            }
        }
    }
}

TEST_F(GermanLanguageFileTest, IsWindows1252OrMarkedUtf8WithCrLfLineEnds)
{
    EXPECT_EQ(EncodingFault(FBytes), "");
}

TEST(LanguageFileEncodingTest, EachEncodingsFaultsAreFound)
{
    const std::string mark = "\xEF\xBB\xBF";
    const struct {
        const char* Case;
        std::string Bytes;
        std::string Fault;
    } cases[] = {
        {"Windows-1252", "[Data]\r\nName=Portugu\xEAs\r\n1=Gr\xFC\xDF \x84Gott\x93\r\n", ""},
        {"marked UTF-8, Greek", mark + "[Data]\r\nName=Ελληνικά\r\n1001=Αρχείο\r\n", ""},
        {"marked UTF-8, Russian", mark + "[Main]\r\n1=Словарь «Лирабо»\r\n", ""},
        {"UTF-8 without the mark", "[Main]\r\n1=Wörterbuch\r\n", "UTF-8 without byte-order mark at 11"},
        {"Windows-1252 after the mark", mark + "[Main]\r\n1=W\xF6rterbuch\r\n", "invalid UTF-8 at 14"},
        {"cut character at the end", mark + "1=\xCE", "invalid UTF-8 at 5"},
        {"undefined Windows-1252 byte", "[Main]\r\n1=\x81\r\n", "byte undefined in Windows-1252 at 10"},
        {"bare LF", "[Main]\r\n1=a\n", "bare LF at 11"},
        {"bare CR", mark + "[Main]\r1=a\r\n", "bare CR at 9"},
        {"NUL", std::string("[Main]\r\n\0", 9), "NUL at 8"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EncodingFault(c.Bytes), c.Fault) << c.Case;
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
    // German quotation marks, as the reader hands them out.
    constexpr std::string_view kOpenQuote = "\u201E", kCloseQuote = "\u201C";
    std::set<std::string> captions;
    for (const std::string& key : FGerman.Keys("Main"))
        captions.insert(FGerman.ReadString("Main", key));
    int quoted = 0;
    for (const std::string& key : FGerman.Keys("Tips")) {
        const std::string tip = FGerman.ReadString("Tips", key);
        size_t open = 0;
        while ((open = tip.find(kOpenQuote, open)) != std::string::npos) {
            const size_t from = open + kOpenQuote.size();
            const size_t close = tip.find(kCloseQuote, from);
            ASSERT_NE(close, std::string::npos) << "unclosed quote in tip " << key;
            const std::string caption = tip.substr(from, close - from);
            EXPECT_TRUE(captions.contains(caption)) << "tip " << key << " quotes " << caption;
            ++quoted;
            open = close + kCloseQuote.size();
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
