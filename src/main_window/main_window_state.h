#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <memory>
#include <string>
#include <utility>

#include "data_folders/data_folders.h"
#include "dictionary/text_encoding.h"
#include "language/language.h"
#include "main_window/catalogue.h"
#include "main_window/recent_list.h"
#include "main_window/settings.h"
#include "main_window/tray_state.h"
#include "main_window/window_opacity.h"
#include "preferences/preset_store.h"
#include "speech/speech.h"
#include "word_hints/pronunciation.h"

class QSystemTrayIcon;
class QTimer;

namespace lirabo {

class TBackgroundSearch;
class TClipboardWatch;
class TWordHints;
namespace network {
class TUpdateCheck;
}  // namespace network

// What the main window knows between two events: where it runs, the
// settings, the interface language, the dictionaries, what was last
// clicked, looked up and searched, and the workers it started. Kept apart
// from the window's behaviour as its components are (TMainWindowUi): the
// window inherits both, and only the window changes them.
struct TMainWindowState {
    // The data folders follow from where the program lies.
    TMainWindowState(QString ProgramFolder, QString CommandLineFile)
        : FProgramFolder(std::move(ProgramFolder)),
          FFolders(TDataFolders::ForProgram(FProgramFolder)),
          FCommandLineFile(std::move(CommandLineFile))
    {
    }

    QString FProgramFolder;
    TDataFolders FFolders;
    QString FCommandLineFile;
    TSettings FSettings;
    TLanguage FLanguage;
    TCatalogue FDictionaries;
    int FCurrentDictionary = -1;
    TRecentList FRecent;
    std::array<TPresetLayout, 3> FBuiltInPresets{};
    QStringList FPresetNames;
    QString FClickedWord;
    // The entry of the last right click, for "Add to vocabulary".
    QString FClickedHeadword;
    QString FClickedDefinition;
    // Whether the last right click picked a word of a definition (else of a headword).
    bool FClickedInDefinition = false;
    // What the word menu's Pronounce speaks, chosen as the menu opens.
    TPronunciation FPronunciation;
    QString FLastOnlineAddress;
    int FWheelRemainder = 0;
    int FInfoLinkLeft = 0;
    int FInfoLinkRight = 0;
    bool FInTabChange = false;  // a program change of tab that runs its handling itself
    bool FDestroyed = false;
    bool FFormCreated = false;
    // The browser asked for during start-up is made once the window runs,
    // then shows the page asked for meanwhile (empty: the home page).
    bool FBrowserQueued = false;
    QString FPendingAddress;
    bool FIgnoreClipboard = false;  // the next clipboard notice is not looked up
    QString FUnfitNotice;  // the status bar's word on a character the dictionary cannot hold, while shown
    TClipboardWatch* FClipboardWatch = nullptr;
    TTrayState FTray;
    QSystemTrayIcon* FTrayIcon = nullptr;
    TOpacity FOpacity;
    network::TUpdateCheck* FUpdateCheck = nullptr;  // made with the first check
    bool FManualUpdateCheck = false;
    TBackgroundSearch* FSearch = nullptr;
    // What the running advanced search looks for, and whether it narrows the
    // results (else it searches the dictionary).
    std::string FSearchQuery;  // in the encoding of the file searched, FSearchEncoding
    TTextEncoding FSearchEncoding = TTextEncoding::Windows1252;
    bool FSearchDefinitions = false;
    bool FSearchNarrows = false;
    TWordHints* FWordHints = nullptr;
    QTimer* FHintTimer = nullptr;  // the pause in typing after which the line is asked for
    QTimer* FSettleTimer = nullptr;  // the pause in typing after which the lookup box describes the entry
    std::unique_ptr<TSpeech> FSpeech;  // made when Pronounce is first needed: the library loads then
};

}  // namespace lirabo
