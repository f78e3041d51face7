// The download dialog against a loopback server: what it shows while a
// file arrives, the confirmation, every kind of failure shown in the dialog
// with nothing installed, and Cancel.

#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>

#include "download_test_server.h"
#include "downloads/frm_download.h"
#include "language/language.h"
#include "language/language_apply.h"
#include "widgets/message_box.h"
#include "network/file_download.h"
#include "test_folder.h"
#include "wait_until.h"

namespace lirabo::test {
namespace {

using network::TDownloadKind;

// A language file of exactly Size bytes.
QByteArray LanguageFile(int Size)
{
    QByteArray text = "[Data]\r\nFileVersion=3\r\nName=Testisch\r\n;";
    text += QByteArray(Size - text.size(), 'x');
    return text;
}

class DownloadDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TMessageBox::SetSink([this](TMessageBox::TKind, const QString& Text) {
            // What the dialog showed when the confirmation came.
            FAtMessage = Label("lblProgress");
            FMessages << Text;
            return TMessageBox::TAnswer::Ok;
        });
        FTarget = FDir.filePath("Lang");
    }

    void TearDown() override
    {
        FDialog.reset();
        EXPECT_TRUE(WaitUntil([] { return network::TFileDownload::LiveWorkers() == 0; }));
        TMessageBox::SetSink({});
    }

    TfrmDownload& Open(const QString& URL, TDownloadKind Kind)
    {
        FDialog = std::make_unique<TfrmDownload>(FLanguage, nullptr);
        FDialog->StallSeconds = 2;
        ApplyLanguageToControl(FLanguage, FDialog.get(), QStringLiteral("Download"));
        FDialog->DownloadFile(URL, Kind, FTarget);
        FDialog->show();
        return *FDialog;
    }

    // Until the download has ended one way or the other.
    bool WaitForEnd()
    {
        return WaitUntil([this] { return !FDialog->Download() || !FDialog->Download()->Running(); });
    }

    QString Label(const char* Name) const
    {
        return FDialog ? FDialog->findChild<QLabel*>(QLatin1String(Name))->text() : QString();
    }
    QPushButton* Button() const { return FDialog->findChild<QPushButton*>("btnCancel"); }
    QStringList Files() const { return QDir(FTarget).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir FDir;
    QString FTarget;
    TLanguage FLanguage;
    TDownloadTestServer FServer;
    std::unique_ptr<TfrmDownload> FDialog;
    QStringList FMessages;
    QString FAtMessage;
};

TEST_F(DownloadDialogTest, LanguageFileIsInstalledWithProgressInWholeKilobytes)
{
    FServer.SetReply(TTestReply::Ok(LanguageFile(2047)));
    TfrmDownload& dialog = Open(FServer.Url("/lang/Testisch.LNG"), TDownloadKind::LanguageFile);
    EXPECT_EQ(dialog.windowTitle(), "Download");
    EXPECT_EQ(Label("lblStatus"), "Downloading...");
    ASSERT_TRUE(WaitUntil([&] { return dialog.Installed(); }));
    EXPECT_EQ(FAtMessage, "Downloaded 1 kB of 1 kB");
    EXPECT_EQ(FMessages, QStringList{"The language file has been downloaded and installed. It will appear in the "
                                     "language list in the Settings dialog."});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Download(), nullptr);
    EXPECT_EQ(Files(), QStringList{"Testisch.LNG"});
    EXPECT_EQ(QFileInfo(dialog.TargetPath()).size(), 2047);
}

