#include "frm_builder.h"
#include "dictd_number.h"
#include "language_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "builder_fixture.h"
#include "dictionary/dictionary_header.h"
#include "dictionary/dictionary_store.h"
#include "makrel/core/dictionary_verifier.h"
#include "makrel/core/importer.h"

namespace makrel {
namespace {

using lirabo::ipc::TSendResult;
using test::Contents;
using test::ReadAll;

constexpr int kBuildTimeoutMs = 60000;  // generous for the sanitizer build

class FrmBuilderTest : public ::testing::Test {
protected:
    test::TSourceFolder Sources;
    QTemporaryDir Program;  // the program's folder: Dictionaries lies below it
    std::unique_ptr<TfrmBuilder> Window;

    // What the seams were asked and how they answer.
    std::mutex SentLock;  // SendOpen runs on the worker thread
    std::vector<std::string> Sent;
    TSendResult SendAnswer = TSendResult::Delivered;
    std::string SendError;
    QStringList OverwriteAsked;
    bool OverwriteAnswer = false;
    std::vector<std::pair<QString, QStringList>> Started;

    void TearDown() override { Window.reset(); }

    QString Dictionaries() const { return QDir(Program.path()).filePath("Dictionaries"); }
    QString Absolute(const QString& Name) const { return QDir(Dictionaries()).absoluteFilePath(Name); }

    TfrmBuilder& Start()
    {
        Window = std::make_unique<TfrmBuilder>(Dictionaries());
        Window->SetProgramFolder(Program.path());
        Window->ConfirmOverwrite = [this](const QString& FileName) {
            OverwriteAsked << FileName;
            return OverwriteAnswer;
        };
        Window->SendOpen = [this](const std::string& Path, std::string& Error) {
            std::lock_guard<std::mutex> lock(SentLock);
            Sent.push_back(Path);
            Error = SendError;
            return SendAnswer;
        };
        Window->StartProgram = [this](const QString& Program, const QStringList& Arguments) {
            Started.emplace_back(Program, Arguments);
            return true;
        };
        Window->show();
        return *Window;
    }

    template <class T>
    T* Find(const char* Name) const
    {
        T* widget = Window->findChild<T*>(Name);
        EXPECT_NE(widget, nullptr) << Name;
        return widget;
    }

    void Type(const char* Edit, const QString& Text)
    {
        auto* edit = Find<QLineEdit>(Edit);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        // QTest types ASCII only.
        if (std::all_of(Text.begin(), Text.end(), [](QChar c) { return c.unicode() < 128; }))
            QTest::keyClicks(edit, Text);
        else
            edit->setText(Text);
    }

    // A dictd dictionary of two German words named "Tiny Test Dictionary";
    // returns its index. A name such as "deu-eng" names its languages.
    QString WriteTinyDictd(const QString& Name) const
    {
        std::string data;
        std::string index;
        const auto article = [&](const std::string& Word, const std::string& Text) {
            index += Word + "\t" + makrel::test::DictdNumber(data.size()) + "\t" +
                     makrel::test::DictdNumber(Text.size()) + "\n";
            data += Text;
        };
        article("00databaseshort", "00-database-short\n     Tiny Test Dictionary\n");
        article("apfel", "Apfel <n>\n apple\n\n");
        article("haus", "Haus <n>\n house\n\n");
        Sources.Write(Name + ".dict", QByteArray::fromStdString(data));
        return Sources.Write(Name + ".index", QByteArray::fromStdString(index));
    }

    // Types into a language list as a user would, completion included.
    void TypeLanguage(const char* Box, const QString& Text)
    {
        auto* box = Find<TLanguageBox>(Box);
        // Completion works in the focused edit only.
        Window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
        box->lineEdit()->setFocus();
        box->clearEditText();
        QTest::keyClicks(box->lineEdit(), Text);
    }

