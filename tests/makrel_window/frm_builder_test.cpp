#include "frm_builder.h"
#include "dictd_number.h"

#include <gtest/gtest.h>

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
        QStringList Expected;
    };
    const std::vector<TCase> cases = {
        {notab, "", {notab, "line 2", "no tab between the headword and the definition"}},
        {Sources.FilePath("missing.tsv"), "", {Sources.FilePath("missing.tsv")}},
        {good, QString::fromUtf8("\xE6\x97\xA5\xE6\x9C\xAC"), {"Name:"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Source.toStdString());
        Type("edtSource", c.Source);
        Type("edtName", c.Name);
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
    Sources.Write("tiny.dict", QByteArray::fromStdString(data));
    const QString source = Sources.Write("tiny.index", QByteArray::fromStdString(index));
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

}  // namespace
}  // namespace makrel
