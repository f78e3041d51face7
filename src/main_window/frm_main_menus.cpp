// The main menu, the links menu and the word menu, and the commands that
// belong to no other concern: exit, help contents and the web pages.

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>

#include "dictionary_view/dictionary_view.h"
#include "main_window/frm_main.h"
#include "main_window/language_apply.h"

namespace lirabo {

namespace {

constexpr const char* kHelpFile = "index.html";

QAction* AddItem(QMenu* Menu, const char* Name, int Tag)
{
    QAction* action = Menu->addAction(QString());
    action->setObjectName(QLatin1String(Name));
    SetTag(action, Tag);
    return action;
}

QMenu* AddMenu(QMenuBar* Bar, const char* Name, int Tag)
{
    QMenu* menu = Bar->addMenu(QString());
    menu->setObjectName(QLatin1String(Name));
    menu->menuAction()->setObjectName(QLatin1String(Name));
    SetTag(menu->menuAction(), Tag);
    return menu;
}

}  // namespace

void TfrmMain::CreateMenus()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("mnuMainMenu"));

    mnuFile = AddMenu(bar, "mnuFile", 1001);
    mnuSettings = AddItem(mnuFile, "mnuSettings", 1005);
    mnuFile->addSeparator();
    mnuExit = AddItem(mnuFile, "mnuExit", 1006);

    mnuTools = AddMenu(bar, "mnuTools", 1002);
    mnuVocabularyTest = AddItem(mnuTools, "mnuVocabularyTest", 1032);
    mnuTools->addSeparator();
    mnuCheckForUpdates = AddItem(mnuTools, "mnuCheckForUpdates", 1017);
    mnuAddLanguagesAndDictionaries = AddItem(mnuTools, "mnuAddLanguagesAndDictionaries", 1031);
    mnuTools->addSeparator();
    mnuSelectionTranslation = AddItem(mnuTools, "mnuSelectionTranslation", 1033);
    mnuSelectionTranslation->setCheckable(true);
    mnuLiraboMakrel = mnuTools->addAction(QStringLiteral("Lirabo Makrel"));
    mnuLiraboMakrel->setObjectName(QStringLiteral("mnuLiraboMakrel"));
    mnuLiraboMakrel->setVisible(false);

    mnuDictionaries = AddMenu(bar, "mnuDictionaries", 1025);
    mnuNextDictionary = AddItem(mnuDictionaries, "mnuNextDictionary", 1026);
    mnuPreviousDictionary = AddItem(mnuDictionaries, "mnuPreviousDictionary", 1027);
    mnuDictionaries->addSeparator();
    mnuFindRelations = AddItem(mnuDictionaries, "mnuFindRelations", 1028);
    mnuFindRelations->setShortcut(QKeySequence(Qt::Key_F5));
    mnuFindRelations->setEnabled(false);
    mnuDictionaries->addSeparator();
    mnuInformation = AddItem(mnuDictionaries, "mnuInformation", 1029);
    mnuInformation->setShortcut(QKeySequence(Qt::Key_F2));
    mnuGetMore = AddItem(mnuDictionaries, "mnuGetMore", 1030);

    mnuWindow = AddMenu(bar, "mnuWindow", 1003);
    mnuShowTips = AddItem(mnuWindow, "mnuShowTips", 1008);
    mnuShowTips->setCheckable(true);
    mnuShowTips->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    mnuShowRelations = AddItem(mnuWindow, "mnuShowRelations", 1023);
    mnuShowRelations->setCheckable(true);
    mnuShowRelations->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    mnuWindow->addSeparator();
    mnuMoreTransparent = AddItem(mnuWindow, "mnuMoreTransparent", 1013);
    mnuMoreTransparent->setShortcut(QKeySequence(Qt::Key_F11));
    mnuLessTransparent = AddItem(mnuWindow, "mnuLessTransparent", 1014);
    mnuLessTransparent->setShortcut(QKeySequence(Qt::Key_F12));
    mnuWindow->addSeparator();
    mnuAddPreset = AddItem(mnuWindow, "mnuAddPreset", 1020);
    mnuDeletePresets = AddItem(mnuWindow, "mnuDeletePresets", 1015);
    mnuPresets = mnuWindow->addMenu(QString());
    mnuPresets->setObjectName(QStringLiteral("mnuPresets"));
    SetTag(mnuPresets->menuAction(), 1016);

    mnuHelp = AddMenu(bar, "mnuHelp", 1004);
    mnuContents = AddItem(mnuHelp, "mnuContents", 1012);
    mnuContents->setShortcut(QKeySequence(Qt::Key_F1));
    mnuFeedbackAndSupport = AddItem(mnuHelp, "mnuFeedbackAndSupport", 1021);
    mnuHelp->addSeparator();
    mnuAbout = AddItem(mnuHelp, "mnuAbout", 1007);

    // The links menu drops down from the minibrowser's Custom button.
    popLinks = new QMenu(this);
    popLinks->setObjectName(QStringLiteral("popLinks"));
    mnuKestruneOnline = popLinks->addAction(QStringLiteral("Kestrune Online"));
    mnuKestruneOnline->setObjectName(QStringLiteral("mnuKestruneOnline"));
    mnuKestruneForum = popLinks->addAction(QStringLiteral("Kestrune Forum"));
    mnuKestruneForum->setObjectName(QStringLiteral("mnuKestruneForum"));
    mnuFeedbackSupport = AddItem(popLinks, "mnuFeedbackSupport", 1009);
    popLinks->addSeparator();
    mnuCustom = AddItem(popLinks, "mnuCustom", 1011);
    tlbCustomButton->setMenu(popLinks);

    connect(mnuSettings, &QAction::triggered, this, [this] { mnuSettingsClick(); });
    connect(mnuExit, &QAction::triggered, this, [this] { mnuExitClick(); });
    connect(mnuInformation, &QAction::triggered, this, [this] { mnuInformationClick(); });
    connect(mnuAddPreset, &QAction::triggered, this, [this] { mnuAddPresetClick(); });
    connect(mnuDeletePresets, &QAction::triggered, this, [this] { mnuDeletePresetsClick(); });
    connect(mnuAbout, &QAction::triggered, this, [this] { mnuAboutClick(); });
    connect(mnuCheckForUpdates, &QAction::triggered, this, [this] { mnuCheckForUpdatesClick(mnuCheckForUpdates); });
    connect(mnuVocabularyTest, &QAction::triggered, this, [this] { mnuVocabularyTestClick(); });
    connect(mnuAddLanguagesAndDictionaries, &QAction::triggered, this, [this] { mnuAddLanguagesAndDictionariesClick(); });
    connect(mnuTools, &QMenu::aboutToShow, this, [this] { mnuToolsClick(); });
    connect(mnuLiraboMakrel, &QAction::triggered, this, [this] { mnuLiraboMakrelClick(); });
    connect(mnuSelectionTranslation, &QAction::triggered, this, [this] { mnuSelectionTranslationClick(); });
    connect(mnuMoreTransparent, &QAction::triggered, this, [this] { mnuMoreTransparentClick(); });
    connect(mnuLessTransparent, &QAction::triggered, this, [this] { mnuLessTransparentClick(); });
    connect(mnuDictionaries, &QMenu::aboutToShow, this, [this] { mnuDictionariesClick(); });
    connect(mnuNextDictionary, &QAction::triggered, this, [this] { mnuNextDictionaryClick(); });
    connect(mnuPreviousDictionary, &QAction::triggered, this, [this] { mnuPreviousDictionaryClick(); });
    connect(mnuFindRelations, &QAction::triggered, this, [this] { mnuRelationsClick(false); });
    connect(mnuGetMore, &QAction::triggered, this, [this] { mnuGetMoreClick(); });
    connect(mnuShowTips, &QAction::triggered, this, [this] { mnuShowTipsClick(true); });
    connect(mnuShowRelations, &QAction::triggered, this, [this] { mnuShowRelationsClick(true); });
    connect(mnuContents, &QAction::triggered, this, [this] { mnuContentsClick(); });
    connect(mnuFeedbackAndSupport, &QAction::triggered, this, [this] { mnuFeedbackAndSupportClick(); });
    connect(mnuFeedbackSupport, &QAction::triggered, this, [this] { mnuFeedbackAndSupportClick(); });
    connect(mnuKestruneOnline, &QAction::triggered, this, [this] { mnuKestruneOnlineClick(); });
    connect(mnuKestruneForum, &QAction::triggered, this, [this] { mnuKestruneForumClick(); });
    connect(mnuCustom, &QAction::triggered, this, [this] { mnuCustomClick(); });
}

