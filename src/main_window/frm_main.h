#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <string>
#include <vector>

#include "dictionary/word_item.h"
#include "main_window/key_table.h"
#include "main_window/main_window_hooks.h"
#include "main_window/main_window_state.h"
#include "main_window/main_window_ui.h"
#include "preferences/dictionary_languages.h"

class QSystemTrayIcon;

namespace lirabo {

class TDictionaryView;
class TMiniBrowser;
struct TPageFacts;
class TfrmSettings;
namespace network {
enum class TUpdateFailure;
enum class TDownloadKind;
}  // namespace network

// The main window: the lookup box and the "Look in" list on top, the
// Dictionary, Advanced and Internet tabs with a dictionary view on each of
// the first two, the relations panel on the left, the tips panel and the
// status bar below, and the menus; everything else is opened from here.
// Its components (TMainWindowUi, panels that build and arrange themselves)
// and its state (TMainWindowState) are structs it inherits; its handlers
// are split by concern, one frm_main_<concern>.cpp each, and frm_main.cpp
// holds start-up, settings and shutdown.
class TfrmMain : public QMainWindow, private TMainWindowUi, private TMainWindowState {
    Q_OBJECT

public:
    // A window layout of the built-in presets.
    using TPresetLayout = lirabo::TPresetLayout;

    // ProgramFolder is where the program lies; empty means the executable's
    // folder. The data folders (dictionaries, languages, word lists, help)
    // follow from it and the environment, see TDataFolders. CommandLineFile,
    // when not empty, is a dictionary file to open at start-up. Settings are
    // read from TSettingsKey.
    explicit TfrmMain(QString ProgramFolder = {}, QString CommandLineFile = {}, QWidget* Parent = nullptr);
    ~TfrmMain() override;

    // Writes every setting back; runs once, from whichever of closing the
    // window, File > Exit, the end of the session or a termination signal
    // comes first.
    void FormDestroy();

    // The open-dictionary message: opens the .ldi file at Path, adding it as
    // the custom catalogue entry when the catalogue does not hold it, and
    // brings the window to the front (see BringToFront).
    void WMMakrelLookup(const QString& Path, const QString& ActivationToken = {});

    // Restores the window from the notification area or the taskbar and
    // brings it to the front: what another start of the program asks for.
    // ActivationToken, the desktop's permission given to that start, is what
    // lets the window come forward on Wayland; elsewhere it is not needed.
    void BringToFront(const QString& ActivationToken = {});

    // A change of the clipboard, as the platform reports it.
    void WMDrawClipboard();
    // The notification-area icon's mouse codes (TTrayState).
    void WMTrayIcon(int Code);

    // What the window reaches outside itself; tests replace the pieces
    // right after construction.
    TMainWindowHooks Hooks;