    void ChooseEncoding(TEncodingChoice Encoding)
    {
        auto* list = Find<QComboBox>("cmbEncoding");
        list->setCurrentIndex(list->findData(static_cast<int>(Encoding)));
        ASSERT_GE(list->currentIndex(), 0);
    }

    void ClickBuild() { QTest::mouseClick(Find<QPushButton>("btnBuild"), Qt::LeftButton); }

    // Clicks Build and waits until the window takes the next build.
    bool BuildAndWait()
    {
        ClickBuild();
        return QTest::qWaitFor([this] { return !Window->Busy(); }, kBuildTimeoutMs);
    }

    QString Status() const { return Find<QLabel>("lblStatus")->text(); }
    QString Result() const { return Find<QPlainTextEdit>("txtResult")->toPlainText(); }
    std::vector<std::string> SentPaths()
    {
        std::lock_guard<std::mutex> lock(SentLock);
        return Sent;
    }
    std::string Local(const QString& Path) const { return QFile::encodeName(Path).toStdString(); }
};

TEST_F(FrmBuilderTest, BuildsATsvIntoTheDictionariesFolderAndHandsItToLirabo)
{
    const QString source = Sources.Write("words.tsv", "pear\ta green fruit\napple\ta red fruit\n");
    Start();
    EXPECT_EQ(Find<QSpinBox>("spnSectionSize")->value(), 256);
    EXPECT_EQ(Find<QComboBox>("cmbFormat")->currentData().toString(), "tsv");
    Type("edtSource", source);
    EXPECT_EQ(Find<QLineEdit>("edtOutput")->text(), "words.ldi");
    Type("edtName", "Fruit");
    Type("edtNotice", "Free to use");
    ASSERT_FALSE(QFileInfo::exists(Dictionaries()));

    ASSERT_TRUE(BuildAndWait());
    const QString output = Absolute("words.ldi");
    EXPECT_EQ(Contents(Dictionaries()), QStringList{"words.ldi"});
    lirabo::TDictionaryHeader header;
    header.LoadFromFile(Local(output), true);
    EXPECT_EQ(header.Name, "Fruit");
    EXPECT_EQ(header.Notice, "Free to use");
    EXPECT_EQ(header.WordCount, 2);
    EXPECT_EQ(header.SectionSize, 256);
    EXPECT_TRUE(VerifyDictionary(Local(output)).empty());

    EXPECT_EQ(SentPaths(), std::vector<std::string>{Local(output)});
    EXPECT_TRUE(Started.empty());
    EXPECT_TRUE(Status().contains("opened it in Lirabo")) << Status().toStdString();
    for (const char* line :
         {"Entries: 2", "Relations: 0", "Replaced characters: 0", "Shortened entries: 0", "Warnings: none"})
        EXPECT_TRUE(Result().contains(line)) << line << " in " << Result().toStdString();
    EXPECT_EQ(Find<QProgressBar>("prgBuild")->value(), Find<QProgressBar>("prgBuild")->maximum());
    EXPECT_TRUE(Find<QPushButton>("btnBuild")->isEnabled());
    EXPECT_FALSE(Find<QPushButton>("btnCancel")->isEnabled());
}

TEST_F(FrmBuilderTest, WithoutARunningLiraboItStartsOneOrSaysWhereTheDictionaryIs)
{
    const QString source = Sources.Write("words.tsv", "apple\ta red fruit\n");
    Start();
    Type("edtSource", source);
    SendAnswer = TSendResult::NoProgram;

    // No lirabo beside the window: nothing is started.
    ASSERT_TRUE(BuildAndWait());
    EXPECT_TRUE(Started.empty());
    EXPECT_TRUE(Result().contains("ready in " + Dictionaries())) << Result().toStdString();

    // With one beside it, it is started on the new file.
    const QString program = QDir(Program.path()).filePath("lirabo");
    QFile file(program);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    OverwriteAnswer = true;
    ASSERT_TRUE(BuildAndWait());
    ASSERT_EQ(Started.size(), 1u);
    EXPECT_EQ(Started[0].first, program);
    EXPECT_EQ(Started[0].second, QStringList{Absolute("words.ldi")});
    EXPECT_TRUE(Status().contains("started Lirabo")) << Status().toStdString();

    // A Lirabo that refuses is reported with its reason, and no second one started.
    SendAnswer = TSendResult::Failed;
    SendError = "no answer within 5 seconds";
    ASSERT_TRUE(BuildAndWait());
    EXPECT_EQ(Started.size(), 1u);
    EXPECT_TRUE(Status().contains("did not open it")) << Status().toStdString();
    EXPECT_TRUE(Result().contains("no answer within 5 seconds")) << Result().toStdString();
    EXPECT_TRUE(Result().contains("ready in")) << Result().toStdString();
    EXPECT_EQ(SentPaths().size(), 3u);
}

TEST_F(FrmBuilderTest, TheRealMessageFindsNoLiraboInAPrivateRuntimeFolder)
{
    const QString source = Sources.Write("words.tsv", "apple\ta red fruit\n");
    QTemporaryDir socketFolder;
    const QByteArray oldRuntime = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(socketFolder.path()));
    Start();
    // The real message, not the recording seam.
    Window->SendOpen = [](const std::string& Path, std::string& Error) {
        return lirabo::ipc::SendOpenMessage(Path, Error);
    };
    Type("edtSource", source);
    const bool ended = BuildAndWait();
    qputenv("XDG_RUNTIME_DIR", oldRuntime);
    ASSERT_TRUE(ended);
    EXPECT_TRUE(Status().contains("Lirabo is not running")) << Status().toStdString();
    EXPECT_TRUE(Result().contains("ready in " + Dictionaries())) << Result().toStdString();
    EXPECT_TRUE(Started.empty());
}

TEST_F(FrmBuilderTest, ABadSourceShowsTheImportersMessageAndWritesNothing)
{
    const QString notab = Sources.Write("notab.tsv", "apple\ta red fruit\nbanana a yellow fruit\n");
    const QString good = Sources.Write("good.tsv", "apple\ta red fruit\n");
    Start();
    struct TCase {
        QString Source;
        QString Name;
        TEncodingChoice Encoding;
        QStringList Expected;
    };
    const std::vector<TCase> cases = {
        {notab,
         "",
         TEncodingChoice::Auto,
         {notab, "line 2", "no tab between the headword and the definition"}},
        {Sources.FilePath("missing.tsv"), "", TEncodingChoice::Auto, {Sources.FilePath("missing.tsv")}},
        // Only a forced Windows-1252 refuses a name it cannot hold.
        {good,
         QString::fromUtf8("\xE6\x97\xA5\xE6\x9C\xAC"),
         TEncodingChoice::Windows1252,
         {"Name:", "no Windows-1252 form", "Automatic or UTF-8"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Source.toStdString());
        Type("edtSource", c.Source);
        Type("edtName", c.Name);
        ChooseEncoding(c.Encoding);
        ASSERT_TRUE(BuildAndWait());
        for (const QString& part : c.Expected)
            EXPECT_TRUE(Result().contains(part)) << Result().toStdString() << " lacks " << part.toStdString();
        EXPECT_TRUE(Status().contains("failed")) << Status().toStdString();
        EXPECT_EQ(Contents(Dictionaries()), QStringList());
        EXPECT_TRUE(Find<QLineEdit>("edtSource")->isEnabled());
    }

    // Nothing to build from is said before anything starts.
    Type("edtSource", "");
    ClickBuild();
    EXPECT_FALSE(Window->Busy());
    EXPECT_TRUE(Result().contains("Choose the source")) << Result().toStdString();
    EXPECT_TRUE(SentPaths().empty());
}

TEST_F(FrmBuilderTest, CancelDuringABigBuildStopsPromptlyAndLeavesNoFile)
{
    const QString source = Sources.WriteBig("big.tsv", 300000);
    Start();
    Type("edtSource", source);
    ClickBuild();
    ASSERT_TRUE(Window->Busy());
    EXPECT_FALSE(Find<QPushButton>("btnBuild")->isEnabled());
    EXPECT_FALSE(Find<QLineEdit>("edtSource")->isEnabled());
    // The bar moving while the build runs also shows the window is not blocked.
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return Find<QProgressBar>("prgBuild")->value() > 0; }, kBuildTimeoutMs));
    ASSERT_TRUE(Window->Busy());

    QElapsedTimer sinceCancel;
    sinceCancel.start();
    QTest::mouseClick(Find<QPushButton>("btnCancel"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Window->Busy(); }, kBuildTimeoutMs));
    EXPECT_LT(sinceCancel.elapsed(), 5000);
    EXPECT_TRUE(Status().contains("Cancelled")) << Status().toStdString();
    EXPECT_EQ(Find<QProgressBar>("prgBuild")->value(), 0);
    EXPECT_EQ(Contents(Dictionaries()), QStringList());
    EXPECT_TRUE(SentPaths().empty());

    // Closing the window during a build cancels it and closes once it stopped.
    ClickBuild();
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return Find<QProgressBar>("prgBuild")->value() > 0; }, kBuildTimeoutMs));
    Window->close();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Window->isVisible(); }, kBuildTimeoutMs));
    EXPECT_FALSE(Window->Busy());
    EXPECT_EQ(Contents(Dictionaries()), QStringList());
}

