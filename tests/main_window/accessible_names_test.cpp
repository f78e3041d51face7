// What a screen reader says of every window: each control that can take the
// keyboard or holds input, a list or a view is named (a tool tip is no name),
// in the interface language, and every window has a title. A control that
// only shows an icon, or an edit beside a label, is what gets forgotten.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolButton>
#include <functional>
#include <memory>

#include "downloads/frm_download.h"
#include "frm_builder.h"
#include "language/language.h"
#include "language/language_apply.h"
#include "main_window/status_bar.h"
#include "preferences/frm_about.h"
#include "preferences/frm_information.h"
#include "preferences/frm_preset.h"
#include "preferences/frm_settings.h"
#include "vocabulary/frm_vocabulary_assembly.h"
#include "vocabulary/frm_vocabulary_test.h"
#include "window_fixture.h"

namespace lirabo::test {
namespace {

// What a reader says a control is: the label that labels it when there is
// one (readers prefer it, and Qt names a combo box on Linux by its current
// text), else its name.
QString SpokenName(QObject* Object)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(Object);
    if (!face)
        return {};
    const auto labels = face->relations(QAccessible::Label);
    return labels.isEmpty() ? face->text(QAccessible::Name) : labels.front().first->text(QAccessible::Name);
}

QString SpokenDescription(QObject* Object)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(Object);
    return face ? face->text(QAccessible::Description) : QString();
}

// Whether a reader stops at W, or reads it as a control of Window. Popups
// (a combo box's list) are windows of their own, named by their box; a
// scroll area's bars, viewport and corner are parts of it, and a table's
// headers and corner button speak as its header cells.
bool IsControl(QWidget* W, QWidget* Window)
{
    if (W->window() != Window || qobject_cast<QScrollBar*>(W) ||
        W->objectName().startsWith(QLatin1String("qt_scrollarea")) ||
        qobject_cast<QAbstractItemView*>(W->parentWidget()))
        return false;
    return W->focusPolicy() != Qt::NoFocus || qobject_cast<QAbstractButton*>(W) ||
           qobject_cast<QLineEdit*>(W) || qobject_cast<QComboBox*>(W) ||
           qobject_cast<QAbstractItemView*>(W) || qobject_cast<QAbstractSpinBox*>(W) ||
           qobject_cast<QAbstractSlider*>(W) || qobject_cast<QTabBar*>(W) || qobject_cast<QTextEdit*>(W) ||
           qobject_cast<QPlainTextEdit*>(W) || qobject_cast<QProgressBar*>(W) ||
           qobject_cast<TDictionaryView*>(W);
}

// The controls of Window that a reader would announce by their kind alone.
QStringList Nameless(QWidget* Window)
{
    QStringList nameless;
    for (QWidget* w : Window->findChildren<QWidget*>()) {
        if (IsControl(w, Window) && SpokenName(w).trimmed().isEmpty())
            nameless << QStringLiteral("%1 (%2)").arg(w->objectName(),
                                                      QLatin1String(w->metaObject()->className()));
    }
    return nameless;
}

TLanguage German()
{
    TLanguage language;
    EXPECT_TRUE(language.ApplyLanguageFile(QString::fromUtf8(GERMAN_LANGUAGE_FILE)));
    return language;
}

// Every window but the main one, made as its owner makes it and given its
// section; the builder has no language file and speaks English.
struct TWindowCase {
    const char* Window;
    std::function<std::unique_ptr<QWidget>(const TLanguage& Language)> Make;
    // A control and its German name, read where the language reaches.
    const char* Control;
    const char* GermanName;
};

template <class T>
std::unique_ptr<QWidget> Applied(std::unique_ptr<T> Window, const TLanguage& Language, const char* Section)
{
    ApplyLanguageToControl(Language, Window.get(), QString::fromLatin1(Section));
    return Window;
}

