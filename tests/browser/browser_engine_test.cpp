// The minibrowser on the real engine, under an X server: a local page with
// a link to a dictionary on a loopback server; the click opens the download
// dialog instead of the link, the dictionary is installed and listed. And
// the built-in pages, shown with no network at all.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <atomic>

#include "browser/mini_browser.h"
#include "download_test_server.h"
#include "downloads/frm_download.h"
#include "main_window/frm_main.h"
#include "widgets/input_box.h"
#include "widgets/message_box.h"
#include "network/file_download.h"
#include "test_folder.h"
#include "wait_until.h"

namespace lirabo::test {
namespace {

class BrowserEngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FSettings.path());
        TMessageBox::SetSink([this](TMessageBox::TKind, const QString& Text) {
            FMessages << Text;
            return TMessageBox::TAnswer::Ok;
        });
        TInputBox::SetSink([this](const QString&) -> std::optional<QString> { return FAddress; });
    }
    void TearDown() override
    {
        FWindow.reset();
        WaitUntil([] { return network::TFileDownload::LiveWorkers() == 0; });
        TMessageBox::SetSink({});
        TInputBox::SetSink({});
    }

    TfrmMain& Start()
    {
        FWindow = std::make_unique<TfrmMain>(FFolder.Path());
        FWindow->Hooks.OpenExternal = [this](const QString& Address) { FOpened << Address; };
        FWindow->Hooks.PagesFolder = FSettings.filePath("pages");
        FWindow->resize(800, 600);
        FWindow->show();
        return *FWindow;
    }

    QWebEngineView* View() const
    {
        // The engine's module holds the browser; its view is Qt's own.
        return FWindow->Browser() ? FWindow->Browser()->findChild<QWebEngineView*>() : nullptr;
    }

    // Runs script in the page and waits for its result.
    QVariant Run(const QString& Script)
    {
        QVariant result;
        bool done = false;
        View()->page()->runJavaScript(Script, [&](const QVariant& Value) {
            result = Value;
            done = true;
        });
        WaitUntil([&] { return done; });
        return result;
    }

    bool WaitForPage(const QString& Title)
    {
        return WaitUntil([&] { return View() && View()->title() == Title && Run("document.readyState") == "complete"; },
                         20000);
    }

    QTemporaryDir FSettings;
    TProgramFolder FFolder;
    std::unique_ptr<TfrmMain> FWindow;
    QStringList FMessages;
    QStringList FOpened;
    QString FAddress;
};

TEST_F(BrowserEngineTest, DictionaryLinkOnAPageIsInstalledAndListed)
{
    const QString built = FFolder.AddDictionary("source.ldi", "German English", {{"haus", "house"}}, {}, FFolder.Path());
    QFile source(built);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QByteArray bytes = source.readAll();
    TDownloadTestServer server;
    std::atomic<int> frameRequests{0};
    server.SetHandler([&](const QByteArray& Request) {
        if (TDownloadTestServer::Target(Request) == "/files/frame.ldi")
            ++frameRequests;
        return TDownloadTestServer::Target(Request) == "/files/de-en.ldi" ? TTestReply::Ok(bytes)
                                                                          : TTestReply::Http(404, "none");
    });
    const QString page = FSettings.filePath("links.html");
    QFile html(page);
    ASSERT_TRUE(html.open(QIODevice::WriteOnly));
    // A frame that leads to a dictionary by itself starts no download.
    html.write("<html><head><title>Links</title></head><body><a id=\"l\" href=\"" +
               server.Url("/files/de-en.ldi").toUtf8() + "\">de-en.ldi</a><iframe src=\"" +
               server.Url("/files/frame.ldi").toUtf8() + "\"></iframe></body></html>");
    html.close();

    TfrmMain& w = Start();
    QStringList installed;
    w.Hooks.RunModal = [&](QDialog& Dialog) {
        auto& download = static_cast<TfrmDownload&>(Dialog);
        WaitUntil([&] { return download.Installed() || !download.Download() || !download.Download()->Running(); });
        installed << download.TargetPath();
    };
    w.findChild<QTabWidget*>("pagTabs")->setCurrentIndex(2);
    ASSERT_NE(View(), nullptr);
    ASSERT_TRUE(WaitForPage("Lirabo on the Internet"));

    FAddress = QUrl::fromLocalFile(page).toString();
    w.findChild<QAction*>("mnuCustom")->trigger();
    ASSERT_TRUE(WaitForPage("Links"));
    Run("document.getElementById('l').click()");
    ASSERT_TRUE(WaitUntil([&] { return !installed.isEmpty(); }, 20000));
    EXPECT_EQ(installed, QStringList{QDir(FFolder.Dictionaries()).filePath("de-en.ldi")});
    EXPECT_EQ(frameRequests.load(), 0);
    EXPECT_EQ(FMessages,
              QStringList{"The dictionary has been downloaded and installed. It will appear in the list automatically."});
    EXPECT_TRUE(w.Catalogue().Captions().contains("German English"));
    // The page stayed where it was.
    EXPECT_EQ(View()->title(), "Links");
    EXPECT_TRUE(FOpened.isEmpty());
}

TEST_F(BrowserEngineTest, BuiltInPagesLinkToEachOtherWithoutANetwork)
{
    TfrmMain& w = Start();
    w.findChild<QAction*>("mnuGetMore")->trigger();
    ASSERT_NE(View(), nullptr);
    ASSERT_TRUE(WaitForPage("Add dictionaries"));
    Run("document.querySelector('a[href=\"feedback.html\"]').click()");
    ASSERT_TRUE(WaitForPage("Feedback and support"));
    w.findChild<QAction*>("mnuAddLanguagesAndDictionaries")->trigger();
    ASSERT_TRUE(WaitForPage("Interface languages"));
    w.findChild<QToolButton*>("tlbBack")->click();
    ASSERT_TRUE(WaitForPage("Feedback and support")) << View()->title().toStdString();
    EXPECT_TRUE(Run("document.body.innerText").toString().contains("makrel verify"));
    EXPECT_TRUE(FOpened.isEmpty());
}

}  // namespace
}  // namespace lirabo::test
