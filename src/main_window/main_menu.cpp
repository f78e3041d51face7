#include "main_window/main_menu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "language/language_apply.h"

namespace lirabo {

namespace {

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

void TMainMenu::Build(QMainWindow* Window)
{
    QMenuBar* bar = Window->menuBar();
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
    popLinks = new QMenu(Window);
    popLinks->setObjectName(QStringLiteral("popLinks"));
    mnuKestruneOnline = popLinks->addAction(QStringLiteral("Kestrune Online"));
    mnuKestruneOnline->setObjectName(QStringLiteral("mnuKestruneOnline"));
    mnuKestruneForum = popLinks->addAction(QStringLiteral("Kestrune Forum"));
    mnuKestruneForum->setObjectName(QStringLiteral("mnuKestruneForum"));
    mnuFeedbackSupport = AddItem(popLinks, "mnuFeedbackSupport", 1009);
    popLinks->addSeparator();
    mnuCustom = AddItem(popLinks, "mnuCustom", 1011);

    // The word menu drops down from a right click in a view.
    popWord = new QMenu(Window);
    popWord->setObjectName(QStringLiteral("popWord"));
    mnuRelations = AddItem(popWord, "mnuRelations", 1019);
    mnuLookup = AddItem(popWord, "mnuLookup", 1018);
    mnuPronounce = AddItem(popWord, "mnuPronounce", 9032);
    // F9 works anywhere in the window (the window's key table); here it is
    // shown, and acts only while the menu is open.
    mnuPronounce->setShortcut(QKeySequence(Qt::Key_F9));
    mnuPronounce->setShortcutContext(Qt::WidgetShortcut);
    // A disabled Pronounce says why in its tool tip.
    popWord->setToolTipsVisible(true);
    popWord->addSeparator();
    mnuCopy = AddItem(popWord, "mnuCopy", 1024);
    mnuAddToVocabulary = AddItem(popWord, "mnuAddToVocabulary", 1034);
}

}  // namespace lirabo
