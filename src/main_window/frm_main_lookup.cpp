// The lookup flow: the lookup box, Look up and advanced lookup, the keys and
// the wheel of the window, the tabs, and the answers to the views' events.

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QWheelEvent>

#include "clipboard/clipboard_watch.h"
#include "dictionary/display_text.h"
#include "dictionary_view/dictionary_view.h"
#include "main_window/data_address.h"
#include "main_window/frm_main.h"
#include "main_window/key_table.h"
#include "main_window/main_tabs.h"
#include "main_window/relations_panel.h"
#include "main_window/status_bar.h"
#include "main_window/top_bar.h"
#include "word_hints/word_hint_line.h"
#include "search/background_search.h"

namespace lirabo {

TDictionaryView* TfrmMain::CurrentTabView() const
{
    switch (pagTabs->currentIndex()) {
        case TMainTabs::kDictionaryTab:
            return FLookupView;
        case TMainTabs::kAdvancedTab:
            return FAdvancedView;
        default:
            return nullptr;
    }
}

bool TfrmMain::cmbLookupChange()
{
    TDictionaryView* view = CurrentTabView();
    if (!view)
        return true;
    std::string text;
    if (!StoredLookupText(*view, pnlTop->cmbLookup->currentText(), text))
        return false;
    try {
        view->LookUp(text);
    } catch (const std::exception&) {
        // An interactive lookup keeps what the view showed before.
    }
    return true;
}

void TfrmMain::LookUpAtOnce()
{
    cmbLookupChange();
    AskWordHints();
    LookupSettled();
}

bool TfrmMain::StoredLookupText(TDictionaryView& View, const QString& Text, std::string& Stored)
{
    TStoredText stored = ToStoredText(Text.toStdString(), View.Encoding());
    if (!stored.Fits && View.Store().Source() != TDictionaryStore::kSourceNone) {
        ShowUnfitNotice(stored.FirstUnfit);
        return false;
    }
    ClearUnfitNotice();
    Stored = std::move(stored.Text);
    return true;
}

void TfrmMain::SetLookupText(const QString& Text)
{
    // Only the user's edits run the change handling by themselves.
    pnlTop->cmbLookup->setEditText(Text);
}

void TfrmMain::SyncRecentList()
{
    const QString text = pnlTop->cmbLookup->currentText();
    const QSignalBlocker block(pnlTop->cmbLookup);
    pnlTop->cmbLookup->clear();
    pnlTop->cmbLookup->addItems(FRecent.Words());
    pnlTop->cmbLookup->setCurrentIndex(-1);
    pnlTop->cmbLookup->setEditText(text);
}

void TfrmMain::RecordWord()
{
    if (FRecent.Record(pnlTop->cmbLookup->currentText()))
        SyncRecentList();
}

void TfrmMain::spdLookupClick()
{
    if (!CurrentEntryValid())
        return;
    RecordWord();
    const TCatalogueEntry& entry = FDictionaries.At(FCurrentDictionary);
    if (entry.Online) {
        const QString address = OnlineAddress(entry.Location, pnlTop->cmbLookup->currentText());
        // The address comes from a file in a dictionary folder.
        if (DataAddressToOpen(address).isEmpty()) {
            RefuseDataAddress(address);
            return;
        }
        FLastOnlineAddress = address;
        SelectTab(TMainTabs::kInternetTab);
        NavigateBrowser(FLastOnlineAddress);
        return;
    }
    LookUpAtOnce();
}

void TfrmMain::spdLookupExClick()
{
    const QString text = pnlTop->cmbLookup->currentText();
    if (text.isEmpty())
        return;
    FRecent.InsertOnTop(text);
    SyncRecentList();
    StartAdvancedSearch(text);
}

// --- keys and wheel -------------------------------------------------------------

// The window filters the events of every object of the program, the web
// engine's internal ones too, whose types that engine keeps to itself: the
// sanitizer's check of an object's dynamic type cannot see them and would
// take every such event for a fault.
#if defined(__clang__)
__attribute__((no_sanitize("vptr")))
#endif
bool TfrmMain::eventFilter(QObject* Watched, QEvent* Event)
{
    const QEvent::Type type = Event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::Wheel)
        return QMainWindow::eventFilter(Watched, Event);
    // Through the meta-object, not Qt's inline casts, which the sanitizer
    // checks where they are compiled.
    if (!Watched->metaObject()->inherits(&QWidget::staticMetaObject))
        return QMainWindow::eventFilter(Watched, Event);
    auto* widget = static_cast<QWidget*>(Watched);
    if (widget->window() != this)
        return QMainWindow::eventFilter(Watched, Event);
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            if (HandleKey(static_cast<QKeyEvent*>(Event), widget))
                return true;
            break;
        case QEvent::Wheel:
            if (!pnlRelations->isAncestorOf(widget) && HandleWheel(static_cast<QWheelEvent*>(Event)))
                return true;
            break;
        default:
            break;
    }
    return QMainWindow::eventFilter(Watched, Event);
}

