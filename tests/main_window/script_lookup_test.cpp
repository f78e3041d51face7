// The window with dictionaries in other scripts: what a person types, clicks
// or chooses reaches each file in the file's own encoding, text a file
// cannot hold is refused with a word in the status bar, and what the files
// say reaches the screen as they meant it.

#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
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

constexpr const char* kGermanName = "W\xC3\xB6rterbuch Deutsch";
constexpr const char* kGreekName =
    "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCF\x8C "
    "\xCE\xBB\xCE\xB5\xCE\xBE\xCE\xB9\xCE\xBA\xCF\x8C";       // Ελληνικό λεξικό
constexpr const char* kPolishName = "S\xC5\x82ownik polski";  // Słownik polski

class ScriptLookupTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        makrel::TWriterOptions german;  // every character fits: Windows-1252
        german.Name = kGermanName;
        german.Notice = "F\xC3\xBCr Lirabo";
        FFolder.AddDictionary("deutsch.ldi", german,
                              {{"\xC3\x84pfel", "apples"},
                               {"caf\xC3\xA9", "coffee shop"},
                               {"Gr\xC3\xB6\xC3\x9F"
                                "e",
                                "Ma\xC3\x9F f\xC3\xBCr Ausdehnung"},
                               {"Stra\xC3\x9F"
                                "e",
                                "street"},
                               {"zebra", "a striped horse"}},
                              {{3, 1, 4}});
        makrel::TWriterOptions greek;
        greek.Encoding = makrel::TEncodingChoice::Utf8;
        greek.HeadwordLanguage = "el";
        greek.DefinitionLanguage = "en";
        greek.Name = kGreekName;
        greek.Notice = "\xCE\x93\xCE\xB9\xCE\xB1 \xCF\x84\xCE\xBF Lirabo";  // Για το Lirabo
        // σπίτι's antonym (a noun relation) is σχολείο.
        FFolder.AddDictionary("greek.ldi", greek,
                              {{U8(u8"γάτα"), "cat"},
                               {U8(u8"σκύλος"), "dog"},
                               {U8(u8"σπίτι"), "house"},
                               {U8(u8"σχολείο"), "school"}},
                              {{2, 1, 3}});
        makrel::TWriterOptions polish;  // no languages stated; ż needs UTF-8
        polish.Name = kPolishName;
        polish.Notice = U8(u8"Zażółć gęślą jaźń");
        FFolder.AddDictionary("polski.ldi", polish,
                              {{U8(u8"łódź"), U8(u8"statek; nie żółw")},
                               {U8(u8"żaba"), U8(u8"płaz zielony")},
                               {U8(u8"żółw"), U8(u8"gad z pancerzem, żółw morski")},
                               {"zamek", "budowla obronna"}});
    }

    static std::string U8(const char8_t* Text) { return reinterpret_cast<const char*>(Text); }
    static QString Q(const char8_t* Text) { return QString::fromUtf8(reinterpret_cast<const char*>(Text)); }

    void Open(int Line)
    {
        LookIn()->setCurrentIndex(Line);
        emit LookIn()->activated(Line);
    }

    // As an input method commits text: QTest's key clicks carry Latin-1 only.
    void Type(const QString& Text)
    {
        QLineEdit* box = LookupBox()->lineEdit();
        box->clear();
        QInputMethodEvent commit;
        commit.setCommitString(Text);
        QApplication::sendEvent(box, &commit);
        ASSERT_EQ(box->text(), Text);
    }

    void Search(const QString& Text)
    {
        Type(Text);
        QTest::keyClick(LookupBox()->lineEdit(), Qt::Key_Return, Qt::ControlModifier);
        if (FWindow->AdvancedSearch()->Running()) {
            ASSERT_TRUE(FWindow->AdvancedSearch()->WaitForResult());
        }
    }

    // What assistive tools read as the control's labels (the group it
    // stands in is one of them).
    static QStringList AccessibleLabels(QWidget* Control)
    {
        QStringList names;
        for (const auto& label :
             QAccessible::queryAccessibleInterface(Control)->relations(QAccessible::Label))
            names << label.first->text(QAccessible::Name);
        return names;
    }

    void OpenInformation()
    {
        emit Find<QMenu>("mnuDictionaries")->aboutToShow();
        Find<QAction>("mnuInformation")->trigger();
    }

    QString Notice() const { return Find<TStatusBar>("stbStatusBar")->Notice(); }

    // Headwords as UTF-8, whatever the file holds.
    static std::string ShownWord(TDictionaryView* View)
    {
        return ToDisplayText(CurrentWord(View), View->Encoding());
    }
    static std::vector<std::string> Words(TDictionaryView* View)
    {
        std::vector<std::string> words;
        for (int i = 0; i < View->EntryCount(); ++i)
            words.push_back(ToDisplayText(View->Store().GetItem(i)->Word, View->Encoding()));
        return words;
    }
    static std::vector<std::string> Utf8(std::initializer_list<const char8_t*> Texts)
    {
        std::vector<std::string> out;
        for (const char8_t* t : Texts)
            out.push_back(U8(t));
        return out;
    }
};

