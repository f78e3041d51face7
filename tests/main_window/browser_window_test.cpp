// The Internet tab through the real window with a minibrowser that records
// what it is asked: when the browser is made and destroyed, the links that
// install files, the toolbar and links menu, and where every page opens.

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include "downloads/frm_download.h"
#include "download_test_server.h"
#include "network/file_download.h"
#include "preferences/frm_settings.h"
#include "wait_until.h"
#include "window_fixture.h"

namespace lirabo::test {
namespace {

constexpr int kInternetTab = 2;

class BrowserWindowTest : public WindowTest {
protected:
    void TearDown() override
    {
        WaitUntil([] { return network::TFileDownload::LiveWorkers() == 0; });
        WindowTest::TearDown();
    }

    // The download dialogs the window runs, each left to finish.
    void DriveDownloads()
    {
        FWindow->Hooks.RunModal = [this](QDialog& Dialog) {
            auto* download = qobject_cast<TfrmDownload*>(&Dialog);
            ASSERT_NE(download, nullptr);
            FDialogTargets << download->TargetPath();
            WaitUntil([download] { return !download->Download() || !download->Download()->Running(); });
            // A failed download stays open with its reason; the test closes it.
            FDialogTexts << download->findChild<QLabel*>("lblStatus")->text();
            if (download->isVisible() || download->result() != QDialog::Accepted)
                static_cast<QDialog*>(download)->reject();
        };
    }

    QString Local(const char* Page) const
    {
        return QUrl::fromLocalFile(QDir(FWindow->Hooks.PagesFolder).filePath(QLatin1String(Page))).toString();
    }

