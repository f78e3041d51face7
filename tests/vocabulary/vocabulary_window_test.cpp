// The list window and the test window, driven as a person drives them.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>

#include "language/language.h"
#include "language/language_apply.h"
#include "widgets/message_box.h"
#include "vocabulary/frm_vocabulary_assembly.h"
#include "vocabulary/frm_vocabulary_test.h"
#include "vocabulary/vocabulary_grid.h"

namespace lirabo {
namespace {

using TAnswer = TMessageBox::TAnswer;

class VocabularyWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TMessageBox::SetSink([this](TMessageBox::TKind Kind, const QString& Text) {
            FMessages << Text;
            if (Kind == TMessageBox::TKind::Error || Kind == TMessageBox::TKind::Information)
                return TAnswer::Ok;
            return FAnswers.isEmpty() ? TAnswer::Cancel : FAnswers.takeFirst();
        });
        FWindow = std::make_unique<TfrmVocabularyAssembly>(FLanguage, FDir.path(), nullptr);
        ApplyLanguageToControl(FLanguage, FWindow.get(), QStringLiteral("VocabularyAssembly"));
        FWindow->tlbNewClick(false);
        FWindow->ChooseOpenFile = [this] { return FChosen; };
        FWindow->ChooseSaveFile = [this] { return FChosen; };
        FWindow->RunTest = [this](TfrmVocabularyTest& Test) {
            FTestRuns++;
            FHiddenDuringTest = FWindow->ListHidden();
            FTestRows = Test.FWordList;
            if (FDriveTest)
                FDriveTest(Test);
        };
        FWindow->show();
    }

    void TearDown() override
    {
        FWindow.reset();
        TMessageBox::SetSink({});
    }

