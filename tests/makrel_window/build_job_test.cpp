#include "build_job.h"

#include <gtest/gtest.h>

#include <QDir>
#include <string>
#include <vector>

#include "builder_fixture.h"
#include "dictionary/dictionary_header.h"
#include "makrel/core/dictionary_verifier.h"

namespace makrel {
namespace {

using test::Contents;
using test::ReadAll;

class BuildJobTest : public ::testing::Test {
protected:
    test::TSourceFolder Sources;
    test::TSourceFolder Output;

    TBuildOptions Options(const QString& Source, const QString& OutputName = "out.ldi") const
    {
        TBuildOptions options;
        options.Source = Sources.Local(Source);
        options.Output = Output.Local(OutputName);
        return options;
    }

    void WriteFruit() const
    {
        Sources.Write("fruit.tsv",
                      "cherry\ta small fruit\napple\ta red fruit\n\nbanana\ta \\x08yellow\\x07 one\n");
    }
};

struct TReport {
    TBuildStage Stage;
    size_t Done;
    size_t Total;
};

TEST_F(BuildJobTest, TsvBecomesAVerifiedDictionaryWithNothingElseLeft)
{
    WriteFruit();
    TBuildOptions options = Options("fruit.tsv", "fruit.ldi");
    options.Name =
        "Fr\xC3\xBC"
        "chte";  // UTF-8 in, Windows-1252 in the file
    options.Notice = "Free to use";
    options.SectionSize = 2;
    std::vector<TReport> reports;
    TBuildJob job(options);
    const TBuildResult result = job.Run([&](TBuildStage Stage, size_t Done, size_t Total) {
        reports.push_back({Stage, Done, Total});
    });

    ASSERT_EQ(result.Status, TBuildStatus::Succeeded) << result.Error;
    EXPECT_EQ(result.Entries, 3u);
    EXPECT_EQ(result.Relations, 0u);
    EXPECT_TRUE(result.Warnings.empty());
    lirabo::TDictionaryHeader header;
    header.LoadFromFile(options.Output, true);
    EXPECT_EQ(header.Name,
              "Fr\xFC"
              "chte");
    EXPECT_EQ(header.Notice, "Free to use");
    EXPECT_EQ(header.WordCount, 3);
    EXPECT_EQ(header.SectionSize, 2);
    EXPECT_TRUE(VerifyDictionary(options.Output).empty());
    EXPECT_EQ(Contents(Output.Path()), QStringList{"fruit.ldi"});

    // The stages come in order, each report within its total, the last one
    // saying the whole build is done.
    ASSERT_FALSE(reports.empty());
    for (size_t i = 0; i < reports.size(); ++i) {
        EXPECT_LE(reports[i].Done, reports[i].Total);
        if (i > 0) {
            EXPECT_GE(reports[i].Stage, reports[i - 1].Stage);
        }
    }
    EXPECT_EQ(reports.back().Stage, TBuildStage::Checking);
    EXPECT_EQ(reports.back().Done, reports.back().Total);
}

TEST_F(BuildJobTest, FailuresNameTheirCauseAndWriteNothing)
{
    Sources.Write("notab.tsv", "apple\ta red fruit\nbanana a yellow fruit\n");
    Sources.Write("good.tsv", "apple\ta red fruit\n");
    struct TCase {
        const char* Title;
        TBuildOptions Options;
        std::vector<std::string> Expected;  // parts of the message
    };
    std::vector<TCase> cases;
    cases.push_back(
        {"line without a tab",
         Options("notab.tsv"),
         {Sources.Local("notab.tsv"), "line 2", "no tab between the headword and the definition"}});
    cases.push_back({"missing source", Options("missing.tsv"), {Sources.Local("missing.tsv")}});
    cases.push_back({"folder given as a TSV file", Options(""), {Sources.Local("")}});
    TBuildOptions name = Options("good.tsv");
    name.Name = "\xE6\x97\xA5\xE6\x9C\xAC";  // no Windows-1252 form
    name.Encoding = TEncodingChoice::Windows1252;
    cases.push_back({"name outside the forced code page", name, {"Name", "U+65E5", "Automatic or UTF-8"}});
    TBuildOptions notice = Options("good.tsv");
    notice.Notice = "\xE2\x82\xAC ok, \xE2\x84\x96 not";
    notice.Encoding = TEncodingChoice::Windows1252;
    cases.push_back({"notice outside the forced code page", notice, {"Notice", "U+2116"}});
    TBuildOptions headword = Options("good.tsv");
    headword.HeadwordLanguage = "xx";
    cases.push_back(
        {"headword language not ISO 639-1", headword, {"Headword language", "\"xx\"", "ISO 639-1"}});
    TBuildOptions definition = Options("good.tsv");
    definition.DefinitionLanguage = "EN";
    cases.push_back({"definition language in upper case", definition, {"Definition language", "\"EN\""}});
    TBuildOptions threeLetters = Options("good.tsv");
    threeLetters.HeadwordLanguage = "deu";
    cases.push_back({"three-letter code", threeLetters, {"Headword language", "\"deu\""}});
    TBuildOptions longName = Options("good.tsv");
    longName.Name = std::string(600, 'n');
    cases.push_back({"name too long", longName, {"name", "512"}});
    TBuildOptions section = Options("good.tsv");
    section.SectionSize = 0;
    cases.push_back({"section size 0", section, {"section size"}});
    TBuildOptions format = Options("good.tsv");
    format.Format = "csv";
    cases.push_back({"unknown format", format, {"csv"}});
    TBuildOptions wordnet = Options("good.tsv");
    wordnet.Format = "wordnet";
    cases.push_back({"a file where a WordNet folder belongs", wordnet, {Sources.Local("good.tsv")}});
    TBuildOptions noFolder = Options("good.tsv");
    noFolder.Output = Output.Local("missing/out.ldi");
    // The message names the file the user asked for, not the temporary.
    cases.push_back({"output folder missing", noFolder, {Output.Local("missing/out.ldi")}});

    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Title);
        TBuildJob job(c.Options);
        const TBuildResult result = job.Run();
        EXPECT_EQ(result.Status, TBuildStatus::Failed);
        for (const std::string& part : c.Expected)
            EXPECT_NE(result.Error.find(part), std::string::npos) << result.Error << " lacks " << part;
        EXPECT_EQ(result.Error.find(".tmp"), std::string::npos) << result.Error;
        EXPECT_EQ(Contents(Output.Path()), QStringList()) << result.Error;
    }
}