// The check before installing reads a language file as the settings
// dialog will: a file it accepts here is one the list shows.
TEST_F(DownloadDialogTest, LanguageFilesOfEitherEncodingAreCheckedBeforeInstalling)
{
    const QByteArray mark = "\xEF\xBB\xBF";
    const struct {
        const char* Case;
        QByteArray Bytes;
        bool Installed;
    } cases[] = {
        {"Windows-1252", "[Data]\r\nFileVersion=3\r\nName=Portugu\xEAs\r\n", true},
        {"UTF-8", mark + "[Data]\r\nFileVersion=3\r\nName=Ελληνικά\r\n", true},
        {"UTF-8, too old", mark + "[Data]\r\nFileVersion=2\r\nName=Ελληνικά\r\n", false},
        {"UTF-16", QByteArray("\xFF\xFE[\0D\0a\0t\0a\0]\0", 14), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        QDir(FTarget).removeRecursively();
        FServer.SetReply(TTestReply::Ok(c.Bytes));
        TfrmDownload& dialog = Open(FServer.Url("/lang/Mine.lng"), TDownloadKind::LanguageFile);
        ASSERT_TRUE(WaitUntil(
            [&] { return dialog.Installed() || Label("lblDescription").startsWith("The download failed"); }));
        EXPECT_EQ(dialog.Installed(), c.Installed);
        EXPECT_EQ(Files(), c.Installed ? QStringList{"Mine.lng"} : QStringList());
        if (!c.Installed) {
            EXPECT_EQ(Label("lblStatus"), "The file is not a language file Lirabo can read.");
        }
    }
}

TEST_F(DownloadDialogTest, FailuresAreShownAndInstallNothing)
{
    QDir().mkpath(FTarget);
    TProgramFolder folder;
    const QString old = folder.AddDictionary("de-en.ldi", "Old", {{"alt", "old"}}, {}, FTarget);
    QFile oldFile(old);
    ASSERT_TRUE(oldFile.open(QIODevice::ReadOnly));
    const QByteArray oldBytes = oldFile.readAll();
    oldFile.close();

    const struct {
        TTestReply Reply;
        QString Reason;
    } cases[] = {
        {TTestReply::Http(404, "<html>Not found</html>"), "The server answered with error 404."},
        {TTestReply::Http(500, "oops"), "The server answered with error 500."},
        {TTestReply::Http(200, "short", true, 9000), "The server sent only part of the file."},
        {TTestReply::Ok("This is a web page, not a dictionary."), "The file is not a dictionary Lirabo can read."},
        {TTestReply::Ok(oldBytes.left(oldBytes.size() - 1) + char(oldBytes.back() ^ 1)),
         "The file is not a dictionary Lirabo can read."},
        {TTestReply::Http(200, "", false), "The server sent an empty file."},
    };
    for (const auto& c : cases) {
        FServer.SetReply(c.Reply);
        TfrmDownload& dialog = Open(FServer.Url("/dict/de-en.ldi"), TDownloadKind::Dictionary);
        ASSERT_TRUE(WaitForEnd());
        EXPECT_FALSE(dialog.Installed());
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(Label("lblStatus"), c.Reason);
        EXPECT_TRUE(Label("lblDescription").startsWith("The download failed. Nothing has been installed"));
        EXPECT_EQ(Button()->text(), "Close");
        Button()->click();
        EXPECT_FALSE(dialog.isVisible());
    }
    EXPECT_TRUE(FMessages.isEmpty());
    EXPECT_EQ(Files(), QStringList{"de-en.ldi"});
    ASSERT_TRUE(oldFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(oldFile.readAll(), oldBytes);
}

TEST_F(DownloadDialogTest, UnsafeNamesAreRefusedBeforeAnythingIsFetched)
{
    for (const char* path : {"/..%2f..%2fescape.ldi", "/a%5cb.ldi", "/x.ldi%00.txt", "/%2e%2e", "/get?file=x.ldi", "/.ldi"}) {
        TfrmDownload& dialog = Open(FServer.Url(QLatin1String(path)), TDownloadKind::Dictionary);
        EXPECT_EQ(dialog.Download(), nullptr) << path;
        EXPECT_TRUE(dialog.TargetPath().isEmpty());
        EXPECT_TRUE(Label("lblStatus").startsWith("This address does not end in a file name Lirabo can store safely"));
        EXPECT_EQ(Button()->text(), "Close");
    }
    EXPECT_EQ(FServer.Connections(), 0);
    EXPECT_FALSE(QDir(FTarget).exists());
    EXPECT_FALSE(QFile::exists(FDir.filePath("escape.ldi")));
}

TEST_F(DownloadDialogTest, CancelClosesAtOnceAndLeavesNothingBehind)
{
    TTestReply reply = TTestReply::Http(200, QByteArray(4000, 'a'), true, 100000);
    reply.KeepOpen = true;
    FServer.SetReply(reply);
    TfrmDownload& dialog = Open(FServer.Url("/Slow.lng"), TDownloadKind::LanguageFile);
    ASSERT_TRUE(WaitUntil([this] { return Label("lblProgress") == "Downloaded 3 kB of 97 kB"; }));
    EXPECT_EQ(dialog.findChild<QProgressBar*>("prgProgress")->maximum(), 100000);
    Button()->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.Download(), nullptr);
    ASSERT_TRUE(WaitUntil([] { return network::TFileDownload::LiveWorkers() == 0; }));
    EXPECT_TRUE(Files().isEmpty()) << Files().join(' ').toStdString();
    EXPECT_TRUE(FMessages.isEmpty());
}

TEST_F(DownloadDialogTest, UnknownSizeShowsTheBytesSoFar)
{
    TTestReply reply = TTestReply::Http(200, LanguageFile(3000), false);
    FServer.SetReply(reply);
    TfrmDownload& dialog = Open(FServer.Url("/Testisch.lng"), TDownloadKind::LanguageFile);
    ASSERT_TRUE(WaitUntil([&] { return dialog.Installed(); }));
    EXPECT_EQ(FAtMessage, "Downloaded 2 kB");
}

}  // namespace
}  // namespace lirabo::test
