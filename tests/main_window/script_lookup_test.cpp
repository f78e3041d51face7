// The window with dictionaries in other scripts: what a person types, clicks
// or chooses reaches each file in the file's own encoding, text a file
// cannot hold is refused with a word in the status bar, and what the files
// say reaches the screen as they meant it.

#include <QAccessible>
#include <QClipboard>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>
#include <QTest>

#include "dictionary/display_text.h"
#include "main_window/status_bar.h"
#include "window_fixture.h"

namespace lirabo::test {
namespace {

enum TDictionary { kGerman, kGreek, kPolish };  // Look-in lines, in file-name order

class ScriptLookupTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        // Every German character fits Windows-1252; Polish needs UTF-8, Greek is told to.
        // clang-format off
        FFolder.AddDictionary("deutsch.ldi", Described("Wörterbuch", "Für Lirabo"),
            {{"Äpfel", "apples"}, {"café", "coffee"}, {"Größe", "Maß"}, {"Straße", "street"}, {"zebra", "horse"}},
            {{3, 1, 4}});
        makrel::TWriterOptions greek = Described("Ελληνικό λεξικό", "Για το Lirabo");
        greek.Encoding = makrel::TEncodingChoice::Utf8;
        greek.HeadwordLanguage = "el";
        greek.DefinitionLanguage = "en";
        FFolder.AddDictionary("greek.ldi", greek,
            {{"γάτα", "cat"}, {"σκύλος", "dog"}, {"σπίτι", "house"}, {"σχολείο", "school"}}, {{2, 1, 3}});
        FFolder.AddDictionary("polski.ldi", Described("Słownik", "Zażółć gęślą jaźń"),
            {{"łódź", "statek; nie żółw"}, {"żaba", "płaz"}, {"żółw", "gad, żółw z pancerzem"}, {"zamek", "budowla"}});
        // clang-format on
    }

    static makrel::TWriterOptions Described(const char* Name, const char* Notice)
    {
        makrel::TWriterOptions options;
        options.Name = Name;
        options.Notice = Notice;
        return options;
    }

    void Open(int Line)
    {
        LookIn()->setCurrentIndex(Line);
        emit LookIn()->activated(Line);
    }

    // As an input method commits text: QTest's key clicks carry Latin-1 only.
    void Type(const QString& Text, Qt::KeyboardModifiers Enter = Qt::NoModifier)
    {
        LookupBox()->lineEdit()->clear();
        QInputMethodEvent commit;
        commit.setCommitString(Text);
        QApplication::sendEvent(LookupBox()->lineEdit(), &commit);
        if (Enter == Qt::ControlModifier) {
            QTest::keyClick(LookupBox()->lineEdit(), Qt::Key_Return, Enter);
            FWindow->AdvancedSearch()->WaitForResult();
        }
    }

    QString Notice() const { return Find<TStatusBar>("stbStatusBar")->Notice(); }
    static QString Refusal(const char* Character)
    {
        return QString("This dictionary cannot hold the character ") + Character;
    }

    // Headwords as UTF-8, whatever the file holds.
    static QString Word(TDictionaryView* View)
    {
        return QString::fromStdString(ToDisplayText(CurrentWord(View), View->Encoding()));
    }
    static QStringList Words(TDictionaryView* View)
    {
        QStringList words;
        for (int i = 0; i < View->EntryCount(); ++i)
            words << QString::fromStdString(ToDisplayText(View->Store().GetItem(i)->Word, View->Encoding()));
        return words;
    }
};

