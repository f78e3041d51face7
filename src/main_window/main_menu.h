#pragma once

class QAction;
class QMainWindow;
class QMenu;

namespace lirabo {

// The main window's menus: the menu bar (File, Tools, Dictionaries, Window,
// Help), the links menu of the Internet tab's Custom button and the word
// menu of the views. It builds the items with their names, language tags,
// shortcuts and checkable states; the window connects them to its commands
// and fills the Presets submenu.
struct TMainMenu {
    // Builds every menu once, on Window's menu bar.
    void Build(QMainWindow* Window);

    QMenu* popWord = nullptr;
    QMenu* popLinks = nullptr;
    QMenu* mnuFile = nullptr;
    QMenu* mnuTools = nullptr;
    QMenu* mnuDictionaries = nullptr;
    QMenu* mnuWindow = nullptr;
    QMenu* mnuHelp = nullptr;
    QMenu* mnuPresets = nullptr;
    QAction* mnuSettings = nullptr;
    QAction* mnuExit = nullptr;
    QAction* mnuVocabularyTest = nullptr;
    QAction* mnuCheckForUpdates = nullptr;
    QAction* mnuAddLanguagesAndDictionaries = nullptr;
    QAction* mnuLiraboMakrel = nullptr;
    QAction* mnuSelectionTranslation = nullptr;
    QAction* mnuNextDictionary = nullptr;
    QAction* mnuPreviousDictionary = nullptr;
    QAction* mnuFindRelations = nullptr;
    QAction* mnuInformation = nullptr;
    QAction* mnuGetMore = nullptr;
    QAction* mnuShowTips = nullptr;
    QAction* mnuShowRelations = nullptr;
    QAction* mnuMoreTransparent = nullptr;
    QAction* mnuLessTransparent = nullptr;
    QAction* mnuAddPreset = nullptr;
    QAction* mnuDeletePresets = nullptr;
    QAction* mnuContents = nullptr;
    QAction* mnuFeedbackAndSupport = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuKestruneOnline = nullptr;
    QAction* mnuKestruneForum = nullptr;
    QAction* mnuFeedbackSupport = nullptr;
    QAction* mnuCustom = nullptr;
    QAction* mnuRelations = nullptr;
    QAction* mnuLookup = nullptr;
    QAction* mnuPronounce = nullptr;
    QAction* mnuCopy = nullptr;
    QAction* mnuAddToVocabulary = nullptr;
};

}  // namespace lirabo