TEST_F(BuildJobTest, TheEncodingAndLanguagesChosenAreWhatTheFileSays)
{
    using lirabo::TTextEncoding;
    Sources.Write("fruit.tsv", "apple\ta red fruit\npear\ta green fruit\n");
    // Polish and Greek: ż, ł and ζ, ω, ή lack Windows-1252 forms, ó has one.
    Sources.Write("polish.tsv",
                  "\xC5\xBC\xC3\xB3\xC5\x82w\tturtle\n"
                  "\xCE\xB6\xCF\x89\xCE\xAE\tlife\n");
    struct TCase {
        const char* Title;
        const char* Source;
        TEncodingChoice Encoding;
        const char* Name;
        const char* Headword;
        const char* Definition;
        TTextEncoding Written;
        size_t Replaced;
    };
    const TCase cases[] = {
        {"defaults: Windows-1252 text stays so", "fruit.tsv", TEncodingChoice::Auto, "", "", "",
         TTextEncoding::Windows1252, 0},
        {"automatic keeps Polish and Greek", "polish.tsv", TEncodingChoice::Auto, "", "pl", "en",
         TTextEncoding::Utf8, 0},
        {"automatic: the name alone asks for UTF-8", "fruit.tsv", TEncodingChoice::Auto,
         "\xC5\x81\xC3\xB3"
         "d\xC5\xBA",
         "", "en", TTextEncoding::Utf8, 0},
        {"forced UTF-8", "fruit.tsv", TEncodingChoice::Utf8, "", "en", "", TTextEncoding::Utf8, 0},
        {"forced Windows-1252 transliterates and counts", "polish.tsv", TEncodingChoice::Windows1252, "", "",
         "", TTextEncoding::Windows1252, 5},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Title);
        TBuildOptions options = Options(c.Source, "out.ldi");
        options.Encoding = c.Encoding;
        options.Name = c.Name;
        options.HeadwordLanguage = c.Headword;
        options.DefinitionLanguage = c.Definition;
        options.ReplaceExisting = true;
        TBuildJob job(options);
        const TBuildResult result = job.Run();
        ASSERT_EQ(result.Status, TBuildStatus::Succeeded) << result.Error;
        const lirabo::TTextDescription expected{c.Written, c.Headword, c.Definition};
        EXPECT_EQ(result.Text, expected);
        EXPECT_EQ(result.ReplacedCharacters, c.Replaced);
        lirabo::TDictionaryHeader header;
        header.LoadFromFile(options.Output, true);
        EXPECT_EQ(header.Text, expected);
        EXPECT_EQ(header.Name, c.Name);
        EXPECT_TRUE(VerifyDictionary(options.Output).empty());
    }
}