TEST_F(ScriptLookupTest, TypedTextIsLookedUpOnlyWhereTheDictionaryCanHoldIt)
{
    const struct {
        TDictionary Dictionary;
        const char* Typed;
        const char* Found;    // nullptr: not looked up, the view keeps its entry
        const char* Refused;  // the character the status bar names
    } cases[] = {
        {kGreek, "ΣΠΊΤΙ", "σπίτι", nullptr},  // capitals fold, the accent stays
        {kGreek, "żółw", "γάτα", nullptr},    // UTF-8 holds everything: the nearest entry
        {kPolish, "ŻÓŁW", "żółw", nullptr},
        {kGerman, "STRAßE", "Straße", nullptr},
        {kGerman, "żółw", nullptr, "ż (U+017C)"},
        {kGerman, "zebra", "zebra", nullptr},  // the next lookup takes the word away
        {kGerman, "Straße😀", nullptr, "😀 (U+1F600)"},
        {kGerman, "cafe\u0301", "café", nullptr},  // decomposed: the one byte the file has
    };
    TfrmMain& w = Start();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        if (LookIn()->currentIndex() != c.Dictionary)
            Open(c.Dictionary);
        const QString before = Word(w.LookupView());
        Type(c.Typed);
        EXPECT_EQ(Word(w.LookupView()), c.Found ? QString(c.Found) : before);
        EXPECT_EQ(Notice(), c.Refused ? Refusal(c.Refused) : QString());
    }
    // Look up records a refused word all the same, for another dictionary.
    Type("ΣΠΊΤΙ");
    QTest::keyClick(LookupBox()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(w.Recent().Words(), QStringList{"ΣΠΊΤΙ"});
    // Choosing one that holds it looks it up; the Internet tab ends the word too.
    Open(kGreek);
    EXPECT_EQ(Word(w.LookupView()), "σπίτι");
    EXPECT_EQ(Notice(), "");
    Open(kGerman);
    Tabs()->setCurrentIndex(2);
    EXPECT_EQ(Notice(), "");
}

TEST_F(ScriptLookupTest, AdvancedSearchComparesAndMarksInEachFilesForm)
{
    TfrmMain& w = Start();
    Open(kPolish);
    Find<QRadioButton>("rbnDefinitions")->click();
    Type("ŻÓŁW", Qt::ControlModifier);
    EXPECT_EQ(Words(w.AdvancedView()), (QStringList{"łódź", "żółw"}));
    EXPECT_EQ(w.AdvancedView()->Highlight(), std::vector<std::string>{"żółw"});  // UTF-8 for the view
    Type("PANCERZEM", Qt::ControlModifier);                       // narrows the results
    EXPECT_EQ(Words(w.AdvancedView()), QStringList{"żółw"});
    EXPECT_EQ(w.AdvancedView()->Highlight(), (std::vector<std::string>{"żółw", "pancerzem"}));

    // Windows-1252: a query it cannot hold searches nothing and leaves the
    // tabs and results; one it can is marked in UTF-8, not in the file's bytes.
    Open(kGerman);
    Type("żółw", Qt::ControlModifier);
    EXPECT_EQ(Tabs()->currentIndex(), 0);
    EXPECT_EQ(Words(w.AdvancedView()), QStringList{"żółw"});
    EXPECT_EQ(Notice(), Refusal("ż (U+017C)"));
    Type("maß", Qt::ControlModifier);
    EXPECT_EQ(Words(w.AdvancedView()), QStringList{"Größe"});
    EXPECT_EQ(w.AdvancedView()->Highlight(), std::vector<std::string>{"MAß"});
    Find<QRadioButton>("rbnHeadwords")->click();
    Type("ź*", Qt::ControlModifier);  // narrowing German results
    EXPECT_EQ(Words(w.AdvancedView()), QStringList{"Größe"});
    EXPECT_EQ(Notice(), Refusal("ź (U+017A)"));
}