TEST_F(ScriptLookupTest, TypedTextIsLookedUpOnlyWhereTheDictionaryCanHoldIt)
{
    struct TCase {
        TDictionary Dictionary;
        const char8_t* Typed;
        const char8_t* Found;   // nullptr: not looked up, the view keeps its entry
        const char8_t* Notice;  // the status bar's word, nullptr: none
    };
    const TCase cases[] = {
        {kGreek, u8"σπίτι", u8"σπίτι", nullptr},
        {kGreek, u8"ΣΠΊΤΙ", u8"σπίτι", nullptr},  // capitals fold, the accent stays
        {kGreek, u8"ΣΚ", u8"σκύλος", nullptr},
        {kPolish, u8"ŻÓŁW", u8"żółw", nullptr},
        {kGerman, u8"STRAßE", u8"Straße", nullptr},
        {kGerman, u8"żółw", nullptr, u8"This dictionary cannot hold the character ż (U+017C)"},
        {kGerman, u8"zebra", u8"zebra", nullptr},  // the next lookup that goes ahead takes the word away
        {kGerman, u8"Straße😀", nullptr, u8"This dictionary cannot hold the character 😀 (U+1F600)"},
        {kGerman, u8"ΣΠΊΤΙ", nullptr, u8"This dictionary cannot hold the character Σ (U+03A3)"},
        // A decomposed é (e and a combining accent) is the one byte the file has.
        {kGerman, u8"cafe\u0301", u8"café", nullptr},
        // A UTF-8 file holds every character: the nearest entry, as for any word.
        {kGreek, u8"żółw", u8"γάτα", nullptr},
    };
    TfrmMain& w = Start();
    int open = -1;
    for (const TCase& c : cases) {
        SCOPED_TRACE(U8(c.Typed));
        if (open != c.Dictionary) {
            Open(c.Dictionary);
            open = c.Dictionary;
        }
        const std::string before = ShownWord(w.LookupView());
        Type(Q(c.Typed));
        EXPECT_EQ(ShownWord(w.LookupView()), c.Found ? U8(c.Found) : before);
        EXPECT_EQ(Notice(), c.Notice ? Q(c.Notice) : QString());
    }
    // Choosing a dictionary that holds the text looks it up and ends the word.
    Open(kPolish);
    EXPECT_EQ(ShownWord(w.LookupView()), U8(u8"żółw"));
    EXPECT_EQ(Notice(), "");

    // Look up records a refused word all the same: it may be wanted in
    // another dictionary, from the list.
    Open(kGerman);
    QTest::keyClick(LookupBox()->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(w.Recent().Words(), QStringList{Q(u8"żółw")});
    EXPECT_FALSE(Notice().isEmpty());
    // The Internet tab looks nothing up: the word about a dictionary goes.
    Tabs()->setCurrentIndex(2);
    EXPECT_EQ(Notice(), "");
}

TEST_F(ScriptLookupTest, AdvancedSearchComparesAndMarksInEachFilesForm)
{
    TfrmMain& w = Start();
    Open(kPolish);
    Find<QRadioButton>("rbnDefinitions")->click();
    Search(Q(u8"ŻÓŁW"));
    EXPECT_EQ(Tabs()->currentIndex(), 1);
    EXPECT_EQ(Words(w.AdvancedView()), Utf8({u8"łódź", u8"żółw"}));
    // The marks are UTF-8 whatever the file: the view matches them on characters.
    EXPECT_EQ(w.AdvancedView()->Highlight(), Utf8({u8"żółw"}));
    Search(Q(u8"PANCERZEM"));
    EXPECT_EQ(Words(w.AdvancedView()), Utf8({u8"żółw"}));
    EXPECT_EQ(w.AdvancedView()->Highlight(), Utf8({u8"żółw", u8"pancerzem"}));

    Find<QRadioButton>("rbnHeadwords")->click();
    Tabs()->setCurrentIndex(0);
    Search(Q(u8"Ż*"));
    EXPECT_EQ(Words(w.AdvancedView()), Utf8({u8"żaba", u8"żółw"}));
    EXPECT_TRUE(w.AdvancedView()->Highlight().empty());

    // Windows-1252: a pattern it cannot hold searches nothing and leaves the
    // tabs as they were; one it can marks in UTF-8 what the file keeps as bytes.
    Open(kGerman);
    Search(Q(u8"żółw*"));
    EXPECT_EQ(Tabs()->currentIndex(), 0);
    EXPECT_EQ(Words(w.AdvancedView()), Utf8({u8"żaba", u8"żółw"}));
    EXPECT_EQ(Notice(), Q(u8"This dictionary cannot hold the character ż (U+017C)"));
    EXPECT_EQ(w.Recent().Words().front(), Q(u8"żółw*"));
    Find<QRadioButton>("rbnDefinitions")->click();
    Search(Q(u8"maß"));
    EXPECT_EQ(Words(w.AdvancedView()), Utf8({u8"Größe"}));
    EXPECT_EQ(w.AdvancedView()->Highlight(), Utf8({u8"MAß"}));
    EXPECT_EQ(Notice(), "");
    // Narrowing German results with Polish: refused, the results stay.
    Search(Q(u8"źle"));
    EXPECT_EQ(Words(w.AdvancedView()), Utf8({u8"Größe"}));
    EXPECT_EQ(Notice(), Q(u8"This dictionary cannot hold the character ź (U+017A)"));
}

TEST_F(ScriptLookupTest, RelationsLinksAndTheWordMenuCarryTheFilesText)
{
    TfrmMain& w = Start();
    Open(kGreek);
    Type(Q(u8"σπίτι"));
    emit Find<QMenu>("mnuDictionaries")->aboutToShow();
    Find<QAction>("mnuFindRelations")->trigger();
    auto* list = Find<QListWidget>("lstRelations");
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(2)->text(), Q(u8"σχολείο"));
    list->setCurrentRow(2);
    emit list->itemClicked(list->item(2));
    EXPECT_EQ(ShownWord(w.LookupView()), U8(u8"σχολείο"));

    // The word menu's Relations looks the clicked word up as the file holds it.
    list->clear();
    w.LookupView()->OnRightClick(U8(u8"σπίτι house"), U8(u8"σπίτι"));
    Find<QAction>("mnuRelations")->trigger();
    Find<QMenu>("popWord")->close();
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(2)->text(), Q(u8"σχολείο"));
    // In a dictionary that cannot hold the word it is no headword: nothing listed.
    Open(kGerman);
    w.LookupView()->OnRightClick(U8(u8"σπίτι house"), U8(u8"σπίτι"));
    Find<QAction>("mnuRelations")->trigger();
    Find<QMenu>("popWord")->close();
    EXPECT_EQ(list->count(), 0);

    // Links and the word menu's Look up go through the lookup box's rule.
    Open(kGreek);
    w.LookupView()->OnLinkClick(U8(u8"σκύλος"));
    EXPECT_EQ(ShownWord(w.LookupView()), U8(u8"σκύλος"));
    Open(kGerman);
    const std::string before = ShownWord(w.LookupView());
    w.LookupView()->OnLinkClick(U8(u8"γάτα"));
    EXPECT_EQ(ShownWord(w.LookupView()), before);
    EXPECT_EQ(Notice(), Q(u8"This dictionary cannot hold the character γ (U+03B3)"));
    w.LookupView()->OnRightClick("entry", U8(u8"Straße"));
    Find<QAction>("mnuLookup")->trigger();
    Find<QAction>("mnuCopy")->trigger();
    Find<QMenu>("popWord")->close();
    EXPECT_EQ(ShownWord(w.LookupView()), U8(u8"Straße"));
    EXPECT_EQ(QApplication::clipboard()->text(), Q(u8"Straße"));
}

