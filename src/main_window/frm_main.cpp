// Composition of the main window, start-up, settings and shutdown.

#include "main_window/frm_main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QToolButton>
#include <QUrl>

#include "browser/mini_browser.h"
#include "clipboard/clipboard_watch.h"
#include "dictionary_view/dictionary_styles.h"
#include "dictionary_view/dictionary_view.h"
#include "language/language_apply.h"
#include "main_window/internet_page.h"
#include "main_window/main_tabs.h"
#include "main_window/relations_panel.h"
#include "main_window/settings_key.h"
#include "main_window/status_bar.h"
#include "main_window/tips_panel.h"
#include "main_window/top_bar.h"
#include "search/background_search.h"
#include "widgets/icons.h"
#include "word_hints/word_hints.h"

namespace lirabo {

namespace {

// Where the window's size and place are measured against before it is on
// a screen.
QSize ScreenSize(const QWidget* Window)
{
    return Window->screen() ? Window->screen()->geometry().size() : QSize(1024, 768);
}

}  // namespace

TfrmMain::TfrmMain(QString ProgramFolder, QString CommandLineFile, QWidget* Parent)
    : QMainWindow(Parent),
      TMainWindowState(ProgramFolder.isEmpty() ? QCoreApplication::applicationDirPath() : std::move(ProgramFolder),
                       std::move(CommandLineFile))
{
    setObjectName(QStringLiteral("frmMain"));
    Hooks.OpenExternal = [](const QString& Address) {
        const QUrl url = QUrl::fromUserInput(Address);
        QDesktopServices::openUrl(url);
    };
    Hooks.StartProgram = [this](const QString& Program) {
        return QProcess::startDetached(Program, {}, FProgramFolder);
    };
    Hooks.RunModal = [](QDialog& Dialog) { Dialog.exec(); };
    Hooks.CreateBrowser = [](QWidget* Parent) { return TMiniBrowser::Create(Parent); };
    CreateComponents();
    FormCreate();
    FFormCreated = true;
}

TfrmMain::~TfrmMain()
{
    // A narrowing search reads the Advanced tab's list, which goes with the views.
    if (FSearch)
        FSearch->Stop();
    FormDestroy();
    // Hiding a window moves the focus, and an edited lookup box then reports
    // its text: that must reach a whole window, not one half destroyed.
    hide();
    for (QObject* child : findChildren<QObject*>())
        disconnect(child, nullptr, this, nullptr);
}

QString TfrmMain::Text(int Key) const
{
    return FLanguage.ReadLanguageText(QStringLiteral("Main"), Key);
}

QString TfrmMain::TextOrEnglish(int Key) const
{
    return FLanguage.TextOrEnglish(QStringLiteral("Main"), Key);
}

QString TfrmMain::DictionaryFolder() const
{
    return FFolders.WriteFolder(TDataKind::Dictionaries);
}

QString TfrmMain::LanguagePath(const QString& FileName) const
{
    // A file no folder holds yet still gets a path, so that failing to
    // load it takes the usual way back to English.
    const QString found = FFolders.FindFile(TDataKind::Lang, FileName);
    return found.isEmpty() ? QDir(FFolders.WriteFolder(TDataKind::Lang)).filePath(FileName) : found;
}

// --- composition ---------------------------------------------------------------

void TfrmMain::CreateComponents()
{
    SetUpUi(this);
    FClipboardWatch = new TClipboardWatch(this);
    ConnectMenus();
    CreateWordHints();
    CreateLookupSettle();
    ConnectPanels();

    // The window previews every key and wheel turn before its controls do.
    qApp->installEventFilter(this);
}

void TfrmMain::ConnectPanels()
{
    connect(pnlTop->cmbLookup->lineEdit(), &QLineEdit::textEdited, this, [this] {
        cmbLookupChange();
        ScheduleWordHints();
        ScheduleLookupSettled();
    });
    connect(pnlTop->cmbLookup, &QComboBox::activated, this, [this] {
        LookUpAtOnce();
    });
    connect(pnlTop->spdLookup, &QToolButton::clicked, this, [this] { spdLookupClick(); });
    connect(pnlTop->spdLookupEx, &QToolButton::clicked, this, [this] { spdLookupExClick(); });
    connect(pnlTop->cmbLookIn, &QComboBox::activated, this, [this] { cmbLookInChange(); });
    connect(pnlTop->spdClipboardTranslation, &QToolButton::clicked, this,
            [this] { spdClipboardTranslationClick(true); });
    connect(pnlTop->spdAlwaysOnTop, &QToolButton::clicked, this, [this] { spdAlwaysOnTopClick(true); });
    pnlTop->OnIndentDrag = [this](int TopIndent) { FSettings.TopIndent = TopIndent; };
    FClipboardWatch->OnClipboardChange = [this] { WMDrawClipboard(); };
    // The person is still working in the program where they mark text:
    // the window comes to the top without taking the keyboard from it.
    FClipboardWatch->OnSelectionRest = [this](const QString& Text) { TranslateCopiedText(Text, false); };
    FClipboardWatch->OnCompositorChange = [this] { ClipboardCompositorChange(); };

    connect(pnlRelations->spdCloseRelations, &QToolButton::clicked, this, [this] { spdCloseRelationsClick(); });
    connect(pnlRelations->lstRelations, &QListWidget::itemClicked, this, [this] { lstRelationsClick(); });

    connect(pagTabs->tabMinibrowser->tlbCustomButton, &QToolButton::clicked, this, [this] { tlbCustomClick(); });
    connect(pagTabs, &QTabWidget::currentChanged, this, [this] {
        if (!FInTabChange)
            pagTabsChange();
    });

    connect(pnlTips->spdNextTip, &QToolButton::clicked, this, [this] { spdNextTipClick(); });
    connect(pnlTips->spdPreviousTip, &QToolButton::clicked, this, [this] { spdPreviousTipClick(); });
    connect(pnlTips->spdCloseTip, &QToolButton::clicked, this, [this] { spdCloseTipClick(); });

    stbStatusBar->OnDrawPanel = [this](QPainter& Painter, const QRect& Rect) {
        stbStatusBarDrawPanel(Painter, Rect);
    };
    stbStatusBar->OnMouseMove = [this](int X) { stbStatusBarMouseMove(X); };
    stbStatusBar->OnMouseDown = [this](int X) { stbStatusBarMouseDown(X); };
}

// --- start-up ------------------------------------------------------------------

void TfrmMain::ReadSettings()
{
    const TSettingsKey key;
    FSettings.ReadGeometry(key, ScreenSize(this));
    if (FSettings.WindowState == 1) {
        PlaceWindow({FSettings.WindowLeft, FSettings.WindowTop}, {FSettings.WindowWidth, FSettings.WindowHeight});
    } else {
        setWindowState(Qt::WindowMaximized);
    }
    FSettings.UpdatedDate = TSettings::ReadUpdatedDate(key);
    FRecent = TRecentList(TSettings::ReadRecent(key));
    FSettings.ReadTable(key);
    FSettings.DictionaryLanguages = ReadLanguageChoices(key);
    FCurrentDictionary = FSettings.CurrentDictionary;
}

void TfrmMain::FormCreate()
{
    ReadSettings();
    SyncRecentList();
    pnlTop->cmbLookup->setEditText(QString());

    Menu.mnuNextDictionary->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down));
    Menu.mnuPreviousDictionary->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up));

    for (TDictionaryView* view : {FLookupView, FAdvancedView}) {
        view->OnTextSelected = [this](const std::string& Text) { OnTextSelected(Text); };
        view->OnRightClick = [this, clicked = view](const std::string& Entry, const std::string& Word) {
            RememberClickedEntry(clicked);
            FClickedInDefinition = clicked->RightClickInDefinition();
            OnRightClick(Entry, Word, clicked->MenuPoint());
        };
        view->OnLinkRightClick = [this, clicked = view](const std::string& Link) {
            // A link names a word, not the entry it stands in.
            FClickedHeadword.clear();
            OnLinkRightClick(Link, clicked->MenuPoint());
        };
        view->OnLinkClick = [this](const std::string& Link) { OnLinkClick(Link); };
    }
    CreateAdvancedSearch();

    const QSize screen = ScreenSize(this);
    FBuiltInPresets = TPresetStore::BuiltInLayouts(screen.width(), screen.height());
    // The pair that looks up the clipboard's text once at start: joining the
    // chain in ApplySettings reports a change at once, which is skipped; the
    // posted one comes after start-up, in the dictionary it opened. Without
    // translation the posted one is skipped instead.
    FIgnoreClipboard = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            WMDrawClipboard();
            // Whether this desktop reports copies made in the background
            // decides what the clipboard button's hint says; asked once the
            // window stands, watching or not.
            FClipboardWatch->AskCompositor();
        },
        Qt::QueuedConnection);
    ApplySettings();

    if (!FCommandLineFile.isEmpty())
        WMMakrelLookup(FCommandLineFile);

    if (FDictionaries.Valid(FCurrentDictionary) && FLookupView->Header().FileSize == 0 &&
        FLookupView->Store().Source() == TDictionaryStore::kSourceNone) {
        if (FDictionaries.At(FCurrentDictionary).Online)
            FCurrentDictionary = 0;
        pnlTop->cmbLookIn->setCurrentIndex(FCurrentDictionary);
        cmbLookInChange();
    }

    StartUpdateCheckWhenDue();
}