bool TfrmMain::HandleKey(QKeyEvent* Event, QWidget* Target)
{
    const bool released = Event->type() == QEvent::KeyRelease;
    const int key = Event->key();
    if (key == Qt::Key_Escape && FSearch->Running()) {
        if (!released)
            StopAdvancedSearch();
        return true;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) &&
        (Event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
        (lblWordHints->hasFocus() || LinkHasKeyboard(Target))) {
        // Enter follows the link that has the keyboard, in the line above
        // the entries or in an entry.
        return false;
    }
    if (!released && InLookupBox(Target) && ScrollFromLookupBox(LookupScrollAction(key, Event->modifiers())))
        return true;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // The press is taken too, so that the lookup box does not act on
        // Enter as well; the release does the work, once.
        if (!released)
            return true;
        if (Event->isAutoRepeat())
            return true;
    }
    switch (MainKeyAction(key, Event->modifiers(), released)) {
        case TKeyAction::None:
            return false;
        case TKeyAction::LookUp:
            spdLookupClick();
            return true;
        case TKeyAction::AdvancedLookUp:
            spdLookupExClick();
            return true;
        case TKeyAction::RecordAndClear:
            RecordWord();
            SetLookupText(QString());
            return true;
        case TKeyAction::NextTab:
            SelectTab((pagTabs->currentIndex() + 1) % pagTabs->count());
            return true;
        case TKeyAction::DictionaryTab:
            SelectTab(TMainTabs::kDictionaryTab);
            return true;
        case TKeyAction::AdvancedTab:
            SelectTab(TMainTabs::kAdvancedTab);
            return true;
        case TKeyAction::InternetTab:
            SelectTab(TMainTabs::kInternetTab);
            return true;
        case TKeyAction::Pronounce:
            // Held down, the key would start the word again and again.
            if (!Event->isAutoRepeat())
                PronounceKey();
            return true;
        case TKeyAction::FocusLookup:
            FocusLookupBox();
            return true;
        case TKeyAction::SwitchPane:
            SwitchPane(Target);
            return true;
    }
    return false;
}

bool TfrmMain::HandleWheel(QWheelEvent* Event)
{
    TDictionaryView* view = CurrentTabView();
    if (!view)
        return false;
    // Fine-grained wheels send parts of a notch; they add up to whole ones.
    FWheelRemainder += Event->angleDelta().y();
    const int notches = FWheelRemainder / QWheelEvent::DefaultDeltasPerStep;
    FWheelRemainder %= QWheelEvent::DefaultDeltasPerStep;
    if (notches != 0) {
        try {
            view->ScrollLines(-notches * QApplication::wheelScrollLines());
        } catch (const std::exception&) {
        }
    }
    Event->accept();
    return true;
}

// --- tabs -------------------------------------------------------------------------

void TfrmMain::SelectTab(int Index)
{
    FInTabChange = true;
    pagTabs->setCurrentIndex(Index);
    FInTabChange = false;
    pagTabsChange();
}

void TfrmMain::pagTabsChange()
{
    switch (pagTabs->currentIndex()) {
        case TMainTabs::kDictionaryTab:
            stbStatusBar->SetPanelOwnerDrawn();
            cmbLookupChange();
            AskWordHints();
            break;
        case TMainTabs::kAdvancedTab:
            stbStatusBar->SetPanelText(Text(9014));
            cmbLookupChange();
            break;
        default:
            // A word on a character concerned a dictionary no longer in sight.
            ClearUnfitNotice();
            // With the browser disabled the panel keeps its old text.
            stbStatusBar->SetPanelText(stbStatusBar->PanelText());
            EnterInternetTab();
            break;
    }
    // Every change of dictionary ends here, with its tab.
    DescribeStatusBar();
    stbStatusBar->update();
    // Another tab shows other entries, or none.
    LookupSettled();
}

// --- the views' events ----------------------------------------------------------------

void TfrmMain::OnTextSelected(const std::string& Text)
{
    // Our own copy is not a request to translate: it carries a type of its
    // own by which the watch knows it, from the compositor or the toolkit
    // alike (a count of copies to skip would swallow a real one where the
    // compositor does not take a copy from a window without focus).
    TClipboardWatch::CopyOwnText(QString::fromStdString(Text));
}

void TfrmMain::OnRightClick(const std::string& EntryText, const std::string& Word, QPoint MenuPoint)
{
    if (EntryText.empty() || Word.empty())
        return;
    FClickedWord = QString::fromStdString(Word);
    Menu.popWord->popup(MenuPoint);
}

void TfrmMain::OnLinkRightClick(const std::string& Link, QPoint MenuPoint)
{
    OnRightClick(Link, Link, MenuPoint);
}

void TfrmMain::OnLinkClick(const std::string& Link)
{
    if (!Link.empty())
        SetLookupText(QString::fromStdString(Link));
    LookUpAtOnce();
}

void TfrmMain::popWordPopup()
{
    Menu.mnuRelations->setEnabled(FLookupView->Store().HasRelations());
    Menu.mnuAddToVocabulary->setEnabled(!FClickedHeadword.isEmpty());
    UpdatePronounceItem();
}

void TfrmMain::mnuLookupClick()
{
    SetLookupText(FClickedWord);
    LookUpAtOnce();
}

void TfrmMain::mnuCopyClick()
{
    OnTextSelected(FClickedWord.toStdString());
}

}  // namespace lirabo