    QStringList FDialogTargets;
    QStringList FDialogTexts;
};

TEST_F(BrowserWindowTest, BrowserIsMadeOnFirstEntryAndShowsTheBuiltInHomePage)
{
    TfrmMain& w = Start();
    EXPECT_EQ(FBrowsersMade, 0);
    EXPECT_EQ(w.Browser(), nullptr);
    EXPECT_FALSE(Find<QToolButton>("tlbBack")->isEnabled());

    Tabs()->setCurrentIndex(kInternetTab);
    ASSERT_NE(Browser(), nullptr);
    EXPECT_EQ(FBrowsersMade, 1);
    EXPECT_EQ(Browser()->parentWidget(), Find<QWidget>("tabMinibrowser"));
    EXPECT_EQ(Browser()->FCalls, QStringList{"Navigate " + Local("home.html")});
    // The page is on disk, needs no network and knows this installation.
    QFile home(QUrl(Local("home.html")).toLocalFile());
    ASSERT_TRUE(home.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(home.readAll());
    EXPECT_TRUE(html.contains("Lirabo on the Internet"));
    EXPECT_TRUE(html.contains(QDir::toNativeSeparators(FFolder.Dictionaries())));
    EXPECT_FALSE(html.contains("{{"));
    // The folder the languages page names is there to be used.
    EXPECT_TRUE(QFileInfo(FFolder.Path() + "/Lang").isDir());
    EXPECT_TRUE(QFile::exists(QUrl(Local("dictionaries.html")).toLocalFile()));
    EXPECT_TRUE(Find<QToolButton>("tlbBack")->isEnabled());

    // Status texts follow the page, on this tab only.
    Browser()->OnDownloadBegin();
    Tabs()->setCurrentIndex(0);
    Browser()->OnDocumentComplete();
    Tabs()->setCurrentIndex(kInternetTab);
    EXPECT_EQ(FBrowsersMade, 1);  // made once

    // Toolbar and links menu reach the browser.
    Browser()->FCalls.clear();
    for (const char* name : {"tlbBack", "tlbForward", "tlbRefresh", "tlbStop", "tlbCustom"})
        Find<QToolButton>(name)->click();
    Find<QAction>("mnuKestruneForum")->trigger();
    FTextAnswers = {"", "example.org/some page"};
    Find<QAction>("mnuCustom")->trigger();  // an empty answer goes nowhere
    Find<QAction>("mnuCustom")->trigger();
    EXPECT_EQ(FPrompts, (QStringList{"Please enter address:", "Please enter address:"}));
    EXPECT_EQ(Browser()->FCalls, (QStringList{"GoBack", "GoForward", "Refresh", "Stop", "Navigate " + Local("home.html"),
                                              "Navigate " + Local("feedback.html"),
                                              "Navigate example.org/some page"}));
}

TEST_F(BrowserWindowTest, MenuPagesOpenOnTheInternetTabAndOwnAddressesAreKept)
{
    {
        QSettings stored = Stored();
        stored.setValue("HomePage", "https://home.example/");
        stored.setValue("DictionariesPage", "  ");  // blank: the built-in page
    }
    TfrmMain& w = Start();
    Find<QAction>("mnuFeedbackAndSupport")->trigger();
    EXPECT_EQ(Tabs()->currentIndex(), kInternetTab);
    ASSERT_NE(Browser(), nullptr);
    Find<QAction>("mnuGetMore")->trigger();
    Find<QAction>("mnuAddLanguagesAndDictionaries")->trigger();
    EXPECT_EQ(Browser()->FCalls, (QStringList{"Navigate https://home.example/", "Navigate " + Local("feedback.html"),
                                              "Navigate " + Local("dictionaries.html"),
                                              "Navigate " + Local("languages.html")}));
    EXPECT_TRUE(FOpened.isEmpty());
    Close();
    // Read, never written: a later build's defaults are not frozen.
    EXPECT_FALSE(Stored().contains("FeedbackPage"));
    EXPECT_EQ(Stored().value("HomePage").toString(), "https://home.example/");
    Q_UNUSED(w);
}

TEST_F(BrowserWindowTest, DisabledBrowserSendsPagesToTheSystemBrowserAndIsDestroyedOnReturn)
{
    FFolder.WriteFile("Dictionaries/online.ini", "[Web Words]\r\nLocation=http://words.example/?q=%1\r\n");
    TfrmMain& w = Start();
    // Starting on an online dictionary makes the browser once the window runs.
    EXPECT_EQ(w.Browser(), nullptr);
    EXPECT_EQ(Tabs()->currentIndex(), kInternetTab);
    WaitUntil([&w] { return w.Browser() != nullptr; }, 2000);
    ASSERT_NE(Browser(), nullptr);
    EXPECT_EQ(Browser()->FCalls.size(), 1);  // the lookup's address, not the home page too
    EXPECT_TRUE(Browser()->FCalls[0].startsWith("Navigate http://words.example/?q="));
    Tabs()->setCurrentIndex(0);

    // The settings dialog switches the browser off; the tab drops it on the
    // next entry, and everything then goes to the system's browser.
    w.Hooks.RunModal = [](QDialog& Dialog) {
        Dialog.findChild<QCheckBox*>("chkDisableBrowser")->setChecked(true);
        Dialog.accept();
    };
    Find<QAction>("mnuSettings")->trigger();
    EXPECT_TRUE(w.Settings().DisableBrowser);
    EXPECT_NE(w.Browser(), nullptr);
    Tabs()->setCurrentIndex(kInternetTab);
    EXPECT_EQ(w.Browser(), nullptr);
    EXPECT_FALSE(Find<QToolButton>("tlbBack")->isEnabled());
    EXPECT_FALSE(Find<QAction>("mnuCustom")->isEnabled());

    Find<QAction>("mnuFeedbackAndSupport")->trigger();
    ASSERT_EQ(FOpened.size(), 1);
    EXPECT_EQ(FOpened[0], Local("feedback.html"));
    QFile feedback(QUrl(FOpened[0]).toLocalFile());
    ASSERT_TRUE(feedback.open(QIODevice::ReadOnly));
    EXPECT_TRUE(feedback.readAll().contains("support@"));

    // An online dictionary's Look up shows an empty Internet tab.
    Tabs()->setCurrentIndex(0);
    LookupBox()->setEditText("tree");
    LookIn()->setCurrentIndex(0);
    emit LookIn()->activated(0);
    EXPECT_EQ(Tabs()->currentIndex(), kInternetTab);
    EXPECT_EQ(w.Browser(), nullptr);
    EXPECT_EQ(FOpened.size(), 1);
    EXPECT_EQ(FBrowsersMade, 1);
}

TEST_F(BrowserWindowTest, FailedCreationDisablesTheBrowserForGood)
{
    FBrowserFails = true;
    TfrmMain& w = Start();
    Find<QAction>("mnuGetMore")->trigger();
    EXPECT_EQ(FBrowsersMade, 1);
    EXPECT_TRUE(w.Settings().DisableBrowser);
    // This page still opens, in the system's browser, and so do later ones.
    EXPECT_EQ(FOpened, QStringList{Local("dictionaries.html")});
    Tabs()->setCurrentIndex(0);
    Tabs()->setCurrentIndex(kInternetTab);
    EXPECT_EQ(FBrowsersMade, 1);
    EXPECT_FALSE(Find<QLabel>("lblLoadingBrowser")->isVisible());
    Close();
    EXPECT_TRUE(Stored().value("DisableBrowser").toBool());
}

TEST_F(BrowserWindowTest, OnlineLookupNavigatesTheBrowserAndTheHomePageListsOnlineDictionaries)
{
    FFolder.WriteFile("Dictionaries/online.ini",
                      "[Web Words]\r\nLocation=http://words.example/find?q=%1\r\n"
                      "[<b>Bad</b>]\r\nLocation=javascript:alert(1)\r\n");
    TfrmMain& w = Start();
    WaitUntil([&w] { return w.Browser() != nullptr; }, 2000);
    LookupBox()->setEditText("rock & roll");
    LookIn()->setCurrentIndex(1);  // "Web Words" sorts after "<b>Bad</b>"
    emit LookIn()->activated(1);
    ASSERT_NE(Browser(), nullptr);
    EXPECT_EQ(Browser()->FCalls.last(), "Navigate " + w.LastOnlineAddress());
    EXPECT_TRUE(w.LastOnlineAddress().startsWith("http://words.example/find?q=rock"));

    Find<QToolButton>("tlbCustom")->click();
    QFile home(QUrl(Local("home.html")).toLocalFile());
    ASSERT_TRUE(home.open(QIODevice::ReadOnly));
    const QByteArray html = home.readAll();
    EXPECT_TRUE(html.contains("<a href=\"http://words.example\">Web Words</a>"));
    // Captions are text, and only web sites become links.
    EXPECT_TRUE(html.contains("&lt;b&gt;Bad&lt;/b&gt;"));
    EXPECT_FALSE(html.contains("javascript:"));
}

TEST_F(BrowserWindowTest, DictionaryLinkInstallsTheFileAndTheCatalogueListsIt)
{
    const QString built = FFolder.AddDictionary("source.ldi", "German English", {{"haus", "house"}}, {},
                                                FFolder.Path());
    QFile source(built);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray bytes = source.readAll();
    TDownloadTestServer server;
    server.SetHandler([&](const QByteArray& Request) {
        return TDownloadTestServer::Target(Request) == "/files/de-en.LDI" ? TTestReply::Ok(bytes)
                                                                          : TTestReply::Http(404, "no");
    });
    TfrmMain& w = Start();
    DriveDownloads();
    const int before = w.Catalogue().Size();
    Tabs()->setCurrentIndex(kInternetTab);
    ASSERT_NE(Browser(), nullptr);

    // A page navigates; dictionary and language links do not.
    EXPECT_TRUE(Browser()->Follow(server.Url("/files/page.html")));
    EXPECT_FALSE(Browser()->Follow(server.Url("/files/de-en.LDI")));
    EXPECT_TRUE(FDialogTargets.isEmpty());  // the dialog opens after the engine's notice
    ASSERT_TRUE(WaitUntil([this] { return FDialogTargets.size() == 1; }));
    EXPECT_EQ(FDialogTargets[0], QDir(FFolder.Dictionaries()).filePath("de-en.LDI"));
    EXPECT_EQ(FInformation,
              QStringList{"The dictionary has been downloaded and installed. It will appear in the list automatically."});
    EXPECT_EQ(w.Catalogue().Size(), before + 1);
    EXPECT_TRUE(w.Catalogue().Captions().contains("German English"));

    // A language link goes to the Lang folder; a 404 installs nothing.
    EXPECT_FALSE(Browser()->Follow(server.Url("/x/Klingon.lng")));
    ASSERT_TRUE(WaitUntil([this] { return FDialogTargets.size() == 2; }));
    EXPECT_EQ(FDialogTargets[1], QDir(FFolder.Path()).filePath("Lang/Klingon.lng"));
    EXPECT_EQ(FDialogTexts[1], "The server answered with error 404.");
    EXPECT_FALSE(QFile::exists(FDialogTargets[1]));
    EXPECT_EQ(FInformation.size(), 1);
}

TEST_F(BrowserWindowTest, APageReplacesAnInstalledFileOnlyWhenTheUserSaysYesAndFramesStartNothing)
{
    AddStandardDictionaries();
    const QString fruit = QDir(FFolder.Dictionaries()).filePath("fruit.ldi");
    const QString language = QDir(FFolder.Path()).filePath("Lang/Deutsch.lng");
    ASSERT_TRUE(QDir(FFolder.Path()).mkpath("Lang"));
    {
        QFile file(language);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[Data]\nFileVersion=3\n[Main]\n1001=Datei\n");
    }
    const auto bytesOf = [](const QString& Path) {
        QFile file(Path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray oldFruit = bytesOf(fruit);
    const QByteArray oldLanguage = bytesOf(language);
    const QString other = FFolder.AddDictionary("other.ldi", "Other fruit", {{"kiwi", "green"}}, {}, FFolder.Path());
    const QByteArray otherBytes = bytesOf(other);
    TDownloadTestServer server;
    server.SetHandler([&](const QByteArray& Request) {
        const QByteArray target = TDownloadTestServer::Target(Request);
        if (target.endsWith(".lng"))
            return TTestReply::Ok("[Data]\nFileVersion=3\n[Main]\n1001=Evil\n");
        return TTestReply::Ok(otherBytes);
    });
    Start();
    DriveDownloads();
    Tabs()->setCurrentIndex(kInternetTab);
    ASSERT_NE(Browser(), nullptr);

    struct TCase {
        const char* Name;
        const char* Target;
        bool MainFrame;
        QList<TMessageBox::TAnswer> Answers;  // one per question expected
        int Dialogs;                          // download dialogs run
    };
    const TCase cases[] = {
        {"a frame's new file", "/files/new.ldi", false, {}, 0},
        {"a frame's installed file", "/files/fruit.ldi", false, {}, 0},
        {"installed dictionary, other case, No", "/files/FRUIT.ldi", true, {TMessageBox::TAnswer::No}, 0},
        {"installed language file, No", "/x/deutsch.lng", true, {TMessageBox::TAnswer::No}, 0},
        {"a new file: no question", "/files/new.ldi", true, {}, 1},
        {"installed dictionary, Yes", "/files/fruit.ldi", true, {TMessageBox::TAnswer::Yes}, 1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        FQuestions.clear();
        FDialogTargets.clear();
        FAnswers = c.Answers;
        EXPECT_FALSE(Browser()->Follow(server.Url(c.Target), c.MainFrame));
        QTest::qWait(50);
        if (c.Dialogs > 0) {
            ASSERT_TRUE(WaitUntil([&] { return FDialogTargets.size() == c.Dialogs; }));
        }
        EXPECT_EQ(FDialogTargets.size(), c.Dialogs);
        ASSERT_EQ(FQuestions.size(), c.Answers.size());
        if (!FQuestions.isEmpty()) {
            EXPECT_TRUE(FQuestions[0].contains("is already installed")) << FQuestions[0].toStdString();
            EXPECT_TRUE(FQuestions[0].contains(server.Url(c.Target)));
        }
        if (c.Dialogs == 0 || c.Answers.isEmpty()) {
            EXPECT_EQ(bytesOf(fruit), oldFruit);
            EXPECT_EQ(bytesOf(language), oldLanguage);
        }
    }
    EXPECT_EQ(bytesOf(fruit), otherBytes) << "Yes replaces the file";
    EXPECT_EQ(bytesOf(language), oldLanguage);
}

}  // namespace
}  // namespace lirabo::test