TEST_F(ScriptLookupTest, OnlineDictionaryGetsTheWordAsUtf8)
{
    FFolder.WriteFile("Dictionaries/online.ini", "[Web]\nLocation=http://dict.example/?q=%1\n");
    TfrmMain& w = Start();
    Open(kGerman);
    Type(Q(u8"ΣΠΊΤΙ"));  // refused by the German file, not by the site
    Open(3);
    EXPECT_EQ(w.LastOnlineAddress(), "http://dict.example/?q=%CE%A3%CE%A0%CE%8A%CE%A4%CE%99");
    EXPECT_EQ(Notice(), "");
}

TEST_F(ScriptLookupTest, NamesNoticesAndTitleReadEachFilesEncoding)
{
    TfrmMain& w = Start();
    EXPECT_EQ(LookIn()->itemText(kGerman), QString::fromUtf8(kGermanName));
    EXPECT_EQ(LookIn()->itemText(kGreek), QString::fromUtf8(kGreekName));
    EXPECT_EQ(LookIn()->itemText(kPolish), QString::fromUtf8(kPolishName));
    const struct {
        TDictionary Dictionary;
        const char8_t* Notice;
    } notices[] = {{kGerman, u8"Für Lirabo"}, {kGreek, u8"Για το Lirabo"}, {kPolish, u8"Zażółć gęślą jaźń"}};
    for (const auto& n : notices) {
        Open(n.Dictionary);
        EXPECT_EQ(w.DictionaryNotice(), Q(n.Notice));
        // The window keeps its own name whatever dictionary is open.
        EXPECT_EQ(w.windowTitle(), "Lirabo");
    }
}