void TfrmMain::ApplyDisplaySettings(TDictionaryView* View)
{
    const TDisplayLook look = FSettings.Look();
    QFont font(look.FontName);
    font.setPointSize(look.FontSize);
    View->setFont(font);
    View->SetColor(look.Colors[5]);
    View->SetCurrentColor(look.Colors[6]);
    View->SetSelectedColor(look.Colors[7]);
    for (int setting = 0; setting < TDisplayLook::kFirstBackground; ++setting) {
        const int element = ElementOfSetting(setting);
        View->Styles().SetElementColor(element, look.Colors[setting]);
        View->Styles().SetElementStyle(element, look.Styles[setting]);
    }
    View->SetIndent(FSettings.Indent);
    View->update();
}

void TfrmMain::ApplySettings()
{
    if (!FLanguage.ApplyLanguageFile(LanguagePath(FSettings.LanguageFile)))
        FSettings.LanguageFile.clear();
    ApplyLanguageToControl(FLanguage, this, QStringLiteral("Main"));
    // Language files made before these commands existed lack their
    // captions; an empty menu line would be worse than English.
    for (QAction* item : {Menu.mnuSelectionTranslation, Menu.mnuAddToVocabulary}) {
        if (item->text().isEmpty())
            item->setText(TextOrEnglish(Tag(item)));
    }
    ApplyWordHintTexts();
    LoadPresets();

    ApplyDisplaySettings(FLookupView);
    ApplyDisplaySettings(FAdvancedView);
    FLookupView->SetEmptyText(Text(9009));
    FAdvancedView->SetEmptyText(Text(9010));

    RefreshDictionaries();

    mnuShowTipsClick(false);
    mnuShowRelationsClick(false);
    spdAlwaysOnTopClick(false);
    spdClipboardTranslationClick(false);
    ApplySelectionTranslation();
    pnlTop->spdClipboardTranslation->setToolTip(PlainToolTip(ClipboardHint()));
    pnlTop->SetTopIndent(FSettings.TopIndent);
    DescribeStatusBar();
}