TEST_F(ScriptLookupTest, RelationsLinksAndTheWordMenuCarryTheFilesText)
{
    TfrmMain& w = Start();
    auto* list = Find<QListWidget>("lstRelations");
    const auto relationsOf = [&](const char* Word) {
        list->clear();
        w.LookupView()->OnRightClick("entry", Word);
        Find<QAction>("mnuRelations")->trigger();
        Find<QMenu>("popWord")->close();
        return list->count() ? list->item(list->count() - 1)->text() : QString();
    };
    Open(kGreek);
    EXPECT_EQ(relationsOf("σπίτι"), "σχολείο");
    list->setCurrentRow(2);
    emit list->itemClicked(list->item(2));
    EXPECT_EQ(Word(w.LookupView()), "σχολείο");
    w.LookupView()->OnLinkClick("σκύλος");
    EXPECT_EQ(Word(w.LookupView()), "σκύλος");

    Open(kGerman);
    EXPECT_EQ(relationsOf("Straße"), "zebra");
    EXPECT_EQ(relationsOf("σπίτι"), "") << "no headword where it cannot be held";
    const QString before = Word(w.LookupView());
    w.LookupView()->OnLinkClick("γάτα");
    EXPECT_EQ(Word(w.LookupView()), before);
    EXPECT_EQ(Notice(), Refusal("γ (U+03B3)"));
    w.LookupView()->OnRightClick("entry", "Straße");
    Find<QAction>("mnuLookup")->trigger();
    Find<QAction>("mnuCopy")->trigger();
    Find<QMenu>("popWord")->close();
    EXPECT_EQ(Word(w.LookupView()), "Straße");
    EXPECT_EQ(QApplication::clipboard()->text(), "Straße");
}

TEST_F(ScriptLookupTest, NamesNoticesAndLanguagesReadEachFilesWordAndAChoiceFillsTheGaps)
{
    TfrmMain& w = Start();
    EXPECT_EQ(LookIn()->itemText(kGerman), "Wörterbuch");
    EXPECT_EQ(LookIn()->itemText(kGreek), "Ελληνικό λεξικό");
    EXPECT_EQ(w.DictionaryNotice(), "Für Lirabo");
    QStringList seen;
    // Reads the dialog, then chooses Polish and English where it may.
    w.Hooks.RunModal = [&](QDialog& Dialog) {
        auto* head = Dialog.findChild<QComboBox*>("cmbHeadwordLanguage");
        auto* definition = Dialog.findChild<QComboBox*>("cmbDefinitionLanguage");
        QStringList labels;  // the group the list stands in is one of them
        for (const auto& label : QAccessible::queryAccessibleInterface(head)->relations(QAccessible::Label))
            labels << label.first->text(QAccessible::Name);
        seen = {Dialog.findChild<QGroupBox*>("grpInformation")->title(), head->currentText(),
                definition->currentText(), head->isEnabled() ? "open" : "stated",
                labels.contains("Headword language:") ? "labelled" : "unlabelled"};
        head->setCurrentIndex(head->findData("pl"));
        definition->setCurrentIndex(definition->findData("en"));
        Dialog.reject();  // Esc closes as Close does
    };
    const auto information = [&] {
        emit Find<QMenu>("mnuDictionaries")->aboutToShow();
        Find<QAction>("mnuInformation")->trigger();
        return seen;
    };
    Open(kGreek);
    EXPECT_EQ(w.DictionaryNotice(), "Για το Lirabo");
    EXPECT_EQ(information(),
              (QStringList{"Ελληνικό λεξικό", "Greek (el)", "English (en)", "stated", "labelled"}));
    EXPECT_EQ(w.CurrentLanguages(), (TDictionaryLanguages{"el", "en"}));  // the file's word stands
    Open(kPolish);
    EXPECT_EQ(w.CurrentLanguages(), TDictionaryLanguages{});
    EXPECT_EQ(information().mid(1, 3), (QStringList{"Unknown", "Unknown", "open"}));
    EXPECT_EQ(w.CurrentLanguages(), (TDictionaryLanguages{"pl", "en"}));
    Close();
    EXPECT_EQ(Stored().value("DictionaryLanguages/polski.ldi").toString(), "pl-en");

    // Kept for the file across a restart; a stored value that is no code is ignored.
    Stored().setValue("DictionaryLanguages/deutsch.ldi", "xx-en");
    TfrmMain& again = Start();
    EXPECT_EQ(again.CurrentLanguages(), (TDictionaryLanguages{"pl", "en"}));
    Open(kGerman);
    EXPECT_EQ(again.CurrentLanguages(), TDictionaryLanguages{});
}

}  // namespace
}  // namespace lirabo::test