    TVocabularyGrid* Grid() const { return FWindow->Grid(); }
    QString Path(const char* Name) const { return QDir(FDir.path()).filePath(QLatin1String(Name)); }
    void Key(int KeyCode, Qt::KeyboardModifiers Modifiers = {})
    {
        QTest::keyClick(Grid(), static_cast<Qt::Key>(KeyCode), Modifiers);
    }
    // Types into the cell as an edit that the user committed.
    void Type(int Row, int Column, const QString& Text) { Grid()->item(Row, Column)->setText(Text); }
    void Answer(TfrmVocabularyTest& Test, const QString& Text)
    {
        auto* edit = Test.findChild<QLineEdit*>("edtWord");
        QTest::keyClicks(edit, Text);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    static QByteArray ReadAll(const QString& Path)
    {
        QFile file(Path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    TLanguage FLanguage;
    QTemporaryDir FDir;
    std::unique_ptr<TfrmVocabularyAssembly> FWindow;
    QStringList FMessages;
    QList<TAnswer> FAnswers;
    QString FChosen;
    int FTestRuns = 0;
    bool FHiddenDuringTest = false;
    QStringList FTestRows;
    std::function<void(TfrmVocabularyTest&)> FDriveTest;
};

TEST_F(VocabularyWindowTest, TextsComeFromTheLanguageSection)
{
    EXPECT_EQ(FWindow->windowTitle(), "Vocabulary Assembly");
    EXPECT_EQ(Grid()->horizontalHeaderItem(0)->text(), "Source");
    EXPECT_EQ(Grid()->horizontalHeaderItem(1)->text(), "Target");
    EXPECT_EQ(FWindow->findChild<QAbstractButton*>("btnRun")->text(), "Run");
    auto* randomize = FWindow->findChild<QToolButton*>("tlbRandomize");
    EXPECT_EQ(randomize->toolTip(), "Randomize");
    EXPECT_TRUE(randomize->text().isEmpty());
    EXPECT_EQ(FWindow->findChild<QLabel*>("pnlHidden")->text(), "(Hidden)");
    // Both columns share the width.
    FWindow->resize(500, 300);
    QApplication::processEvents();
    EXPECT_NEAR(Grid()->columnWidth(0), Grid()->columnWidth(1), 1);
}

TEST_F(VocabularyWindowTest, GridKeysAddMoveAndDeleteRows)
{
    // An empty list shows a row to type into that is not yet part of it.
    EXPECT_EQ(Grid()->rowCount(), 1);
    EXPECT_EQ(FWindow->Lines(), QStringList());
    Key(Qt::Key_Down);
    EXPECT_EQ(Grid()->rowCount(), 1);
    Type(0, 0, "house");
    EXPECT_TRUE(FWindow->Modified());
    Type(0, 1, "Haus");
    Key(Qt::Key_Down);
    ASSERT_EQ(Grid()->rowCount(), 2);
    EXPECT_EQ(Grid()->currentRow(), 1);
    // Down again on a row without a source adds nothing.
    Key(Qt::Key_Down);
    EXPECT_EQ(Grid()->rowCount(), 2);
    Type(1, 0, "book");
    Type(1, 1, "Buch");
    EXPECT_EQ(FWindow->Lines(), QStringList({"house=Haus", "book=Buch"}));

    Key(Qt::Key_Insert);
    EXPECT_EQ(FWindow->Lines(), QStringList({"house=Haus", "=", "book=Buch"}));
    EXPECT_EQ(Grid()->currentRow(), 1);
    // Insert on a row without a source does nothing.
    Key(Qt::Key_Insert);
    EXPECT_EQ(Grid()->rowCount(), 3);
    Key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(FWindow->Lines(), QStringList({"house=Haus", "book=Buch"}));
    Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(Grid()->currentRow(), 1);
    Key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(Grid()->currentRow(), 0);

    // A row dragged by its number moves in the list, not just on screen.
    Grid()->verticalHeader()->moveSection(0, 1);
    EXPECT_EQ(FWindow->Lines(), QStringList({"book=Buch", "house=Haus"}));
    EXPECT_EQ(Grid()->verticalHeader()->visualIndex(0), 0);
    EXPECT_EQ(Grid()->item(0, 0)->text(), "book");

    // Add appends, but takes an empty current row instead.
    FWindow->btnAddRowClick();
    EXPECT_EQ(FWindow->Lines(), QStringList({"book=Buch", "house=Haus", "="}));
    FWindow->btnAddRowClick();
    EXPECT_EQ(FWindow->Lines().size(), 3);
    // Delete from the last row leaves the cursor on the row above.
    FWindow->btnDeleteRowClick();
    EXPECT_EQ(Grid()->currentRow(), 1);
    FWindow->btnDeleteRowClick();
    FWindow->btnDeleteRowClick();
    EXPECT_EQ(FWindow->Lines(), QStringList());
    EXPECT_EQ(Grid()->rowCount(), 1);
    // An "=" typed in a source would split differently on reading.
    Type(0, 0, "E=mc2");
    EXPECT_EQ(Grid()->item(0, 0)->text(), "E mc2");
}

TEST_F(VocabularyWindowTest, RunRefusesBlankRowsAndEmptyListsOnly)
{
    FWindow->btnRunClick();
    EXPECT_EQ(FMessages, QStringList{"No words in list."});
    FWindow->btnAddRowClick();
    FWindow->btnRunClick();
    EXPECT_EQ(FMessages.last(), "Blank entries are not allowed.");
    EXPECT_EQ(FTestRuns, 0);

    // No target, a line without "=" and duplicates are all accepted.
    const QString path = Path("list.lvf");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("house=\r\nno equals\r\nhouse=Haus\r\nhouse=Haus");
    file.close();
    ASSERT_TRUE(FWindow->OpenFile(path));
    auto* hide = FWindow->findChild<QToolButton*>("tlbHideList");
    hide->click();
    EXPECT_TRUE(FWindow->ListHidden());
    FMessages.clear();
    FWindow->btnRunClick();
    EXPECT_TRUE(FMessages.isEmpty());
    EXPECT_EQ(FTestRuns, 1);
    EXPECT_TRUE(FHiddenDuringTest);
    EXPECT_EQ(FTestRows, QStringList({"house=", "no equals", "house=Haus", "house=Haus"}));
    // Afterwards the list shows, whatever it was before.
    EXPECT_FALSE(FWindow->ListHidden());
    EXPECT_FALSE(hide->isChecked());
    // The line without "=" is saved as it was read.
    ASSERT_TRUE(FWindow->SaveFile(path));
    EXPECT_EQ(ReadAll(path), QByteArray("house=\r\nno equals\r\nhouse=Haus\r\nhouse=Haus\r\n"));
}

TEST_F(VocabularyWindowTest, NewAndCloseNeverDropUnsavedWork)
{
    Type(0, 0, "house");
    Type(0, 1, "Haus");
    // Yes, then a cancelled save dialog: the list stays.
    FAnswers = {TAnswer::Yes};
    FChosen.clear();
    FWindow->tlbNewClick(true);
    EXPECT_EQ(FMessages.last(), "Do you want to save the current list to file before clearing?");
    EXPECT_EQ(FWindow->Lines(), QStringList{"house=Haus"});
    FAnswers = {TAnswer::Cancel};
    FWindow->tlbNewClick(true);
    EXPECT_EQ(FWindow->Lines(), QStringList{"house=Haus"});

    // Closing with unsaved rows asks too; Cancel keeps the window open.
    FAnswers = {TAnswer::Cancel};
    FWindow->reject();
    EXPECT_TRUE(FWindow->isVisible());
    EXPECT_EQ(FMessages.last(), "Do you want to save the current list to file before closing?");

    // Yes with a file chosen saves, then clears.
    FChosen = Path("saved.lvf");
    FAnswers = {TAnswer::Yes};
    FWindow->tlbNewClick(true);
    EXPECT_EQ(ReadAll(FChosen), QByteArray("house=Haus\r\n"));
    EXPECT_EQ(FWindow->Lines(), QStringList());
    EXPECT_EQ(FWindow->LastFile(), FChosen);
    EXPECT_EQ(Grid()->currentRow(), 0);
    EXPECT_EQ(Grid()->currentColumn(), 0);

    // No clears without saving; a saved list closes without a question.
    Type(0, 0, "tree");
    FAnswers = {TAnswer::No};
    FWindow->tlbNewClick(true);
    EXPECT_EQ(FWindow->Lines(), QStringList());
    FMessages.clear();
    FWindow->reject();
    EXPECT_FALSE(FWindow->isVisible());
    EXPECT_TRUE(FMessages.isEmpty());
}

TEST_F(VocabularyWindowTest, FilesThatFailLeaveTheListAsItWas)
{
    Type(0, 0, "kept");
    FChosen = Path("missing.lvf");
    FWindow->tlbOpenClick();
    EXPECT_EQ(FWindow->Lines(), QStringList{"kept="});
    ASSERT_EQ(FMessages.size(), 1);
    EXPECT_TRUE(FMessages[0].contains("missing.lvf"));

    QFile binary(Path("program.lvf"));
    ASSERT_TRUE(binary.open(QIODevice::WriteOnly));
    binary.write(QByteArray("\x7F" "ELF\x02\x01\x01\x00", 8));
    binary.close();
    FChosen = binary.fileName();
    FWindow->tlbOpenClick();
    EXPECT_TRUE(FMessages.last().startsWith("This file is not a vocabulary list."));
    EXPECT_EQ(FWindow->Lines(), QStringList{"kept="});
    EXPECT_TRUE(FWindow->LastFile().isEmpty());

    // Randomize keeps the rows.
    Type(0, 1, "x");
    FWindow->btnAddRowClick();
    Type(1, 0, "b");
    FWindow->btnAddRowClick();
    Type(2, 0, "c");
    FWindow->tlbRandomizeClick();
    QStringList lines = FWindow->Lines();
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, QStringList({"b=", "c=", "kept=x"}));
}

QString LineText(const QTextEdit* History, int Line)
{
    return History->document()->findBlockByNumber(Line).text();
}

QTextCharFormat LineFormat(const QTextEdit* History, int Line)
{
    QTextCursor cursor(History->document()->findBlockByNumber(Line));
    cursor.movePosition(QTextCursor::EndOfBlock);
    return cursor.charFormat();
}

TEST_F(VocabularyWindowTest, AWholeTestFromRunToScore)
{
    const QString path = Path("words.lvf");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("house=Haus\r\nhouse=Heim\r\nbook=Buch\r\n");
    file.close();
    ASSERT_TRUE(FWindow->OpenFile(path));

    FDriveTest = [this](TfrmVocabularyTest& Test) {
        Test.show();
        auto* history = Test.findChild<QTextEdit*>("rtfHistory");
        auto* counts = Test.findChild<QLabel*>("lblPercentCorrect");
        auto* word = Test.findChild<QLabel*>("lblWord");
        auto* bar = Test.findChild<QProgressBar*>("prgCorrect");
        EXPECT_EQ(Test.windowTitle(), "Vocabulary Test");
        EXPECT_EQ(LineText(history, 0), "Instructions");
        EXPECT_TRUE(LineFormat(history, 0).font().bold());
        EXPECT_EQ(LineFormat(history, 0).fontPointSize(), 12);
        EXPECT_EQ(LineText(history, 4), "Good luck!");
        EXPECT_FALSE(history->isEnabled());
        EXPECT_EQ(counts->text(), "Percent correct so far: (0 of 0)");
        EXPECT_EQ(word->text(), "house");

        // Letter case counts; the first answer clears the instructions.
        Answer(Test, "haus");
        EXPECT_EQ(LineText(history, 0), "house");
        EXPECT_EQ(LineFormat(history, 0).foreground().color(), QColor(0, 0, 128));
        EXPECT_EQ(LineText(history, 1), "Incorrect");
        EXPECT_EQ(LineFormat(history, 1).foreground().color(), QColor(255, 0, 0));
        EXPECT_EQ(LineFormat(history, 1).fontPointSize(), 10);
        EXPECT_EQ(LineText(history, 2), "Correct answer is: Haus");
        EXPECT_FALSE(LineFormat(history, 2).font().bold());
        EXPECT_EQ(LineFormat(history, 2).fontPointSize(), 8);
        EXPECT_EQ(counts->text(), "Percent correct so far: (0 of 1)");

        // The same source again expects its own target.
        EXPECT_EQ(word->text(), "house");
        Answer(Test, "Heim");
        EXPECT_EQ(LineText(history, 5), "Correct");
        EXPECT_EQ(LineFormat(history, 5).foreground().color(), QColor(0, 128, 0));
        EXPECT_EQ(LineText(history, 6), "You answered: Heim");
        EXPECT_EQ(counts->text(), "Percent correct so far: (1 of 2)");

        // A trailing blank is a wrong answer; then the test ends.
        Answer(Test, "Buch ");
        EXPECT_TRUE(Test.Finished());
        EXPECT_EQ(Test.Right(), 1);
        EXPECT_EQ(Test.Answered(), 3);
        EXPECT_EQ(bar->maximum(), 3);
        EXPECT_EQ(bar->value(), 1);
        // The count includes the last answer, as the overall score does.
        EXPECT_EQ(counts->text(), "Percent correct so far: (1 of 3)");
        const int last = history->document()->blockCount() - 1;
        EXPECT_EQ(LineText(history, last - 1), "Overall score");
        EXPECT_EQ(LineText(history, last),
                  "You got 33 percent correct. Practice makes perfect, so practice some more and try again later.");
        EXPECT_TRUE(history->isEnabled());
        EXPECT_FALSE(Test.findChild<QGroupBox*>("grpWord")->isEnabled());
        EXPECT_EQ(Test.findChild<QGroupBox*>("grpResults")->geometry(), QRect(8, 8, 251, 305));
        EXPECT_EQ(history->height(), 275);
        // Further Returns change nothing.
        QTest::keyClick(Test.findChild<QLineEdit*>("edtWord"), Qt::Key_Return);
        EXPECT_EQ(Test.Answered(), 3);
        Test.findChild<QAbstractButton*>("btnClose")->click();
        EXPECT_FALSE(Test.isVisible());
    };
    FWindow->btnRunClick();
    EXPECT_EQ(FTestRuns, 1);
}

TEST_F(VocabularyWindowTest, OneRowAndAnEmptyAnswer)
{
    // An empty answer counts, and is right only for an empty target.
    TfrmVocabularyTest test(FLanguage, nullptr);
    ApplyLanguageToControl(FLanguage, &test, QStringLiteral("VocabularyTest"));
    test.FWordList = {"blank="};
    test.ShowWord();
    test.show();
    Answer(test, "");
    EXPECT_TRUE(test.Finished());
    EXPECT_EQ(test.Right(), 1);
    const QTextEdit* history = test.findChild<QTextEdit*>("rtfHistory");
    EXPECT_EQ(LineText(history, history->document()->blockCount() - 1),
              "Good work, congratulations! You got 100 percent correct!");
}

}  // namespace
}  // namespace lirabo