void TfrmMain::CreateWordMenu()
{
    popWord = new QMenu(this);
    popWord->setObjectName(QStringLiteral("popWord"));
    mnuRelations = AddItem(popWord, "mnuRelations", 1019);
    mnuLookup = AddItem(popWord, "mnuLookup", 1018);
    popWord->addSeparator();
    mnuCopy = AddItem(popWord, "mnuCopy", 1024);
    mnuAddToVocabulary = AddItem(popWord, "mnuAddToVocabulary", 1034);
    connect(popWord, &QMenu::aboutToShow, this, [this] { popWordPopup(); });
    connect(mnuRelations, &QAction::triggered, this, [this] { mnuRelationsClick(true); });
    connect(mnuLookup, &QAction::triggered, this, [this] { mnuLookupClick(); });
    connect(mnuCopy, &QAction::triggered, this, [this] { mnuCopyClick(); });
    connect(mnuAddToVocabulary, &QAction::triggered, this, [this] { mnuAddToVocabularyClick(); });
}

void TfrmMain::mnuDictionariesClick()
{
    mnuFindRelations->setEnabled(false);
    mnuInformation->setEnabled(false);
    if (!CurrentEntryValid() || FDictionaries.At(FCurrentDictionary).Online)
        return;
    mnuFindRelations->setEnabled(FLookupView->Store().HasRelations());
    mnuInformation->setEnabled(true);
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
    mnuLiraboMakrel->setVisible(builder.isFile() && builder.isExecutable());
}

void TfrmMain::mnuLiraboMakrelClick()
{
    // Nothing here waits for the tool or depends on it; a failed start is
    // the desktop's to report.
    StartProgram(QDir(FProgramFolder).filePath(BuilderProgramName()));
}

void TfrmMain::mnuExitClick()
{
    close();
}

void TfrmMain::mnuContentsClick()
{
    // A missing file is the desktop's to report.
    const QString found = FFolders.FindFile(TDataKind::Help, QLatin1String(kHelpFile));
    OpenExternal(found.isEmpty() ? QDir(FFolders.ReadFolders(TDataKind::Help).front()).filePath(QLatin1String(kHelpFile))
                                 : found);
}

}  // namespace lirabo