TEST_F(BuildJobTest, AnExistingFileIsReplacedOnlyWhenAsked)
{
    WriteFruit();
    const QString target = Output.Write("fruit.ldi", "the old dictionary");
    TBuildOptions options = Options("fruit.tsv", "fruit.ldi");

    TBuildJob refused(options);
    TBuildResult result = refused.Run();
    EXPECT_EQ(result.Status, TBuildStatus::Failed);
    EXPECT_NE(result.Error.find("already exists"), std::string::npos) << result.Error;
    EXPECT_EQ(ReadAll(target), "the old dictionary");

    // A file that turns up while the build runs wins over the build.
    QFile::remove(target);
    TBuildJob raced(options);
    result = raced.Run([&](TBuildStage Stage, size_t, size_t) {
        if (Stage == TBuildStage::Checking && !QFile::exists(target))
            Output.Write("fruit.ldi", "someone else's file");
    });
    EXPECT_EQ(result.Status, TBuildStatus::Failed);
    EXPECT_NE(result.Error.find("appeared"), std::string::npos) << result.Error;
    EXPECT_EQ(ReadAll(target), "someone else's file");
    EXPECT_EQ(Contents(Output.Path()), QStringList{"fruit.ldi"});

    options.ReplaceExisting = true;
    TBuildJob replacing(options);
    result = replacing.Run();
    ASSERT_EQ(result.Status, TBuildStatus::Succeeded) << result.Error;
    EXPECT_TRUE(VerifyDictionary(options.Output).empty());
    EXPECT_EQ(Contents(Output.Path()), QStringList{"fruit.ldi"});
}

TEST_F(BuildJobTest, CancelStopsEveryStageAndLeavesNoFile)
{
    Sources.WriteBig("big.tsv", 20000);
    const QString old = Output.Write("big.ldi", "kept");
    for (const TBuildStage stage : {TBuildStage::Reading, TBuildStage::Writing, TBuildStage::Checking}) {
        SCOPED_TRACE(static_cast<int>(stage));
        TBuildOptions options = Options("big.tsv", "big.ldi");
        options.ReplaceExisting = true;
        TBuildJob job(options);
        int reportsAfterCancel = 0;
        const TBuildResult result = job.Run([&](TBuildStage Stage, size_t, size_t) {
            if (job.CancelRequested())
                ++reportsAfterCancel;
            if (Stage == stage)
                job.Cancel();
        });
        EXPECT_EQ(result.Status, TBuildStatus::Cancelled) << result.Error;
        EXPECT_EQ(reportsAfterCancel, 0);
        EXPECT_EQ(ReadAll(old), "kept");
        EXPECT_EQ(Contents(Output.Path()), QStringList{"big.ldi"});
    }

    TBuildJob early(Options("big.tsv", "new.ldi"));
    early.Cancel();
    EXPECT_EQ(early.Run().Status, TBuildStatus::Cancelled);
    EXPECT_EQ(Contents(Output.Path()), QStringList{"big.ldi"});
}

}  // namespace
}  // namespace makrel
