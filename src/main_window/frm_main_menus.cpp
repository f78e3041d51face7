// What the menus do (TMainMenu builds them), and the commands that belong
// to no other concern: exit, help contents and the builder window.

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QToolButton>

#include "dictionary_view/dictionary_view.h"
#include "main_window/frm_main.h"
#include "main_window/internet_page.h"
#include "main_window/main_tabs.h"

namespace lirabo {

namespace {

constexpr const char* kHelpFile = "index.html";

}  // namespace

void TfrmMain::ConnectMenus()
{
    connect(Menu.mnuSettings, &QAction::triggered, this, [this] { mnuSettingsClick(); });
    connect(Menu.mnuExit, &QAction::triggered, this, [this] { mnuExitClick(); });
    connect(Menu.mnuInformation, &QAction::triggered, this, [this] { mnuInformationClick(); });
    connect(Menu.mnuAddPreset, &QAction::triggered, this, [this] { mnuAddPresetClick(); });
    connect(Menu.mnuDeletePresets, &QAction::triggered, this, [this] { mnuDeletePresetsClick(); });
    connect(Menu.mnuAbout, &QAction::triggered, this, [this] { mnuAboutClick(); });
    connect(Menu.mnuCheckForUpdates, &QAction::triggered, this, [this] { mnuCheckForUpdatesClick(Menu.mnuCheckForUpdates); });
    connect(Menu.mnuVocabularyTest, &QAction::triggered, this, [this] { mnuVocabularyTestClick(); });
    connect(Menu.mnuAddLanguagesAndDictionaries, &QAction::triggered, this, [this] { mnuAddLanguagesAndDictionariesClick(); });
    connect(Menu.mnuTools, &QMenu::aboutToShow, this, [this] { mnuToolsClick(); });
    connect(Menu.mnuLiraboMakrel, &QAction::triggered, this, [this] { mnuLiraboMakrelClick(); });
    connect(Menu.mnuSelectionTranslation, &QAction::triggered, this, [this] { mnuSelectionTranslationClick(); });
    connect(Menu.mnuMoreTransparent, &QAction::triggered, this, [this] { mnuMoreTransparentClick(); });
    connect(Menu.mnuLessTransparent, &QAction::triggered, this, [this] { mnuLessTransparentClick(); });
    connect(Menu.mnuDictionaries, &QMenu::aboutToShow, this, [this] { mnuDictionariesClick(); });
    connect(Menu.mnuNextDictionary, &QAction::triggered, this, [this] { mnuNextDictionaryClick(); });
    connect(Menu.mnuPreviousDictionary, &QAction::triggered, this, [this] { mnuPreviousDictionaryClick(); });
    connect(Menu.mnuFindRelations, &QAction::triggered, this, [this] { mnuRelationsClick(false); });
    connect(Menu.mnuGetMore, &QAction::triggered, this, [this] { mnuGetMoreClick(); });
    connect(Menu.mnuShowTips, &QAction::triggered, this, [this] { mnuShowTipsClick(true); });
    connect(Menu.mnuShowRelations, &QAction::triggered, this, [this] { mnuShowRelationsClick(true); });
    connect(Menu.mnuContents, &QAction::triggered, this, [this] { mnuContentsClick(); });
    connect(Menu.mnuFeedbackAndSupport, &QAction::triggered, this, [this] { mnuFeedbackAndSupportClick(); });
    connect(Menu.mnuFeedbackSupport, &QAction::triggered, this, [this] { mnuFeedbackAndSupportClick(); });
    connect(Menu.mnuKestruneOnline, &QAction::triggered, this, [this] { mnuKestruneOnlineClick(); });
    connect(Menu.mnuKestruneForum, &QAction::triggered, this, [this] { mnuKestruneForumClick(); });
    connect(Menu.mnuCustom, &QAction::triggered, this, [this] { mnuCustomClick(); });
    connect(Menu.popWord, &QMenu::aboutToShow, this, [this] { popWordPopup(); });
    connect(Menu.mnuRelations, &QAction::triggered, this, [this] { mnuRelationsClick(true); });
    connect(Menu.mnuLookup, &QAction::triggered, this, [this] { mnuLookupClick(); });
    connect(Menu.mnuCopy, &QAction::triggered, this, [this] { mnuCopyClick(); });
    connect(Menu.mnuPronounce, &QAction::triggered, this, [this] { mnuPronounceClick(); });
    connect(Menu.mnuAddToVocabulary, &QAction::triggered, this, [this] { mnuAddToVocabularyClick(); });
}

void TfrmMain::mnuDictionariesClick()
{
    Menu.mnuFindRelations->setEnabled(false);
    Menu.mnuInformation->setEnabled(false);
    if (!CurrentEntryValid() || FDictionaries.At(FCurrentDictionary).Online)
        return;
    Menu.mnuFindRelations->setEnabled(FLookupView->Store().HasRelations());
    Menu.mnuInformation->setEnabled(true);
}

QString TfrmMain::BuilderProgramName()
{
    return QStringLiteral("makrel-window");
}

void TfrmMain::mnuToolsClick()
{
    // Looked for each time: the tool may be installed or removed while the
    // program runs.
    const QFileInfo builder(QDir(FProgramFolder).filePath(BuilderProgramName()));
    Menu.mnuLiraboMakrel->setVisible(builder.isFile() && builder.isExecutable());
}

void TfrmMain::mnuLiraboMakrelClick()
{
    // Nothing here waits for the tool or depends on it; a failed start is
    // the desktop's to report.
    Hooks.StartProgram(QDir(FProgramFolder).filePath(BuilderProgramName()));
}

void TfrmMain::mnuExitClick()
{
    close();
}

void TfrmMain::mnuContentsClick()
{
    // A missing file is the desktop's to report.
    const QString found = FFolders.FindFile(TDataKind::Help, QLatin1String(kHelpFile));
    Hooks.OpenExternal(found.isEmpty() ? QDir(FFolders.ReadFolders(TDataKind::Help).front()).filePath(QLatin1String(kHelpFile))
                                 : found);
}

}  // namespace lirabo