TEST_F(ScriptLookupTest, InformationShowsTheLanguagesAndKeepsAChoiceForFilesWithoutThem)
{
    struct TSeen {
        QString Group, Headword, Definition;
        QStringList Labels;
        bool HeadwordOpen = false, DefinitionOpen = false;
    };
    TSeen seen;
    // Chooses Polish and English where the dialog lets it.
    const auto drive = [&](QDialog& Dialog) {
        auto* head = Dialog.findChild<QComboBox*>("cmbHeadwordLanguage");
        auto* definition = Dialog.findChild<QComboBox*>("cmbDefinitionLanguage");
        ASSERT_TRUE(head && definition);
        seen = {Dialog.findChild<QGroupBox*>("grpInformation")->title(),
                head->currentText(),
                definition->currentText(),
                AccessibleLabels(head),
                head->isEnabled(),
                definition->isEnabled()};
        if (head->isEnabled())
            head->setCurrentIndex(head->findData("pl"));
        if (definition->isEnabled())
            definition->setCurrentIndex(definition->findData("en"));
        Dialog.reject();  // Esc closes as the Close button does
    };
    TfrmMain& w = Start();
    w.Hooks.RunModal = drive;
    Open(kGreek);
    EXPECT_EQ(w.CurrentLanguages(), (TDictionaryLanguages{"el", "en"}));
    OpenInformation();
    EXPECT_EQ(seen.Group, QString::fromUtf8(kGreekName));
    EXPECT_EQ(seen.Headword, Q(u8"Greek (el)"));
    EXPECT_EQ(seen.Definition, "English (en)");
    EXPECT_TRUE(seen.Labels.contains("Headword language:")) << seen.Labels.join('|').toStdString();
    EXPECT_FALSE(seen.HeadwordOpen);  // the file's word stands
    EXPECT_FALSE(seen.DefinitionOpen);
    EXPECT_EQ(w.CurrentLanguages(), (TDictionaryLanguages{"el", "en"}));

    Open(kPolish);
    EXPECT_EQ(w.CurrentLanguages(), TDictionaryLanguages{});
    OpenInformation();
    EXPECT_EQ(seen.Headword, "Unknown");
    EXPECT_TRUE(seen.HeadwordOpen);
    EXPECT_EQ(w.CurrentLanguages(), (TDictionaryLanguages{"pl", "en"}));
    Close();
    EXPECT_EQ(Stored().value("DictionaryLanguages/polski.ldi").toString(), "pl-en");
    EXPECT_FALSE(Stored().contains("DictionaryLanguages/greek.ldi"));

    // The choice is the file's across a restart; the dialog shows it.
    {
        QSettings s = Stored();
        s.setValue("CurrentDictionary", kPolish);
        s.setValue("DictionaryLanguages/deutsch.ldi", "xx-en");  // no ISO 639-1 code
    }
    TfrmMain& again = Start();
    again.Hooks.RunModal = drive;
    EXPECT_EQ(again.CurrentLanguages(), (TDictionaryLanguages{"pl", "en"}));
    OpenInformation();
    EXPECT_EQ(seen.Headword, "Polish (pl)");
    Open(kGerman);
    EXPECT_EQ(again.CurrentLanguages(), TDictionaryLanguages{});
    Close();
    EXPECT_FALSE(Stored().contains("DictionaryLanguages/deutsch.ldi")) << "what was ignored is not kept";
}

TEST_F(ScriptLookupTest, AFileThatCannotBeLoadedIsNamedInTheMessage)
{
    QTemporaryDir elsewhere;
    const QString path = elsewhere.filePath(Q(u8"λεξικό żółw.ldi"));
    FFolder.AddDictionary("unused.ldi", "x", {{"a", "b"}}, {}, elsewhere.path());
    QFile::rename(elsewhere.filePath("unused.ldi"), path);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.seek(f.size() - 2);
        f.write("XY");
    }
    TfrmMain& w = Start();
    w.WMMakrelLookup(path);
    const QString message =
        "Lirabo was unable to load the dictionary. Please ensure that the file is not corrupt.";
    EXPECT_EQ(FErrors, QStringList{message + "\n\n" + path});
}

}  // namespace
}  // namespace lirabo::test