const TWindowCase kWindows[] = {
    {"settings",
     [](const TLanguage& L) {
         const std::vector<TLanguageChoice> languages{{{}, QStringLiteral("English")}};
         return Applied(
             std::make_unique<TfrmSettings>(L, languages, TfrmSettings::TGeneral{}, TDisplayLook{}, nullptr),
             L, "Settings");
     },
     "pntElements", "Elementvorschau: Klicken Sie auf das Element, das Sie ändern möchten"},
    {"settings' language list", nullptr, "cmbLanguages", "Sprache der Oberfläche:"},
    {"information",
     [](const TLanguage& L) {
         return Applied(
             std::make_unique<TfrmInformation>(L, QStringLiteral("Fruit"), QStringLiteral("About fruit"),
                                               QStringLiteral("https://example.org"), TDictionaryLanguages{},
                                               TDictionaryLanguages{}, nullptr),
             L, "Information");
     },
     "cmbDefinitionLanguage", "Sprache der Definitionen:"},
    {"about",
     [](const TLanguage& L) {
         return Applied(
             std::make_unique<TfrmAbout>(L, QStringLiteral("1.0"), QStringLiteral("https://example.org"),
                                         QStringLiteral("help@example.org"), nullptr),
             L, "About");
     },
     "btnOK", "OK"},
    {"preset",
     [](const TLanguage& L) {
         auto preset = std::make_unique<TfrmPreset>(
             L, [] { return QStringList{QStringLiteral("Narrow")}; }, [](const QString&) {}, nullptr);
         preset->Refresh();
         return Applied(std::move(preset), L, "Preset");
     },
     "lstPreset", "Voreinstellungen"},
    {"download",
     [](const TLanguage& L) { return Applied(std::make_unique<TfrmDownload>(L, nullptr), L, "Download"); },
     "prgProgress", "Fortschritt des Herunterladens"},
    {"vocabulary assembly",
     [](const TLanguage& L) {
         return Applied(std::make_unique<TfrmVocabularyAssembly>(L, QString(), nullptr), L,
                        "VocabularyAssembly");
     },
     "tlbSave", "Speichern"},
    {"vocabulary test",
     [](const TLanguage& L) {
         return Applied(std::make_unique<TfrmVocabularyTest>(L, nullptr), L, "VocabularyTest");
     },
     "rtfHistory", "Ergebnisse"},
    {"builder", [](const TLanguage&) { return std::make_unique<makrel::TfrmBuilder>(); }, nullptr, nullptr},
};

TEST(AccessibleNamesTest, EveryWindowNamesEveryControlInItsLanguage)
{
    const TLanguage english;
    const TLanguage german = German();
    const TWindowCase* maker = nullptr;
    for (const TWindowCase& c : kWindows) {
        // A case without a maker checks one more control of the window before.
        if (c.Make)
            maker = &c;
        SCOPED_TRACE(c.Window);
        std::unique_ptr<QWidget> window = maker->Make(english);
        EXPECT_FALSE(window->windowTitle().isEmpty());
        EXPECT_EQ(Nameless(window.get()), QStringList());
        if (!c.Control)
            continue;
        window = maker->Make(german);
        auto* control = window->findChild<QWidget*>(QLatin1String(c.Control));
        ASSERT_NE(control, nullptr) << c.Control;
        EXPECT_EQ(SpokenName(control), QString::fromUtf8(c.GermanName)) << c.Control;
        EXPECT_EQ(Nameless(window.get()), QStringList());
    }
}

