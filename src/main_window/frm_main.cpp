// Composition of the main window, start-up, settings and shutdown.

#include "main_window/frm_main.h"

#include <QDialog>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "browser/mini_browser.h"
#include "dictionary_view/dictionary_styles.h"
#include "dictionary_view/dictionary_view.h"
#include "main_window/icons.h"
#include "main_window/language_apply.h"
#include "main_window/relations_delegate.h"
#include "main_window/status_bar.h"
#include "search/background_search.h"

namespace lirabo {

namespace {

constexpr int kDesignSize = 498;  // the window's client size as designed
constexpr int kTipsPanelHeight = 58;
constexpr int kRelationsPanelWidth = 145;
constexpr int kSmallButton = 20;  // the tip and panel buttons
constexpr int kTopButton = 23;    // the top bar's flat buttons
// Programs announce marked text while the mouse still moves; the text is
// looked up once it has rested this long.
constexpr int kSelectionRestMs = 350;

QToolButton* FlatButton(QWidget* Parent, TIconKind Icon, int Size)
{
    auto* button = new QToolButton(Parent);
    button->setAutoRaise(true);
    button->setIcon(MakeIcon(Icon));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setFixedSize(Size, Size);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

TfrmMain::TfrmMain(QString ProgramFolder, QString CommandLineFile, QWidget* Parent)
    : QMainWindow(Parent),
      FProgramFolder(ProgramFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                             : std::move(ProgramFolder)),
      FFolders(TDataFolders::ForProgram(FProgramFolder)),
      FCommandLineFile(std::move(CommandLineFile))
{
    setObjectName(QStringLiteral("frmMain"));
    OpenExternal = [](const QString& Address) {
        const QUrl url = QUrl::fromUserInput(Address);
        QDesktopServices::openUrl(url);
    };
    StartProgram = [this](const QString& Program) {
        return QProcess::startDetached(Program, {}, FProgramFolder);
    };
    RunModal = [](QDialog& Dialog) { Dialog.exec(); };
    CreateBrowser = [](QWidget* Parent) { return TMiniBrowser::Create(Parent); };
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
    SetTag(this, 1);
    setWindowIcon(MakeIcon(TIconKind::Application));
    resize(kDesignSize, kDesignSize);

    auto* client = new QWidget(this);
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    setCentralWidget(client);

    CreateTopBar();
    column->addWidget(pnlTop);

    auto* middle = new QHBoxLayout;
    middle->setContentsMargins(0, 0, 0, 0);
    middle->setSpacing(0);
    CreateRelationsPanel();
    CreateTabs();
    middle->addWidget(pnlRelations);
    middle->addWidget(pagTabs, 1);
    column->addLayout(middle, 1);

    CreateTipsPanel();
    column->addWidget(pnlTips);

    stbStatusBar = new TStatusBar(this);
    stbStatusBar->setObjectName(QStringLiteral("stbStatusBar"));
    stbStatusBar->OnDrawPanel = [this](QPainter& Painter, const QRect& Rect) {
        stbStatusBarDrawPanel(Painter, Rect);
    };
    stbStatusBar->OnMouseMove = [this](int X) { stbStatusBarMouseMove(X); };
    stbStatusBar->OnMouseDown = [this](int X) { stbStatusBarMouseDown(X); };
    setStatusBar(stbStatusBar);

    CreateMenus();
    CreateWordMenu();

    // The window previews every key and wheel turn before its controls do.
    qApp->installEventFilter(this);
}

void TfrmMain::CreateTopBar()
{
    pnlTop = new QWidget(this);
    pnlTop->setObjectName(QStringLiteral("pnlTop"));
    pnlTop->setFixedHeight(50);

    pnlLookup = new QWidget(pnlTop);
    pnlLookup->setObjectName(QStringLiteral("pnlLookup"));
    lblLookup = new QLabel(pnlLookup);
    lblLookup->setObjectName(QStringLiteral("lblLookup"));
    SetTag(lblLookup, 2001);
    cmbLookup = new QComboBox(pnlLookup);
    cmbLookup->setObjectName(QStringLiteral("cmbLookup"));
    cmbLookup->setEditable(true);
    cmbLookup->setCompleter(nullptr);
    cmbLookup->setInsertPolicy(QComboBox::NoInsert);
    cmbLookup->setDuplicatesEnabled(true);
    cmbLookup->setMaxVisibleItems(11);
    spdLookup = FlatButton(pnlLookup, TIconKind::Lookup, kTopButton);
    spdLookup->setObjectName(QStringLiteral("spdLookup"));
    SetTag(spdLookup, 9017);
    spdLookupEx = FlatButton(pnlLookup, TIconKind::Wildcard, kTopButton);
    spdLookupEx->setObjectName(QStringLiteral("spdLookupEx"));
    SetTag(spdLookupEx, 9018);

    pnlIndent = new QWidget(pnlTop);
    pnlIndent->setObjectName(QStringLiteral("pnlIndent"));
    pnlIndent->setCursor(Qt::SplitHCursor);

    pnlLookin = new QWidget(pnlTop);
    pnlLookin->setObjectName(QStringLiteral("pnlLookin"));
    lblLookIn = new QLabel(pnlLookin);
    lblLookIn->setObjectName(QStringLiteral("lblLookIn"));
    SetTag(lblLookIn, 2002);
    cmbLookIn = new QComboBox(pnlLookin);
    cmbLookIn->setObjectName(QStringLiteral("cmbLookIn"));
    cmbLookIn->setMaxVisibleItems(20);
    spdClipboardTranslation = FlatButton(pnlLookin, TIconKind::Clipboard, kTopButton);
    spdClipboardTranslation->setObjectName(QStringLiteral("spdClipboardTranslation"));
    spdClipboardTranslation->setCheckable(true);
    SetTag(spdClipboardTranslation, 9019);
    spdAlwaysOnTop = FlatButton(pnlLookin, TIconKind::OnTop, kTopButton);
    spdAlwaysOnTop->setObjectName(QStringLiteral("spdAlwaysOnTop"));
    spdAlwaysOnTop->setCheckable(true);
    SetTag(spdAlwaysOnTop, 9020);
    FSelectionTimer = new QTimer(this);
    FSelectionTimer->setSingleShot(true);
    FSelectionTimer->setInterval(kSelectionRestMs);
    connect(FSelectionTimer, &QTimer::timeout, this, [this] { SelectionSettled(); });

    connect(cmbLookup->lineEdit(), &QLineEdit::textEdited, this, [this] { cmbLookupChange(); });
    connect(cmbLookup, &QComboBox::activated, this, [this] { cmbLookupChange(); });
    connect(spdLookup, &QToolButton::clicked, this, [this] { spdLookupClick(); });
    connect(spdLookupEx, &QToolButton::clicked, this, [this] { spdLookupExClick(); });
    connect(cmbLookIn, &QComboBox::activated, this, [this] { cmbLookInChange(); });
    connect(spdClipboardTranslation, &QToolButton::clicked, this,
            [this] { spdClipboardTranslationClick(true); });
    connect(spdAlwaysOnTop, &QToolButton::clicked, this, [this] { spdAlwaysOnTopClick(true); });
}

void TfrmMain::CreateRelationsPanel()
{
    pnlRelations = new QWidget(this);
    pnlRelations->setObjectName(QStringLiteral("pnlRelations"));
    pnlRelations->setFixedWidth(kRelationsPanelWidth);
    auto* outer = new QVBoxLayout(pnlRelations);
    outer->setContentsMargins(4, 0, 0, 4);

    grpRelations = new QGroupBox(pnlRelations);
    grpRelations->setObjectName(QStringLiteral("grpRelations"));
    outer->addWidget(grpRelations);
    auto* inner = new QVBoxLayout(grpRelations);
    inner->setContentsMargins(4, 4, 4, 4);
    inner->setSpacing(3);
    auto* head = new QHBoxLayout;
    lblRelations = new QLabel(grpRelations);
    lblRelations->setObjectName(QStringLiteral("lblRelations"));
    QFont bold = lblRelations->font();
    bold.setBold(true);
    lblRelations->setFont(bold);
    SetTag(lblRelations, 2005);
    spdCloseRelations = FlatButton(grpRelations, TIconKind::Close, kSmallButton);
    spdCloseRelations->setObjectName(QStringLiteral("spdCloseRelations"));
    head->addWidget(lblRelations, 1);
    head->addWidget(spdCloseRelations);
    inner->addLayout(head);

    lstRelations = new QListWidget(grpRelations);
    lstRelations->setObjectName(QStringLiteral("lstRelations"));
    lstRelations->setItemDelegate(new TRelationsDelegate(lstRelations));
    lstRelations->setUniformItemSizes(false);
    lstRelations->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    inner->addWidget(lstRelations, 1);

    connect(spdCloseRelations, &QToolButton::clicked, this, [this] { spdCloseRelationsClick(); });
    connect(lstRelations, &QListWidget::itemClicked, this, [this] { lstRelationsClick(); });
}

void TfrmMain::CreateTabs()
{
    pagTabs = new QTabWidget(this);
    pagTabs->setObjectName(QStringLiteral("pagTabs"));
    pagTabs->setFocusPolicy(Qt::NoFocus);

    tabLookup = new QWidget;
    tabLookup->setObjectName(QStringLiteral("tabLookup"));
    SetTag(tabLookup, 9001);
    tabAdvancedLookup = new QWidget;
    tabAdvancedLookup->setObjectName(QStringLiteral("tabAdvancedLookup"));
    SetTag(tabAdvancedLookup, 9002);
    tabMinibrowser = new QWidget;
    tabMinibrowser->setObjectName(QStringLiteral("tabMinibrowser"));
    SetTag(tabMinibrowser, 9003);
    pagTabs->addTab(tabLookup, QString());
    pagTabs->addTab(tabAdvancedLookup, QString());
    pagTabs->addTab(tabMinibrowser, QString());

    // The minibrowser's toolbar; its commands work once the browser exists.
    auto* browserColumn = new QVBoxLayout(tabMinibrowser);
    browserColumn->setContentsMargins(0, 0, 0, 0);
    tlbInternet = new QToolBar(tabMinibrowser);
    tlbInternet->setObjectName(QStringLiteral("tlbInternet"));
    const struct {
        const char* Name;
        QStyle::StandardPixmap Icon;
        int Tag;
        void (TfrmMain::*Click)();
    } buttons[] = {
        {"tlbBack", QStyle::SP_ArrowBack, 3003, &TfrmMain::tlbBackClick},
        {"tlbStop", QStyle::SP_BrowserStop, 3004, &TfrmMain::tlbStopClick},
        {"tlbRefresh", QStyle::SP_BrowserReload, 3005, &TfrmMain::tlbRefreshClick},
        {"tlbForward", QStyle::SP_ArrowForward, 3006, &TfrmMain::tlbForwardClick},
        {"tlbCustom", QStyle::SP_DirHomeIcon, 3007, &TfrmMain::tlbCustomClick},
    };
    for (const auto& b : buttons) {
        if (b.Tag == 3007)
            tlbInternet->addSeparator();
        auto* button = new QToolButton(tlbInternet);
        button->setObjectName(QLatin1String(b.Name));
        button->setIcon(style()->standardIcon(b.Icon));
        button->setAutoRaise(true);
        button->setEnabled(false);
        SetTag(button, b.Tag);
        if (b.Tag == 3007) {
            // The Custom button goes home and drops down the links menu.
            button->setIcon(MakeIcon(TIconKind::Home));
            button->setPopupMode(QToolButton::MenuButtonPopup);
            tlbCustomButton = button;
        }
        tlbInternet->addWidget(button);
        connect(button, &QToolButton::clicked, this, b.Click);
    }
    browserColumn->addWidget(tlbInternet);
    lblLoadingBrowser = new QLabel(tabMinibrowser);
    lblLoadingBrowser->setObjectName(QStringLiteral("lblLoadingBrowser"));
    lblLoadingBrowser->setAlignment(Qt::AlignCenter);
    lblLoadingBrowser->hide();
    SetTag(lblLoadingBrowser, 2004);
    browserColumn->addWidget(lblLoadingBrowser);
    browserColumn->addStretch(1);

    connect(pagTabs, &QTabWidget::currentChanged, this, [this] {
        if (!FInTabChange)
            pagTabsChange();
    });
}

void TfrmMain::CreateTipsPanel()
{
    pnlTips = new QWidget(this);
    pnlTips->setObjectName(QStringLiteral("pnlTips"));
    pnlTips->setFixedHeight(kTipsPanelHeight);
    lblTips = new QLabel(pnlTips);
    lblTips->setObjectName(QStringLiteral("lblTips"));
    QFont bold = lblTips->font();
    bold.setBold(true);
    lblTips->setFont(bold);
    SetTag(lblTips, 2003);
    lblTip = new QLabel(pnlTips);
    lblTip->setObjectName(QStringLiteral("lblTip"));
    lblTip->setWordWrap(true);
    lblTip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    spdNextTip = FlatButton(pnlTips, TIconKind::Next, kSmallButton);
    spdNextTip->setObjectName(QStringLiteral("spdNextTip"));
    SetTag(spdNextTip, 3008);
    spdPreviousTip = FlatButton(pnlTips, TIconKind::Previous, kSmallButton);
    spdPreviousTip->setObjectName(QStringLiteral("spdPreviousTip"));
    SetTag(spdPreviousTip, 3009);
    spdCloseTip = FlatButton(pnlTips, TIconKind::Close, kSmallButton);
    spdCloseTip->setObjectName(QStringLiteral("spdCloseTip"));
    SetTag(spdCloseTip, 3010);

    connect(spdNextTip, &QToolButton::clicked, this, [this] { spdNextTipClick(); });
    connect(spdPreviousTip, &QToolButton::clicked, this, [this] { spdPreviousTipClick(); });
    connect(spdCloseTip, &QToolButton::clicked, this, [this] { spdCloseTipClick(); });
}

// --- start-up ------------------------------------------------------------------

void TfrmMain::ReadSettings()
{
    const QSettings key(QStringLiteral("Kestrune"), QStringLiteral("LiraboDesk"));

    const QRect screen = this->screen() ? this->screen()->geometry() : QRect(0, 0, 1024, 768);
    FSettings.WindowState = ReadRegIntegerDefault(key, QStringLiteral("WindowState"), 1);
    if (FSettings.WindowState == 1) {
        FSettings.WindowWidth = ReadRegIntegerDefault(key, QStringLiteral("WindowWidth"), 500);
        FSettings.WindowHeight = ReadRegIntegerDefault(key, QStringLiteral("WindowHeight"), 500);
        FSettings.WindowLeft = ReadRegIntegerDefault(key, QStringLiteral("WindowLeft"),
                                                     (screen.width() - FSettings.WindowWidth) / 2);
        FSettings.WindowTop = ReadRegIntegerDefault(key, QStringLiteral("WindowTop"),
                                                    (screen.height() - FSettings.WindowHeight) / 2);
        // A stored size of nothing (or less) would leave no window to see.
        resize(std::max(FSettings.WindowWidth, 100), std::max(FSettings.WindowHeight, 100));
        move(FSettings.WindowLeft, FSettings.WindowTop);
    } else {
        setWindowState(Qt::WindowMaximized);
    }
    FSettings.UpdatedDate = TSettings::ReadUpdatedDate(key);
    FRecent = TRecentList(TSettings::ReadRecent(key));
    FSettings.ReadTable(key);
    FCurrentDictionary = FSettings.CurrentDictionary;
}

void TfrmMain::FormCreate()
{
    ReadSettings();
    SyncRecentList();
    cmbLookup->setEditText(QString());

    mnuNextDictionary->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down));
    mnuPreviousDictionary->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up));

    FLookupView = new TDictionaryView(tabLookup);
    FAdvancedView = new TDictionaryView(tabAdvancedLookup);
    for (auto [view, page] :
         {std::pair{FLookupView, tabLookup}, std::pair{FAdvancedView, tabAdvancedLookup}}) {
        view->OnTextSelected = [this](const std::string& Text) { OnTextSelected(Text); };
        view->OnRightClick = [this, clicked = view](const std::string& Entry, const std::string& Word) {
            RememberClickedEntry(clicked);
            OnRightClick(Entry, Word);
        };
        view->OnLinkRightClick = [this](const std::string& Link) {
            // A link names a word, not the entry it stands in.
            FClickedHeadword.clear();
            OnLinkRightClick(Link);
        };
        view->OnLinkClick = [this](const std::string& Link) { OnLinkClick(Link); };
        auto* fill = new QVBoxLayout(page);
        fill->setContentsMargins(0, 0, 0, 0);
        fill->addWidget(view);
    }
    FLookupView->setObjectName(QStringLiteral("FLookupView"));
    FAdvancedView->setObjectName(QStringLiteral("FAdvancedView"));
    CreateSearchBar();

    FillBuiltInPresets();
    // The pair that looks up the clipboard's text once at start: joining the
    // chain in ApplySettings reports a change at once, which is skipped; the
    // posted one comes after start-up, in the dictionary it opened. Without
    // translation the posted one is skipped instead.
    FIgnoreClipboard = true;
    QMetaObject::invokeMethod(
        this, [this] { WMDrawClipboard(); }, Qt::QueuedConnection);
    ApplySettings();

    if (!FCommandLineFile.isEmpty())
        WMMakrelLookup(FCommandLineFile);

    if (FDictionaries.Valid(FCurrentDictionary) && FLookupView->Header().FileSize == 0 &&
        FLookupView->Store().Source() == TDictionaryStore::kSourceNone) {
        if (FDictionaries.At(FCurrentDictionary).Online)
            FCurrentDictionary = 0;
        cmbLookIn->setCurrentIndex(FCurrentDictionary);
        cmbLookInChange();
    }

    StartUpdateCheckWhenDue();
}

