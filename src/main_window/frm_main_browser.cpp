// The Internet tab: the minibrowser, made on first entry and destroyed when
// the browser is disabled, its toolbar and links menu, the links that
// install dictionaries and language files, and the pages of the menus.

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "browser/built_in_pages.h"
#include "main_window/catalogue.h"
#include "main_window/data_address.h"
#include "browser/mini_browser.h"
#include "downloads/frm_download.h"
#include "main_window/frm_main.h"
#include "main_window/internet_page.h"
#include "main_window/main_tabs.h"
#include "widgets/input_box.h"
#include "widgets/message_box.h"
#include "language/language.h"
#include "language/language_apply.h"
#include "main_window/status_bar.h"
#include "main_window/vendor_pages.h"
#include "network/download_name.h"
#include "network/update_version.h"

namespace lirabo {

TMiniBrowser* TfrmMain::Browser() const
{
    return pagTabs->tabMinibrowser->Browser();
}

void TfrmMain::EnterInternetTab()
{
    if (FSettings.DisableBrowser) {
        DestroyBrowser();
        return;
    }
    stbStatusBar->SetPanelText(Text(9005));
    if (Browser() || FBrowserQueued)
        return;
    if (!FFormCreated) {
        // Start-up on an online dictionary: the window comes first, and the
        // tests and the program can set the seams before anything is made.
        FBrowserQueued = true;
        QTimer::singleShot(0, this, [this] {
            FBrowserQueued = false;
            if (pagTabs->currentIndex() == TMainTabs::kInternetTab)
                EnterInternetTab();
        });
        return;
    }
    MakeBrowser();
}

void TfrmMain::MakeBrowser()
{
    TMiniBrowser* browser = pagTabs->tabMinibrowser->MakeBrowser(Hooks.CreateBrowser);
    if (!browser) {
        FPendingAddress.clear();
        // For good: the setting is written at shutdown, and every later
        // address goes to the system's browser.
        FSettings.DisableBrowser = true;
        return;
    }
    browser->OnBeforeNavigate = [this](const QString& Address, bool MainFrame, bool& Cancel) {
        wbrInternetBeforeNavigate(Address, MainFrame, Cancel);
    };
    // Made after the window took its texts; later languages reach it as the
    // other controls.
    browser->setAccessibleName(TextOrEnglish(NameTag(browser)));
    browser->OnDownloadBegin = [this] { wbrInternetDownloadBegin(); };
    browser->OnDocumentComplete = [this] { wbrInternetDocumentComplete(); };
    EnableBrowserCommands();
    NavigateBrowser(FPendingAddress.isEmpty() ? FSettings.HomePage : FPendingAddress);
    FPendingAddress.clear();
}

void TfrmMain::DestroyBrowser()
{
    if (!Browser())
        return;
    pagTabs->tabMinibrowser->DestroyBrowser();
    EnableBrowserCommands();
}

void TfrmMain::EnableBrowserCommands()
{
    // The toolbar follows the browser by itself; the links menu is ours.
    const bool present = Browser() != nullptr;
    Menu.mnuKestruneOnline->setEnabled(present);
    Menu.mnuKestruneForum->setEnabled(present);
    Menu.mnuCustom->setEnabled(present);
}

void TfrmMain::wbrInternetBeforeNavigate(const QString& Address, bool MainFrame, bool& Cancel)
{
    const network::TDownloadKind kind = network::LinkKind(Address.toStdString());
    if (kind == network::TDownloadKind::None)
        return;
    Cancel = true;
    // A frame is often someone else's content inside the page (an
    // advertisement, an embedded widget): it never starts a download.
    if (!MainFrame)
        return;
    // Not inside the engine's own notification: the dialog runs a modal
    // loop of its own.
    QTimer::singleShot(0, this, [this, Address, kind] { OpenDownload(Address, kind); });
}

void TfrmMain::wbrInternetDownloadBegin()
{
    // The panel belongs to the dictionary line on the other tabs.
    if (pagTabs->currentIndex() == TMainTabs::kInternetTab)
        stbStatusBar->SetPanelText(Text(9004));
}

void TfrmMain::wbrInternetDocumentComplete()
{
    if (pagTabs->currentIndex() == TMainTabs::kInternetTab)
        stbStatusBar->SetPanelText(Text(9005));
}

bool TfrmMain::ReplaceInstalledFile(const QString& Address, network::TDownloadKind Kind, TDataKind Folder)
{
    // A page, its scripts or a refresh can lead here without a click, and
    // the user's folder comes first: a page must not swap a dictionary or
    // the interface's language for its own unasked.
    const std::optional<std::string> name = network::DownloadFileName(Address.toStdString(), Kind);
    if (!name)
        return true;  // the dialog refuses the address with its own message
    const QString installed = FFolders.FindFileAnyCase(Folder, QString::fromStdString(*name));
    if (installed.isEmpty())
        return true;
    return TMessageBox::CautiousQuestion(this, TLanguage::FillPlaceholders(TextOrEnglish(8012), {installed, Address})) ==
           TMessageBox::TAnswer::Yes;
}

void TfrmMain::OpenDownload(const QString& Address, network::TDownloadKind Kind)
{
    const bool dictionary = Kind == network::TDownloadKind::Dictionary;
    const TDataKind kind = dictionary ? TDataKind::Dictionaries : TDataKind::Lang;
    if (!ReplaceInstalledFile(Address, Kind, kind))
        return;
    {
        // A folder that cannot be made fails the download with a message
        // that names it.
        QString ignored;
        FFolders.MakeWriteFolder(kind, ignored);
        TfrmDownload dialog(FLanguage, this);
        ApplyLanguageToControl(FLanguage, &dialog, QStringLiteral("Download"));
        dialog.DownloadFile(Address, Kind, FFolders.WriteFolder(kind));
        Hooks.RunModal(dialog);
    }
    if (dictionary)
        RefreshDictionaries();
}

void TfrmMain::NavigateBrowser(const QString& Address)
{
    if (FBrowserQueued)
        FPendingAddress = Address;
    if (!Browser())
        return;
    const QString address = PageAddress(Address);
    if (!address.isEmpty())
        Browser()->Navigate(address);
}

// --- the toolbar and the links menu ----------------------------------------------

void TfrmMain::tlbCustomClick()
{
    NavigateBrowser(FSettings.HomePage);
}

void TfrmMain::mnuKestruneOnlineClick()
{
    NavigateBrowser(FSettings.HomePage);
}

void TfrmMain::mnuKestruneForumClick()
{
    NavigateBrowser(FSettings.ForumPage);
}

void TfrmMain::mnuCustomClick()
{
    if (!Browser())
        return;
    const std::optional<QString> address = TInputBox::Ask(this, QStringLiteral("Lirabo"), Text(8001), QString());
    if (address && !address->isEmpty())
        Browser()->Navigate(*address);
}

void TfrmMain::mnuFeedbackAndSupportClick()
{
    LaunchURL(FSettings.FeedbackPage, true);
}

void TfrmMain::mnuGetMoreClick()
{
    LaunchURL(FSettings.DictionariesPage, true);
}

void TfrmMain::mnuAddLanguagesAndDictionariesClick()
{
    LaunchURL(FSettings.LanguagesPage, true);
}

// --- addresses -------------------------------------------------------------------

void TfrmMain::LaunchURL(const QString& Address, bool InBrowser)
{
    if (!InBrowser || FSettings.DisableBrowser) {
        Hooks.OpenExternal(PageAddress(Address));
        return;
    }
    SelectTab(TMainTabs::kInternetTab);
    if (Browser() || FBrowserQueued)
        NavigateBrowser(Address);
    else
        // The browser could not be made just now: the page still opens.
        Hooks.OpenExternal(PageAddress(Address));
}

void TfrmMain::OpenDataAddress(const QString& Address)
{
    const QUrl url = DataAddressToOpen(Address);
    if (url.isEmpty())
        RefuseDataAddress(Address);
    else
        Hooks.OpenExternal(url.toString());
}

void TfrmMain::RefuseDataAddress(const QString& Address)
{
    TMessageBox::Error(this, TLanguage::FillPlaceholders(TextOrEnglish(8011), {Address}));
}

QString TfrmMain::PageAddress(const QString& Address)
{
    if (!TBuiltInPages::IsBuiltIn(Address))
        return Address;
    const QString folder =
        Hooks.PagesFolder.isEmpty()
            ? QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)).filePath(QStringLiteral("pages"))
            : Hooks.PagesFolder;
    return TBuiltInPages::LocalCopy(Address, PageFacts(), folder);
}

TPageFacts TfrmMain::PageFacts() const
{
    TPageFacts facts;
    for (const TCatalogueEntry& entry : ReadOnlineDictionaries(FFolders.ReadFolders(TDataKind::Dictionaries)))
        facts.OnlineDictionaries.push_back({entry.Caption, entry.Location});
    // The pages tell people where to put files: no path relative to a
    // folder they cannot see, and no folder that is not there yet.
    QString ignored;
    for (const TDataKind kind : {TDataKind::Dictionaries, TDataKind::Lang})
        FFolders.MakeWriteFolder(kind, ignored);
    facts.DictionaryFolder = QDir(DictionaryFolder()).absolutePath();
    facts.LanguageFolder = QDir(FFolders.WriteFolder(TDataKind::Lang)).absolutePath();
    const QFileInfo builder(QDir(FProgramFolder).filePath(BuilderProgramName()));
    facts.HasBuilder = builder.isFile() && builder.isExecutable();
    facts.SupportEmail = QLatin1String(kSupportEmail);
    const std::string_view version = network::ProgramVersion();
    facts.Version = QString::fromUtf8(version.data(), static_cast<qsizetype>(version.size()));
    return facts;
}

}  // namespace lirabo
