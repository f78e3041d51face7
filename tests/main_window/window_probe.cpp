// Starts the real main window over a program folder (default: the build's
// bin folder with its Dictionaries), types a few words, saves screenshots and
// prints timings: start-up to the first painted window, keystroke to the
// repainted view, and a whole-dictionary advanced lookup. Not a test: a tool
// for looking at the window and measuring it.
//
//   window_probe PROGRAM_FOLDER OUTPUT_FOLDER

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "browser/browser_environment.h"
#include "browser/mini_browser.h"
#include "dictionary_view/dictionary_view.h"
#include "main_window/frm_main.h"
#include "preferences/frm_settings.h"
#include "search/background_search.h"
#include "word_hints/word_hint_line.h"
#include "word_hints/word_hints.h"

namespace {

class TPaintWatch : public QObject {
public:
    bool Painted = false;

protected:
    bool eventFilter(QObject*, QEvent* Event) override
    {
        if (Event->type() == QEvent::Paint)
            Painted = true;
        return false;
    }
};

void WaitForPaint(TPaintWatch& Watch)
{
    Watch.Painted = false;
    while (!Watch.Painted)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

double Milliseconds(const QElapsedTimer& Timer)
{
    return Timer.nsecsElapsed() / 1e6;
}

}  // namespace

// Types Word over the dictionary whose line starts with Dictionary and saves
// the window once the line above the entries has said all it will: the
// forms come at once, suggestions once the headwords are gathered.
void ShowWordHints(lirabo::TfrmMain* Window, const QString& Dictionary, const QString& Word, const QString& Path)
{
    auto* box = Window->findChild<QComboBox*>("cmbLookup");
    auto* lookIn = Window->findChild<QComboBox*>("cmbLookIn");
    auto* line = Window->findChild<lirabo::TWordHintLine*>("lblWordHints");
    auto* hints = Window->findChild<lirabo::TWordHints*>();
    const int index = lookIn->findText(Dictionary, Qt::MatchStartsWith);
    if (index < 0 || !line || !hints)
        return;
    if (lookIn->currentIndex() != index) {
        lookIn->setCurrentIndex(index);
        emit lookIn->activated(index);
    }
    QSignalSpy answers(hints, &lirabo::TWordHints::Answered);
    box->lineEdit()->clear();
    // The test library types ASCII only; other letters come as an input method's.
    QInputMethodEvent typed;
    typed.setCommitString(Word);
    QApplication::sendEvent(box->lineEdit(), &typed);
    QElapsedTimer waited;
    waited.start();
    // Until a word without an entry has its suggestions, or a while after the forms.
    while (waited.elapsed() < 30000 && !(line->Shown() && !line->Shown()->Suggestions.isEmpty()) &&
           !(line->Shown() && waited.elapsed() > 4000))
        answers.wait(500);
    std::printf("line for %s after %lld ms: %s\n", qPrintable(Word), static_cast<long long>(waited.elapsed()),
                qPrintable(line->accessibleDescription()));
    Window->grab().save(Path);
}

int main(int argc, char** argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    lirabo::PrepareBrowserEnvironment();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Lirabo");
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_probe PROGRAM_FOLDER OUTPUT_FOLDER\n");
        return 2;
    }
    const QString folder = argv[1];
    const QDir out(argv[2]);
    QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

    const double applicationReady = Milliseconds(sinceStart);
    auto* window = new lirabo::TfrmMain(folder);
    const double windowBuilt = Milliseconds(sinceStart);
    TPaintWatch watch;
    window->LookupView()->installEventFilter(&watch);
    window->resize(760, 560);
    window->show();
    WaitForPaint(watch);
    std::printf("application object %.1f ms, window built %.1f ms\n", applicationReady, windowBuilt);
    std::printf("start-up to first painted view: %.1f ms (since main); painted at %lld ms since the epoch\n",
                Milliseconds(sinceStart), QDateTime::currentMSecsSinceEpoch());

    auto* box = window->findChild<QComboBox*>("cmbLookup");
    auto* lookIn = window->findChild<QComboBox*>("cmbLookIn");
    std::printf("catalogue:");
    for (int i = 0; i < lookIn->count(); ++i)
        std::printf(" [%s]", qPrintable(lookIn->itemText(i)));
    std::printf("\n");
    window->grab().save(out.filePath("01-start.png"));