TEST_F(FrmBuilderTest, AnExistingDictionaryIsReplacedOnlyWhenTheUserAgrees)
{
    const QString source = Sources.Write("words.tsv", "apple\ta red fruit\n");
    ASSERT_TRUE(QDir().mkpath(Dictionaries()));
    const QByteArray old("an older dictionary\0with bytes", 30);
    QFile file(Absolute("words.ldi"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(old);
    file.close();
    Start();
    Type("edtSource", source);

    OverwriteAnswer = false;
    ClickBuild();
    EXPECT_EQ(OverwriteAsked, QStringList{"words.ldi"});
    EXPECT_FALSE(Window->Busy());
    EXPECT_TRUE(Status().contains("kept")) << Status().toStdString();
    EXPECT_EQ(ReadAll(Absolute("words.ldi")), old);
    EXPECT_EQ(Contents(Dictionaries()), QStringList{"words.ldi"});

    // A failed build after agreeing still leaves the old file alone.
    Type("edtSource", Sources.Write("bad.tsv", "no tab here\n"));
    Type("edtOutput", "words");
    OverwriteAnswer = true;
    ASSERT_TRUE(BuildAndWait());
    EXPECT_EQ(ReadAll(Absolute("words.ldi")), old);
    EXPECT_EQ(Contents(Dictionaries()), QStringList{"words.ldi"});

    Type("edtSource", source);
    ASSERT_TRUE(BuildAndWait());
    EXPECT_EQ(OverwriteAsked.size(), 3);
    EXPECT_TRUE(VerifyDictionary(Local(Absolute("words.ldi"))).empty());
    EXPECT_EQ(SentPaths().size(), 1u);
}

TEST_F(FrmBuilderTest, TheOutputNameFollowsTheSourceUntilTypedAndStaysInTheFolder)
{
    const QString apples = Sources.Write("apples.tsv", "apple\ta red fruit\n");
    const QString pears = Sources.Write("pears.tsv", "pear\ta green fruit\n");
    Start();
    Type("edtSource", apples);
    EXPECT_EQ(Find<QLineEdit>("edtOutput")->text(), "apples.ldi");
    Type("edtSource", pears);
    EXPECT_EQ(Find<QLineEdit>("edtOutput")->text(), "pears.ldi");
    Type("edtOutput", "my fruit");
    Type("edtSource", apples);
    EXPECT_EQ(Find<QLineEdit>("edtOutput")->text(), "my fruit");
    ASSERT_TRUE(BuildAndWait());
    EXPECT_EQ(Contents(Dictionaries()), QStringList{"my fruit.ldi"});

    // A name that would leave the folder is refused before anything runs.
    Type("edtOutput", "../escaped");
    ClickBuild();
    EXPECT_FALSE(Window->Busy());
    EXPECT_TRUE(Result().contains("must not contain a folder")) << Result().toStdString();
    EXPECT_EQ(Contents(Program.path()), QStringList{"Dictionaries"});

    // Clearing the name hands it back to the source.
    Type("edtOutput", "");
    Type("edtSource", pears);
    EXPECT_EQ(Find<QLineEdit>("edtOutput")->text(), "pears.ldi");
}

TEST_F(FrmBuilderTest, ADictionariesFolderThatCannotBeMadeIsReported)
{
    const QString source = Sources.Write("words.tsv", "apple\ta red fruit\n");
    QFile blocker(Dictionaries());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    Start();
    Type("edtSource", source);
    ClickBuild();
    EXPECT_FALSE(Window->Busy());
    EXPECT_TRUE(Result().contains("Cannot create the Dictionaries folder " + Dictionaries()))
        << Result().toStdString();
    EXPECT_TRUE(QFileInfo(Dictionaries()).isFile());
    EXPECT_TRUE(SentPaths().empty());
}

TEST_F(FrmBuilderTest, EveryFormatInTheListIsOneMakrelImports)
{
    Start();
    auto* formats = Find<QComboBox>("cmbFormat");
    ASSERT_EQ(formats->count(), TfrmBuilder::FormatNames().size());
    for (int i = 0; i < formats->count(); ++i) {
        EXPECT_EQ(formats->itemData(i).toString(), TfrmBuilder::FormatNames()[i]);
        EXPECT_NE(MakeImporter(formats->itemData(i).toString().toStdString()), nullptr) << i;
    }

    // A format other than TSV reaches its importer, and a dictionary that
    // names itself keeps its name when Name is left empty.
    const QString source = WriteTinyDictd("tiny");
    formats->setCurrentIndex(static_cast<int>(TfrmBuilder::FormatNames().indexOf("dictd")));
    Type("edtSource", source);
    EXPECT_EQ(Find<QLineEdit>("edtOutput")->text(), "tiny.ldi");
    ASSERT_TRUE(BuildAndWait());
    lirabo::TDictionaryHeader header;
    header.LoadFromFile(Local(Absolute("tiny.ldi")), true);
    EXPECT_EQ(header.Name, "Tiny Test Dictionary");
    EXPECT_EQ(header.WordCount, 2);
    EXPECT_TRUE(Result().contains("Entries: 2")) << Result().toStdString();
}

TEST_F(FrmBuilderTest, TheEncodingAndLanguagesChosenReachTheDictionaryAndItsSummary)
{
    using lirabo::TTextEncoding;
    // Polish and Greek: ż, ł and ζ, ω, ή lack Windows-1252 forms, ó has one.
    const QString polish = Sources.Write("polish.tsv",
                                         "\xC5\xBC\xC3\xB3\xC5\x82w\tturtle\n"
                                         "\xCE\xB6\xCF\x89\xCE\xAE\tlife\n");
    const QString fruit = Sources.Write("fruit.tsv", "apple\ta red fruit\n");
    const QString germanEnglish = WriteTinyDictd("deu-eng");
    Start();
    EXPECT_EQ(Find<QComboBox>("cmbEncoding")->currentIndex(), 0);
    EXPECT_EQ(Find<QComboBox>("cmbEncoding")->currentData().toInt(), static_cast<int>(TEncodingChoice::Auto));
    EXPECT_EQ(Find<TLanguageBox>("cmbHeadwordLanguage")->Code(), "");
    EXPECT_EQ(Find<TLanguageBox>("cmbDefinitionLanguage")->Code(), "");
    OverwriteAnswer = true;

    struct TCase {
        const char* Title;
        const char* Format;
        QString Source;
        TEncodingChoice Encoding;
        QString Headword;  // typed; empty: "From the source"
        QString Definition;
        lirabo::TTextDescription Expected;
        QStringList Summary;  // whole lines
    };
    const std::vector<TCase> cases = {
        {"automatic keeps Polish and Greek as UTF-8",
         "tsv",
         polish,
         TEncodingChoice::Auto,
         "pl",
         "en",
         {TTextEncoding::Utf8, "pl", "en"},
         {"Encoding: UTF-8 (chosen automatically)",
          "Languages: headwords Polish (pl), definitions English (en)", "Replaced characters: 0"}},
        {"forced Windows-1252 replaces and counts",
         "tsv",
         polish,
         TEncodingChoice::Windows1252,
         "",
         "",
         {TTextEncoding::Windows1252, "", ""},
         {"Encoding: Windows-1252", "Languages: unknown", "Replaced characters: 5"}},
        {"forced UTF-8, a code typed with spaces",
         "tsv",
         fruit,
         TEncodingChoice::Utf8,
         " de ",
         "",
         {TTextEncoding::Utf8, "de", ""},
         {"Encoding: UTF-8", "Languages: headwords German (de), definitions unknown"}},
        {"both languages from the source's name",
         "dictd",
         germanEnglish,
         TEncodingChoice::Auto,
         "",
         "",
         {TTextEncoding::Windows1252, "de", "en"},
         {"Encoding: Windows-1252 (chosen automatically)",
          "Languages: headwords German (de), definitions English (en)"}},
        {"one side typed, the other from the source",
         "dictd",
         germanEnglish,
         TEncodingChoice::Auto,
         "nl",
         "",
         {TTextEncoding::Windows1252, "nl", "en"},
         {"Languages: headwords Dutch (nl), definitions English (en)"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Title);
        auto* formats = Find<QComboBox>("cmbFormat");
        formats->setCurrentIndex(static_cast<int>(TfrmBuilder::FormatNames().indexOf(c.Format)));
        Type("edtSource", c.Source);
        ChooseEncoding(c.Encoding);
        TypeLanguage("cmbHeadwordLanguage", c.Headword);
        TypeLanguage("cmbDefinitionLanguage", c.Definition);
        ASSERT_TRUE(BuildAndWait());
        ASSERT_TRUE(Status().contains("opened it in Lirabo")) << Result().toStdString();
        const QString output = Absolute(QFileInfo(c.Source).completeBaseName() + ".ldi");
        lirabo::TDictionaryHeader header;
        header.LoadFromFile(Local(output), true);
        EXPECT_EQ(header.Text, c.Expected);
        EXPECT_TRUE(VerifyDictionary(Local(output)).empty());
        const QStringList lines = Result().split('\n');
        for (const QString& line : c.Summary)
            EXPECT_TRUE(lines.contains(line)) << line.toStdString() << " in " << Result().toStdString();
    }

    // The UTF-8 dictionary holds the Polish headword as it was written.
    Find<QComboBox>("cmbFormat")->setCurrentIndex(0);
    Type("edtSource", polish);
    ChooseEncoding(TEncodingChoice::Auto);
    ASSERT_TRUE(BuildAndWait());
    lirabo::TDictionaryStore store;
    store.OpenDictionary(Local(Absolute("polish.ldi")));
    int first = -1;
    int count = 0;
    store.FindWord("\xC5\xBC\xC3\xB3\xC5\x82w", true, first, count);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(store.GetItem(first)->Definition, "turtle");
}

TEST_F(FrmBuilderTest, ALanguageThatIsNoISOCodeIsRefusedBeforeTheBuild)
{
    const QString source = Sources.Write("words.tsv", "apple\ta red fruit\n");
    Start();
    Type("edtSource", source);
    struct TCase {
        const char* Box;
        QString Typed;
        QStringList Expected;
    };
    const std::vector<TCase> cases = {
        {"cmbHeadwordLanguage",
         "xx",
         {"Headword language: \"xx\" is not a two-letter ISO 639-1 language code"}},
        // Lower case only, as makrel: completion must not turn it into "de".
        {"cmbHeadwordLanguage", "DE", {"\"DE\"", "in lower case"}},
        {"cmbDefinitionLanguage", "deu", {"Definition language: \"deu\""}},
        {"cmbDefinitionLanguage", "German", {"\"German\""}},
        {"cmbDefinitionLanguage", "de-en", {"\"de-en\""}},
        {"cmbHeadwordLanguage", "?", {"\"?\""}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Typed.toStdString());
        TypeLanguage(c.Box, c.Typed);
        ClickBuild();
        EXPECT_FALSE(Window->Busy());
        EXPECT_EQ(Status(), "Not built.");
        for (const QString& part : c.Expected)
            EXPECT_TRUE(Result().contains(part)) << Result().toStdString() << " lacks " << part.toStdString();
        EXPECT_FALSE(QFileInfo::exists(Dictionaries()));
        Find<TLanguageBox>(c.Box)->setCurrentIndex(0);
    }
    EXPECT_TRUE(SentPaths().empty());

    // Typed and completed, or picked from the list, a language is its code.
    TypeLanguage("cmbHeadwordLanguage", "pl");
    EXPECT_EQ(Find<TLanguageBox>("cmbHeadwordLanguage")->currentText(),
              QString::fromUtf8("pl \xE2\x80\x93 Polish"));
    EXPECT_EQ(Find<TLanguageBox>("cmbHeadwordLanguage")->Code(), "pl");
    auto* box = Find<TLanguageBox>("cmbDefinitionLanguage");
    box->setCurrentIndex(box->findData("el"));
    EXPECT_EQ(box->currentText(), QString::fromUtf8("el \xE2\x80\x93 Greek"));
    EXPECT_EQ(box->Code(), "el");
    EXPECT_EQ(box->Error(), "");
}

TEST_F(FrmBuilderTest, EveryControlHasANameAndTabReachesItInOrder)
{
    Start();
    Window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    Find<QComboBox>("cmbFormat")->setFocus();
    // The control a focused part belongs to: an editable list's edit, a
    // number's edit.
    const auto control = [](QWidget* Widget) -> QWidget* {
        QWidget* parent = Widget ? Widget->parentWidget() : nullptr;
        return parent && (qobject_cast<QComboBox*>(parent) || qobject_cast<QSpinBox*>(parent)) ? parent
                                                                                               : Widget;
    };
    QStringList reached;
    for (int i = 0; i < 20; ++i) {
        QWidget* focused = control(QApplication::focusWidget());
        ASSERT_NE(focused, nullptr);
        if (!reached.isEmpty() && focused->objectName() == reached.first())
            break;
        reached << focused->objectName();
        EXPECT_FALSE(focused->accessibleName().isEmpty()) << focused->objectName().toStdString();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    const QStringList expected =
        QString(
            "cmbFormat edtSource btnBrowse edtName edtNotice cmbHeadwordLanguage cmbDefinitionLanguage "
            "cmbEncoding spnSectionSize edtOutput txtResult btnBuild btnClose")
            .split(' ');
    EXPECT_EQ(reached, expected);
    for (const char* name : {"prgBuild", "lblStatus", "btnCancel"})
        EXPECT_FALSE(Find<QWidget>(name)->accessibleName().isEmpty()) << name;
    EXPECT_EQ(Find<QWidget>("cmbHeadwordLanguage")->accessibleName(), "Headword language");
    EXPECT_EQ(Find<QWidget>("btnBrowse")->accessibleName(), "Browse");
}

}  // namespace
}  // namespace makrel