// --- shutdown ------------------------------------------------------------------

void TfrmMain::closeEvent(QCloseEvent* Event)
{
    FormDestroy();
    Event->accept();
}

void TfrmMain::FormDestroy()
{
    if (FDestroyed)
        return;
    FDestroyed = true;
    qApp->removeEventFilter(this);
    // Stops gathering the headwords: the thread ends with the window.
    FWordHints->SetDictionary(QString(), QString());
    FClipboardWatch->WatchClipboard(false);
    FClipboardWatch->WatchSelection(false);
    if (FTray.EverAdded() && FTrayIcon)
        FTrayIcon->hide();

    TSettingsKey key;
    TSettings::WriteRecent(key, FRecent.Words());

    TSettings::WriteGeometry(key, windowState(), QRect(x(), y(), width(), height()));
    key.setValue(QStringLiteral("WindowTransparency"), FOpacity.Alpha);
    FSettings.Indent = FLookupView->Indent();
    FSettings.LookinWidth = pnlTop->pnlLookin->width();
    // The current entry is stored only when it names one; an online
    // dictionary is not reopened at start (the first entry stands in).
    if (FDictionaries.Valid(FCurrentDictionary))
        FSettings.CurrentDictionary = FDictionaries.At(FCurrentDictionary).Online ? 0 : FCurrentDictionary;
    FSettings.WriteTable(key);
    WriteLanguageChoices(key, FSettings.DictionaryLanguages);
    key.sync();
}

}  // namespace lirabo
