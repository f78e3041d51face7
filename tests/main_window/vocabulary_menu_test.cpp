// The vocabulary trainer as the main window offers it: the list window from
// the Tools menu and "Add to vocabulary" from the word menu.

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include "main_window/status_bar.h"
#include "vocabulary/frm_vocabulary_assembly.h"
#include "window_fixture.h"

namespace lirabo::test {
namespace {

class VocabularyMenuTest : public WindowTest {
protected:
    static QByteArray ReadAll(const QString& Path)
    {
        QFile file(Path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    void LookUp(const QString& Word)
    {
        LookupBox()->lineEdit()->clear();
        QTest::keyClicks(LookupBox()->lineEdit(), Word);
    }

    QString DefaultList() const { return QDir(FFolder.Path()).filePath("Vocabulary/My words.lvf"); }
};

TEST_F(VocabularyMenuTest, AddToVocabularyCollectsEntriesWhileReading)
{
    AddStandardDictionaries();
    TfrmMain& w = Start();
    LookUp("apple");
    RightClickCurrentEntry(w);
    auto* menu = Find<QMenu>("popWord");
    ASSERT_TRUE(menu->isVisible());
    auto* add = Find<QAction>("mnuAddToVocabulary");
    EXPECT_EQ(add->text(), "Add to vocabulary");
    EXPECT_TRUE(add->isEnabled());
    add->trigger();
    menu->close();
    // The folder and the list are made when needed.
    EXPECT_EQ(ReadAll(DefaultList()), QByteArray("apple=a red fruit\r\n"));
    auto* status = Find<TStatusBar>("stbStatusBar");
    EXPECT_EQ(status->Notice(), "Added to My words.lvf: apple");

    LookUp("banana");
    RightClickCurrentEntry(w);
    Find<QAction>("mnuAddToVocabulary")->trigger();
    menu->close();
    EXPECT_EQ(ReadAll(DefaultList()), QByteArray("apple=a red fruit\r\nbanana=a yellow fruit\r\n"));

    // A link names a word, not an entry: nothing to add.
    w.LookupView()->OnLinkRightClick("cherry");
    EXPECT_FALSE(add->isEnabled());
    menu->close();

    // A list that is no list is left alone, with a message.
    QFile::remove(DefaultList());
    FFolder.WriteFile("Vocabulary/My words.lvf", QByteArray("\x01\x02", 2));
    RightClickCurrentEntry(w);
    add->trigger();
    menu->close();
    ASSERT_EQ(FErrors.size(), 1);
    EXPECT_TRUE(FErrors[0].startsWith("This file is not a vocabulary list."));
    EXPECT_EQ(ReadAll(DefaultList()), QByteArray("\x01\x02", 2));
}

TEST_F(VocabularyMenuTest, EntriesReachTheListAsTheirFilesMeantThem)
{
    FFolder.AddDictionary("german.ldi", "German", {{"Straße", "street"}});  // fits Windows-1252
    makrel::TWriterOptions greek;
    greek.Encoding = makrel::TEncodingChoice::Utf8;
    FFolder.AddDictionary("greek.ldi", greek, {{"σπίτι", "house"}});
    TfrmMain& w = Start();
    for (int line : {0, 1}) {
        LookIn()->setCurrentIndex(line);
        emit LookIn()->activated(line);
        RightClickCurrentEntry(w);
        Find<QAction>("mnuAddToVocabulary")->trigger();
        Find<QMenu>("popWord")->close();
    }
    EXPECT_EQ(ReadAll(DefaultList()), QByteArray("Straße=street\r\nσπίτι=house\r\n"));
}

TEST_F(VocabularyMenuTest, TheListLastSavedTakesTheWordsFromThenOn)
{
    AddStandardDictionaries();
    TfrmMain& w = Start();
    const QString list = QDir(FFolder.Path()).filePath("lesson.lvf");
    int runs = 0;
    w.Hooks.RunModal = [&](QDialog& Dialog) {
        ++runs;
        auto& window = dynamic_cast<TfrmVocabularyAssembly&>(Dialog);
        EXPECT_EQ(window.windowTitle(), "Vocabulary Assembly");
        EXPECT_TRUE(window.Lines().isEmpty());
        EXPECT_TRUE(window.SaveFile(list));
    };
    Find<QAction>("mnuVocabularyTest")->trigger();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(ReadAll(list), QByteArray());

    LookUp("cherry");
    RightClickCurrentEntry(w);
    Find<QAction>("mnuAddToVocabulary")->trigger();
    Find<QMenu>("popWord")->close();
    EXPECT_EQ(ReadAll(list), QByteArray("cherry=a small fruit\r\n"));
    EXPECT_FALSE(QFile::exists(DefaultList()));

    // The choice outlives the program.
    Close();
    EXPECT_EQ(Stored().value("VocabularyFile").toString(), list);
}

TEST_F(VocabularyMenuTest, AnInstalledCopyReadsEveryDataFolderAndWritesOnlyTheUsers)
{
    const QString share = FFolder.Path() + "/usr/share/lirabo/Dictionaries";
    QDir().mkpath(share);
    QDir().mkpath(FFolder.Path() + "/usr/bin");
    FFolder.AddDictionary("fruit.ldi", "Fruit", {{"apple", "a red fruit"}}, {}, share);
    FFolder.AddDictionary("birds.ldi", "Installed birds", {{"crow", "black"}}, {}, share);
    QTemporaryDir home;
    const QString mine = home.filePath("lirabo/Dictionaries");
    QDir().mkpath(mine);
    FFolder.AddDictionary("birds.ldi", "My birds", {{"crow", "black"}}, {}, mine);
    FProgram = FFolder.Path() + "/usr/bin";
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    TfrmMain& w = Start();
    qputenv("XDG_DATA_HOME", dataHome);

    // The user's copy of a dictionary stands in for the installed one.
    ASSERT_EQ(LookIn()->count(), 3);
    EXPECT_EQ(LookIn()->itemText(0), "My birds");
    EXPECT_EQ(LookIn()->itemText(1), "Fruit");

    LookIn()->setCurrentIndex(1);
    emit LookIn()->activated(1);
    LookUp("apple");
    RightClickCurrentEntry(w);
    Find<QAction>("mnuAddToVocabulary")->trigger();
    Find<QMenu>("popWord")->close();
    EXPECT_EQ(ReadAll(home.filePath("lirabo/Vocabulary/My words.lvf")), QByteArray("apple=a red fruit\r\n"));
    EXPECT_FALSE(QFileInfo::exists(FFolder.Path() + "/usr/share/lirabo/Vocabulary"));
    EXPECT_FALSE(QFileInfo::exists(FFolder.Path() + "/usr/bin/Vocabulary"));
}

}  // namespace
}  // namespace lirabo::test