// An editable combo box speaks through its line edit while the person types.
TEST(AccessibleNamesTest, NameTagsReachTheEditOfAComboBoxAndFallBackToEnglish)
{
    QWidget window;
    SetTag(&window, 1);
    auto* lookup = new QComboBox(&window);
    lookup->setEditable(true);
    SetNameTag(lookup, 9100);
    auto* relations = new QListWidget(&window);
    SetNameTag(relations, 9109);
    SetDescriptionTag(relations, 9112);

    ApplyLanguageToControl(German(), &window, QStringLiteral("Main"));
    EXPECT_EQ(SpokenName(lookup->lineEdit()), "Nachschlagen");
    EXPECT_EQ(SpokenName(relations), "Beziehungen");
    EXPECT_EQ(SpokenDescription(relations), "Tipps");

    // A file made before the names existed.
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("old.lng"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Data]\r\nFileVersion=3\r\n[Main]\r\n1=Alt\r\n");
    file.close();
    TLanguage old;
    ASSERT_TRUE(old.ApplyLanguageFile(path));
    ApplyLanguageToControl(old, &window, QStringLiteral("Main"));
    EXPECT_EQ(window.windowTitle(), "Alt");
    EXPECT_EQ(SpokenName(lookup), "Look up");
    EXPECT_EQ(SpokenName(lookup->lineEdit()), "Look up");
    EXPECT_EQ(SpokenDescription(relations), "Tips");
}

// A cell being typed in is a control of its own.
TEST(AccessibleNamesTest, VocabularyCellEditorsTakeTheirColumnsTitle)
{
    const TLanguage german = German();
    std::unique_ptr<QWidget> window = Applied(
        std::make_unique<TfrmVocabularyAssembly>(german, QString(), nullptr), german, "VocabularyAssembly");
    window->show();
    auto* grid = window->findChild<QTableWidget*>(QStringLiteral("valVocabulary"));
    ASSERT_NE(grid, nullptr);
    ASSERT_GE(grid->rowCount(), 1);
    for (const auto& [column, title] : {std::pair{0, "Ausgangssprache"}, std::pair{1, "Zielsprache"}}) {
        grid->setCurrentCell(0, column);
        grid->edit(grid->currentIndex());
        // The editor of the cell before is gone once its deletion is done.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const QList<QLineEdit*> editors = grid->viewport()->findChildren<QLineEdit*>();
        ASSERT_EQ(editors.size(), 1);
        EXPECT_EQ(SpokenName(editors.front()), QString::fromUtf8(title));
    }
}

// What the bar shows is what it is called; with nothing shown, its name.
TEST(AccessibleNamesTest, StatusBarIsNamedByWhatItShows)
{
    const struct {
        const char* Case;
        std::function<void(TStatusBar& Bar)> Do;
        const char* Name;
    } steps[] = {
        {"nothing drawn yet", [](TStatusBar&) {}, "Status bar"},
        {"the dictionary line",
         [](TStatusBar& B) { B.SetOwnerDrawnWords(QStringLiteral("Fruit (information)")); },
         "Fruit (information)"},
        {"a slow operation covers it",
         [](TStatusBar& B) { B.SetWholeWidthText(QStringLiteral("Searching")); }, "Searching"},
        {"a notice covers that", [](TStatusBar& B) { B.ShowNotice(QStringLiteral("Added"), 0); }, "Added"},
        {"the notice goes", [](TStatusBar& B) { B.clearMessage(); }, "Searching"},
        {"back to the panel", [](TStatusBar& B) { B.SetPanelMode(); }, "Fruit (information)"},
        {"a plain panel text", [](TStatusBar& B) { B.SetPanelText(QStringLiteral("Idle")); }, "Idle"},
        {"an empty panel text", [](TStatusBar& B) { B.SetPanelText(QString()); }, "Status bar"},
        {"owner-drawn again", [](TStatusBar& B) { B.SetPanelOwnerDrawn(); }, "Fruit (information)"},
        {"no dictionary open", [](TStatusBar& B) { B.SetOwnerDrawnWords(QString()); }, "Status bar"},
    };
    TStatusBar bar;
    bar.SetQuietName(QStringLiteral("Status bar"));
    for (const auto& step : steps) {
        step.Do(bar);
        EXPECT_EQ(SpokenName(&bar), QString::fromUtf8(step.Name)) << step.Case;
    }
}