    // Keystroke to repainted view, over WordNet when it is listed.
    const int wordnet = lookIn->findText("English (WordNet)", Qt::MatchStartsWith);
    if (wordnet >= 0) {
        lookIn->setCurrentIndex(wordnet);
        emit lookIn->activated(wordnet);
    }
    std::vector<double> times;
    const QString words[] = {"dictionary", "relation", "wonderful", "zebra", "apple"};
    for (const QString& word : words) {
        box->lineEdit()->clear();
        for (const QChar c : word) {
            QElapsedTimer t;
            t.start();
            QTest::keyClick(box->lineEdit(), c.toLatin1());
            window->LookupView()->repaint();
            times.push_back(Milliseconds(t));
        }
    }
    std::sort(times.begin(), times.end());
    std::printf("keystroke to repainted view: median %.2f ms, p90 %.2f ms, max %.2f ms over %zu keys\n",
                times[times.size() / 2], times[times.size() * 9 / 10], times.back(), times.size());

    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), "house");
    window->grab().save(out.filePath("02-house.png"));

    // The word menu on the entry looked up, and its Add to vocabulary, whose
    // list is removed again when the probe made it.
    if (auto* word = window->findChild<QMenu*>("popWord")) {
        lirabo::TDictionaryView* view = window->LookupView();
        for (int y = 7; y < view->height() && !word->isVisible(); y += 3) {
            QTest::mouseClick(view, Qt::RightButton, {}, QPoint(9, y));
            if (word->isVisible() && view->RightClickedEntry() != view->CurrentFirst())
                word->close();
        }
        QCoreApplication::processEvents();
        word->grab().save(out.filePath("09-word-menu.png"));
        const QString list = QDir(folder).filePath("Vocabulary/My words.lvf");
        const bool existed = QFile::exists(list);
        for (QAction* a : word->actions())
            if (a->objectName() == "mnuAddToVocabulary")
                a->trigger();
        word->close();
        window->grab().save(out.filePath("10-added-to-vocabulary.png"));
        if (!existed)
            QFile::remove(list);
    }

    // Relations of the current entries.
    QTest::keyClick(box->lineEdit(), Qt::Key_F5);
    if (auto* menu = window->findChild<QMenu*>("mnuDictionaries")) {
        emit menu->aboutToShow();
        for (QAction* a : menu->actions())
            if (a->objectName() == "mnuFindRelations" && a->isEnabled())
                a->trigger();
    }
    window->grab().save(out.filePath("03-relations.png"));

    // Whole-dictionary advanced lookup.
    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), "*tion");
    auto* tabs = window->findChild<QTabWidget*>("pagTabs");
    tabs->setCurrentIndex(0);
    QElapsedTimer search;
    search.start();
    QTest::keyClick(box->lineEdit(), Qt::Key_Return, Qt::ControlModifier);
    window->AdvancedSearch()->WaitForResult();
    window->AdvancedView()->repaint();
    std::printf("advanced lookup *tion: %.1f ms, %d matches\n", Milliseconds(search),
                window->AdvancedView()->EntryCount());
    window->grab().save(out.filePath("04-advanced.png"));

    // The same inside the definitions, with the matches highlighted.
    if (auto* inside = window->findChild<QRadioButton*>("rbnDefinitions"))
        inside->setChecked(true);
    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), "river bank");
    tabs->setCurrentIndex(0);
    search.restart();
    QTest::keyClick(box->lineEdit(), Qt::Key_Return, Qt::ControlModifier);
    QTest::qWait(250);
    window->grab().save(out.filePath("04a-searching.png"));  // the progress in the status bar
    window->AdvancedSearch()->WaitForResult();
    window->AdvancedView()->repaint();
    std::printf("definition search 'river bank': %.1f ms, %d matches\n", Milliseconds(search),
                window->AdvancedView()->EntryCount());
    window->grab().save(out.filePath("04b-definitions.png"));
    if (auto* heads = window->findChild<QRadioButton*>("rbnHeadwords"))
        heads->setChecked(true);

    // German-English.
    const int german = lookIn->findText("German", Qt::MatchStartsWith);
    if (german >= 0) {
        QTest::keyClick(box->lineEdit(), Qt::Key_F1, Qt::ControlModifier);
        lookIn->setCurrentIndex(german);
        emit lookIn->activated(german);
        box->lineEdit()->clear();
        QTest::keyClicks(box->lineEdit(), QString::fromUtf8("Straße"));
        window->grab().save(out.filePath("05-german.png"));
    }
    // Other scripts: Greek capitals and Polish typed into the first
    // dictionaries of the list, found where a file holds them and refused
    // with a word in the status bar where it does not; then the Information
    // box of each, with the file's languages.
    const auto commit = [box](const QString& Text) {
        box->lineEdit()->clear();
        QInputMethodEvent event;
        event.setCommitString(Text);
        QApplication::sendEvent(box->lineEdit(), &event);
    };
    window->Hooks.RunModal = [&](QDialog& Dialog) {
        Dialog.show();
        QCoreApplication::processEvents();
        Dialog.grab().save(out.filePath(QString("16-information-%1.png").arg(lookIn->currentIndex())));
    };
    QTest::keyClick(box->lineEdit(), Qt::Key_F1, Qt::ControlModifier);
    for (int line = 0; line < std::min(3, lookIn->count() - 1); ++line) {
        lookIn->setCurrentIndex(line);
        emit lookIn->activated(line);
        const struct {
            const char* Name;
            const char* Text;
        } samples[] = {{"greek", "\xCE\xA3\xCE\xA0\xCE\x8A\xCE\xA4\xCE\x99"},  // ΣΠΊΤΙ
                       {"polish", "\xC5\xBC\xC3\xB3\xC5\x82w"}};                 // żółw
        for (const auto& sample : samples) {
            commit(QString::fromUtf8(sample.Text));
            window->grab().save(out.filePath(QString("15-script-%1-%2.png").arg(line).arg(sample.Name)));
        }
        if (auto* information = window->findChild<QAction*>("mnuInformation")) {
            if (auto* menu = window->findChild<QMenu*>("mnuDictionaries"))
                emit menu->aboutToShow();
            information->trigger();
        }
    }

    // The Dictionary menu and the Internet tab.
    if (auto* menu = window->findChild<QMenu*>("mnuDictionaries")) {
        menu->popup(window->mapToGlobal(QPoint(100, 30)));
        QCoreApplication::processEvents();
        menu->grab().save(out.filePath("07-dictionary-menu.png"));
        menu->close();
    }
    // The Internet tab once its home page has been drawn.
    QElapsedTimer browserTimer;
    browserTimer.start();
    QTest::keyClick(box->lineEdit(), Qt::Key_F3, Qt::ControlModifier);
    std::printf("Internet tab entered, browser %s in %.1f ms\n", window->Browser() ? "made" : "not made",
                Milliseconds(browserTimer));
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    window->grab().save(out.filePath("08-internet.png"));
    if (auto* more = window->findChild<QAction*>("mnuGetMore")) {
        more->trigger();
        settle.restart();
        while (settle.elapsed() < 1500)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        window->grab().save(out.filePath("08-internet-dictionaries.png"));
    }
    QTest::keyClick(box->lineEdit(), Qt::Key_F1, Qt::ControlModifier);

    window->resize(330, 520);
    QCoreApplication::processEvents();
    window->grab().save(out.filePath("06-narrow.png"));

    // The line above the entries: forms and suggestions, in English here and
    // in German after the settings below.
    const auto wordHints = [&](const QString& Prefix) {
        ShowWordHints(window, "English (WordNet)", "houses", out.filePath(Prefix + "-houses.png"));
        ShowWordHints(window, "English (WordNet)", "mice", out.filePath(Prefix + "-mice.png"));
        ShowWordHints(window, "English (WordNet)", "recieve", out.filePath(Prefix + "-recieve.png"));
        // Right after the dictionary opens: its time includes the gathering.
        ShowWordHints(window, "German", "Kindergarden", out.filePath(Prefix + "-kindergarden.png"));
        ShowWordHints(window, "German", QString::fromUtf8("H\xC3\xA4user"), out.filePath(Prefix + "-haeuser.png"));
    };
    wordHints("18-hints");
    // F9 over the last word: spoken, or the status bar says why it is not
    // heard (no sound server under Xvfb).
    QTest::keyClick(box->lineEdit(), Qt::Key_F9);
    for (QElapsedTimer waited; !waited.isValid() || waited.elapsed() < 1500;) {
        if (!waited.isValid())
            waited.start();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    window->grab().save(out.filePath("18-pronounce.png"));

    // The settings dialog over the window, a colour changed live, then the
    // interface in German with its Window menu.
    window->resize(560, 520);
    window->Hooks.RunModal = [&](QDialog& Dialog) {
        auto& settings = static_cast<lirabo::TfrmSettings&>(Dialog);
        settings.ChooseColor = [](const QColor&) { return std::optional(QColor(255, 250, 220)); };
        Dialog.show();
        Dialog.findChild<QTabWidget*>("pagSettings")->setCurrentIndex(1);
        Dialog.findChild<QComboBox*>("cmbElement")->setCurrentIndex(5);
        Dialog.findChild<QPushButton*>("btnColor")->click();
        QCoreApplication::processEvents();
        Dialog.grab().save(out.filePath("11-settings.png"));
        window->grab().save(out.filePath("12-live-colour.png"));
        auto* languages = Dialog.findChild<QComboBox*>("cmbLanguages");
        if (const int german = languages->findText("Deutsch"); german >= 0)
            languages->setCurrentIndex(german);
        Dialog.accept();
    };
    window->findChild<QAction*>("mnuSettings")->trigger();
    if (auto* menu = window->findChild<QMenu*>("mnuWindow")) {
        menu->popup(window->mapToGlobal(QPoint(150, 30)));
        QCoreApplication::processEvents();
        menu->grab().save(out.filePath("13-german-window-menu.png"));
        menu->close();
    }
    window->grab().save(out.filePath("14-german.png"));
    // The word on a refused character in German, over the first dictionary.
    lookIn->setCurrentIndex(0);
    emit lookIn->activated(0);
    commit(QString::fromUtf8("\xCE\xA3\xCE\xA0\xCE\x8A\xCE\xA4\xCE\x99"));
    window->grab().save(out.filePath("17-german-refused.png"));
    wordHints("19-german-hints");
    window->close();
    delete window;
    return 0;
}