void TfrmMain::FillBuiltInPresets()
{
    const QRect screen = this->screen() ? this->screen()->geometry() : QRect(0, 0, 1024, 768);
    const int w = screen.width();
    const int h = screen.height();
    FBuiltInPresets = {{
        {500, 500, (w - 500) / 2, (h - 500) / 2, 255, 300, 200},
        {200, h, w - 200, 0, 225, 175, 10},
        {200, h, 0, 0, 225, 175, 10},
    }};
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
    for (QAction* item : {mnuSelectionTranslation, mnuAddToVocabulary}) {
        if (item->text().isEmpty())
            item->setText(TextOrEnglish(Tag(item)));
    }
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
    spdClipboardTranslation->setToolTip(ClipboardHint());
    pnlTopResize();
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
    if (FNextClipboardViewer != -1) {
        disconnect(FClipboardConnection);
        FNextClipboardViewer = -1;
    }
    disconnect(FSelectionConnection);
    if (FTray.EverAdded() && FTrayIcon)
        FTrayIcon->hide();

    QSettings key(QStringLiteral("Kestrune"), QStringLiteral("LiraboDesk"));
    TSettings::WriteRecent(key, FRecent.Words());

    if (isMinimized()) {
        // A minimised window has no geometry worth keeping.
    } else if (isMaximized()) {
        key.setValue(QStringLiteral("WindowState"), 2);
    } else {
        key.setValue(QStringLiteral("WindowState"), 1);
        key.setValue(QStringLiteral("WindowWidth"), width());
        key.setValue(QStringLiteral("WindowHeight"), height());
        key.setValue(QStringLiteral("WindowTop"), y());
        key.setValue(QStringLiteral("WindowLeft"), x());
    }
    key.setValue(QStringLiteral("WindowTransparency"), FOpacity.Alpha);
    FSettings.Indent = FLookupView->Indent();
    FSettings.LookinWidth = pnlLookin->width();
    // The current entry is stored only when it names one; an online
    // dictionary is not reopened at start (the first entry stands in).
    if (FDictionaries.Valid(FCurrentDictionary))
        FSettings.CurrentDictionary = FDictionaries.At(FCurrentDictionary).Online ? 0 : FCurrentDictionary;
    FSettings.WriteTable(key);
    key.sync();
}

}  // namespace lirabo