TEST_F(WindowTest, MainWindowNamesEveryControlInEnglishAndGerman)
{
    AddStandardDictionaries();
    for (const bool german : {false, true}) {
        SCOPED_TRACE(german ? "German" : "English");
        if (german) {
            QDir(FFolder.Path()).mkpath(QStringLiteral("Lang"));
            QFile::copy(QString::fromUtf8(GERMAN_LANGUAGE_FILE),
                        FFolder.Path() + QStringLiteral("/Lang/Deutsch.lng"));
            QSettings s = Stored();
            s.setValue(QStringLiteral("LanguageFile"), QStringLiteral("Deutsch.lng"));
        }
        TfrmMain& w = Start();
        // The Internet tab makes its browser when first shown.
        Tabs()->setCurrentIndex(2);
        ASSERT_NE(w.Browser(), nullptr);
        EXPECT_FALSE(w.windowTitle().isEmpty());
        EXPECT_EQ(Nameless(&w), QStringList());
        const struct {
            const char* Control;
            const char* English;
            const char* German;
        } spoken[] = {
            {"cmbLookup", "Look up:", "Nachschlagen:"},
            {"cmbLookIn", "Look in:", "Suchen in:"},
            {"spdLookupEx", "Advanced lookup", "Erweiterte Suche"},
            {"FLookupView", "Dictionary entries", "Wörterbucheinträge"},
            {"FAdvancedView", "Advanced lookup results", "Ergebnisse der erweiterten Suche"},
            {"spdNextTip", "Next tip", "Nächster Tipp"},
            {"wbrInternet", "Web page", "Webseite"},
        };
        for (const auto& s : spoken)
            EXPECT_EQ(SpokenName(Find<QWidget>(s.Control)), QString::fromUtf8(german ? s.German : s.English))
                << s.Control;
        EXPECT_EQ(SpokenName(LookupBox()->lineEdit()),
                  QString::fromUtf8(german ? "Nachschlagen" : "Look up"));
        Close();
    }
}

// The painted dictionary line, the relations list and the Advanced results
// say in words what a sighted person sees.
TEST_F(WindowTest, StatusLineRelationsAndResultsAreDescribedInWords)
{
    AddStandardDictionaries();
    TfrmMain& w = Start();
    auto* status = Find<TStatusBar>("stbStatusBar");
    const QString line = w.DictionaryNotice() + QStringLiteral(" (information)");
    EXPECT_EQ(SpokenName(status), line);
    status->ShowNotice(QStringLiteral("Added"), 0);
    EXPECT_EQ(SpokenName(status), "Added");
    status->clearMessage();
    EXPECT_EQ(SpokenName(status), line);

    QTest::keyClicks(LookupBox()->lineEdit(), "banana");
    auto* dictionaryMenu = Find<QMenu>("mnuDictionaries");
    emit dictionaryMenu->aboutToShow();
    Find<QAction>("mnuFindRelations")->trigger();
    auto* list = Find<QListWidget>("lstRelations");
    EXPECT_EQ(SpokenName(list), "Relations");
    EXPECT_EQ(SpokenDescription(list), QStringLiteral("Relations of banana: %1").arg(list->count()));

    // A pattern holding a placeholder of its own is shown as typed.
    QLineEdit* box = LookupBox()->lineEdit();
    const std::pair<const char*, const char*> searches[] = {
        {"*an*", "One entry matches *an*"},
        {"%d*", "0 entries match %d*"},
        {"*a*", "3 entries match *a*"},
    };
    for (const auto& [pattern, description] : searches) {
        // From the Dictionary tab a search reads the whole dictionary.
        Tabs()->setCurrentIndex(0);
        box->clear();
        QTest::keyClicks(box, pattern);
        QTest::keyClick(box, Qt::Key_Return, Qt::ControlModifier);
        ASSERT_TRUE(w.AdvancedSearch()->WaitForResult());
        EXPECT_EQ(SpokenDescription(w.AdvancedView()), QString::fromUtf8(description));
    }
}

}  // namespace
}  // namespace lirabo::test