    bool UpdateCheckRunning() const;
    TMiniBrowser* Browser() const;
    // The advanced lookup's search, running or done.
    TBackgroundSearch* AdvancedSearch() const { return FSearch; }
    TDictionaryView* LookupView() const { return FLookupView; }
    TDictionaryView* AdvancedView() const { return FAdvancedView; }
    const TCatalogue& Catalogue() const { return FDictionaries; }
    int CurrentDictionary() const { return FCurrentDictionary; }
    const TSettings& Settings() const { return FSettings; }
    const TLanguage& Language() const { return FLanguage; }
    const TRecentList& Recent() const { return FRecent; }
    const std::array<TPresetLayout, 3>& BuiltInPresets() const { return FBuiltInPresets; }
    // The names of the Presets menu, in menu order.
    const QStringList& PresetNames() const { return FPresetNames; }
    // The address the last online Look up produced (for the browser to open).
    const QString& LastOnlineAddress() const { return FLastOnlineAddress; }
    QString ProgramFolder() const { return FProgramFolder; }
    const TDataFolders& Folders() const { return FFolders; }
    // -1 outside the clipboard-viewer chain, 0 in it (Qt gives no successor).
    int NextClipboardViewer() const;
    bool IgnoreClipboard() const { return FIgnoreClipboard; }
    const TTrayState& Tray() const { return FTray; }
    QSystemTrayIcon* TrayIcon() const { return FTrayIcon; }
    TOpacity Opacity() const { return FOpacity; }
    // The languages of the dictionary open in the lookup view: each as its
    // file states it, else as chosen for the file in the Information box,
    // else unknown (so both are unknown with no local dictionary open).
    TDictionaryLanguages CurrentLanguages() const;
    // The notice the status bar's dictionary line shows before it is cut to
    // fit: the open dictionary's own, or the program's when it has none;
    // empty with no local dictionary open.
    QString DictionaryNotice() const;
    // Gives the status bar the words of its painted dictionary line.
    void DescribeStatusBar();
    // The builder window beside the program, as the Tools menu starts it.
    static QString BuilderProgramName();

protected:
    void closeEvent(QCloseEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    // frm_main.cpp
    void CreateComponents();
    void ConnectPanels();
    void FormCreate();
    void ReadSettings();
    void ApplySettings();
    void ApplyDisplaySettings(TDictionaryView* View);
    QString DictionaryFolder() const;
    // The language file called FileName, from the first language folder
    // that has it.
    QString LanguagePath(const QString& FileName) const;
    QString Text(int Key) const;
    // The same, from the built-in English file when the language file lacks
    // the key (files made before the key existed).
    QString TextOrEnglish(int Key) const;

    // frm_main_menus.cpp
    void ConnectMenus();
    void mnuDictionariesClick();
    void mnuExitClick();
    void mnuContentsClick();
    void mnuToolsClick();
    void mnuLiraboMakrelClick();

    // frm_main_browser.cpp
    void EnterInternetTab();
    void MakeBrowser();
    void DestroyBrowser();
    void EnableBrowserCommands();
    void wbrInternetBeforeNavigate(const QString& Address, bool MainFrame, bool& Cancel);
    // Whether a download of Address may go ahead: asks first when a file of
    // its name is already in a data folder of Folder's kind, with No as the
    // default.
    bool ReplaceInstalledFile(const QString& Address, network::TDownloadKind Kind, TDataKind Folder);
    void wbrInternetDownloadBegin();
    void wbrInternetDocumentComplete();
    void OpenDownload(const QString& Address, network::TDownloadKind Kind);
    void NavigateBrowser(const QString& Address);
    void tlbCustomClick();
    void mnuKestruneOnlineClick();
    void mnuKestruneForumClick();
    void mnuCustomClick();
    void mnuFeedbackAndSupportClick();
    void mnuGetMoreClick();
    void mnuAddLanguagesAndDictionariesClick();
    void LaunchURL(const QString& Address, bool InBrowser);
    // An address from a dictionary or a language file: handed to the
    // desktop only when it is a web or mail address, else refused with a
    // message that names it.
    void OpenDataAddress(const QString& Address);
    void RefuseDataAddress(const QString& Address);
    // A built-in page's address as the address of its local copy; any other
    // address as it is.
    QString PageAddress(const QString& Address);
    TPageFacts PageFacts() const;

    // frm_main_catalogue.cpp
    void RefreshDictionaries();
    void FillLookIn(int Selected);
    void cmbLookInChange();
    void mnuNextDictionaryClick();
    void mnuPreviousDictionaryClick();
    bool CurrentEntryValid() const { return FDictionaries.Valid(FCurrentDictionary); }
    // Whether the current entry is a local or custom file that the lookup
    // view has open (its last open did not fail).
    bool LocalDictionaryOpen() const;
    // The error that the dictionary at Path cannot be loaded, naming it.
    void ReportUnloadable(const QString& Path);

    // frm_main_lookup.cpp
    // The view of the Dictionary or the Advanced tab, whichever is shown;
    // null on the Internet tab.
    TDictionaryView* CurrentTabView() const;
    // False when the text was not looked up because the dictionary of the
    // current tab cannot hold it (the status bar says so).
    bool cmbLookupChange();
    // The change handling at once, not when typing pauses: the line above
    // the entries and the lookup box's description follow it straight away.
    void LookUpAtOnce();
    // Text in the form View's dictionary holds it. When a character has no
    // place there, says so in the status bar and gives false: dropping or
    // replacing it would look up another word. With nothing open there is
    // nothing to refuse.
    bool StoredLookupText(TDictionaryView& View, const QString& Text, std::string& Stored);
    void spdLookupClick();
    void spdLookupExClick();
    void RecordWord();
    void SetLookupText(const QString& Text);
    void SyncRecentList();
    // Target is the widget the key was sent to.
    bool HandleKey(QKeyEvent* Event, QWidget* Target);
    bool HandleWheel(QWheelEvent* Event);
    void SelectTab(int Index);
    void pagTabsChange();
    void OnTextSelected(const std::string& Text);
    // MenuPoint: where the word menu opens, in global coordinates.
    void OnRightClick(const std::string& EntryText, const std::string& Word, QPoint MenuPoint);
    void OnLinkClick(const std::string& Link);
    void OnLinkRightClick(const std::string& Link, QPoint MenuPoint);
    void popWordPopup();
    void mnuLookupClick();
    void mnuCopyClick();

    // frm_main_keyboard.cpp
    // How long typing must pause before the lookup box describes the entry
    // it found: a screen reader then speaks once, not at every keystroke.
    static constexpr int kLookupSettleMs = 300;
    bool InLookupBox(const QWidget* Widget) const;
    // The view of either tab that holds Widget, or null.
    TDictionaryView* ViewHolding(const QWidget* Widget) const;
    bool LinkHasKeyboard(const QWidget* Widget) const;
    void FocusLookupBox();
    // F6 from From: into the entries (or the Internet tab's page), or from
    // them back to the lookup box.
    void SwitchPane(QWidget* From);
    // False when the key keeps its meaning in the box: no scrolling asked
    // for, or no entries on the current tab.
    bool ScrollFromLookupBox(TLookupScroll Scroll);
    void CreateLookupSettle();
    // Typing: the lookup settles once it pauses.
    void ScheduleLookupSettled();
    // The lookup box's description becomes the first line of the entry the
    // current tab shows (emptied when none is).
    void LookupSettled();

    // frm_main_search.cpp
    void CreateAdvancedSearch();
    void StartAdvancedSearch(const QString& Query);
    void StopAdvancedSearch();
    void AdvancedSearchProgress(int Percent);
    void AdvancedSearchFinished();
    void ShowAdvancedResults(std::vector<TWordItem>& Items, int Count);

    // frm_main_relations.cpp
    void mnuRelationsClick(bool FromWordMenu);
    void mnuShowRelationsClick(bool FromMenu);
    void spdCloseRelationsClick();
    void lstRelationsClick();

    // frm_main_status.cpp
    void stbStatusBarDrawPanel(QPainter& Painter, const QRect& Rect);
    void stbStatusBarMouseMove(int X);
    void stbStatusBarMouseDown(int X);
    bool InfoLinkHit(int X) const;
    void mnuShowTipsClick(bool FromMenu);
    void spdNextTipClick();
    void spdPreviousTipClick();
    void spdCloseTipClick();
    void ShowTip();
    // The status bar's word that the dictionary cannot hold Character; it
    // stays until a lookup goes ahead.
    void ShowUnfitNotice(char32_t Character);
    void ClearUnfitNotice();

    // frm_main_clipboard.cpp
    void spdClipboardTranslationClick(bool FromButton);
    void TranslateCopiedText(const QString& Copied, bool Activate);
    void ApplySelectionTranslation();
    void mnuSelectionTranslationClick();
    QString ClipboardHint() const;
    // The compositor's answer on watching the clipboard came, or it went.
    void ClipboardCompositorChange();
    static constexpr int kCompositorNoticeMs = 15000;

    // frm_main_vocabulary.cpp
    void mnuVocabularyTestClick();
    void RememberClickedEntry(TDictionaryView* View);
    void mnuAddToVocabularyClick();
    QString VocabularyFolder() const;

    // frm_main_preferences.cpp
    void mnuSettingsClick();
    void TakeOverGeneral(const TfrmSettings& Dialog);
    void mnuInformationClick();
    void mnuAboutClick();

    // frm_main_presets.cpp
    void LoadPresets();
    void mnuAddPresetClick();
    void mnuPresetsClick(int Index);
    void mnuDeletePresetsClick();
    TPresetLayout CurrentLayout() const;

    // frm_main_window.cpp
    // Size at Place, brought onto the screen there (see FitOnScreen).
    void PlaceWindow(QPoint Place, QSize Size);
    void OnMinimize();
    void RestoreWindow();
    bool TrayAvailable() const;
    void spdAlwaysOnTopClick(bool FromButton);
    void mnuMoreTransparentClick();
    void mnuLessTransparentClick();

    // frm_main_word_hints.cpp
    // The pause in typing after which the line above the entries is asked for.
    static constexpr int kWordHintPauseMs = 350;
    void CreateWordHints();
    void ApplyWordHintTexts();
    // Hands the worker the dictionary the lookup view shows (or nothing)
    // and asks about the lookup box's word in it.
    void OpenWordHintsDictionary();
    // An edit of the lookup box: the line's answer is stale at once, a new
    // one is asked for once typing pauses.
    void ScheduleWordHints();
    void AskWordHints();
    void WordHintClick(const QString& Word);
    TSpeech::TAvailability SpeechAvailability(const std::string& Language);
    // Made on first need: the speech library loads then.
    TSpeech& SpeechEngine();
    TSpeechTexts SpeechTexts() const;
    void Speak(const TPronunciation& Pronunciation);
    void UpdatePronounceItem();
    void mnuPronounceClick();
    // F9: says why, in the status bar, when it cannot speak.
    void PronounceKey();
    // The headword of the entry the view of the current tab shows first;
    // empty on the Internet tab or with nothing laid out.
    QString CurrentHeadword();

    // frm_main_update.cpp
    void mnuCheckForUpdatesClick(QObject* Sender);
    void StartUpdateCheckWhenDue();
    void UpdateCheckFinished(const QByteArray& Reply);
    void UpdateCheckFailed(network::TUpdateFailure Failure, int SocketError);
    void EndUpdateCheck();
    void ErrorMsg(const QString& Message, int SocketError);
};

}  // namespace lirabo
