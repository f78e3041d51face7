// A tool, not a test: screenshots of the download dialog at work and after a
// failure, against a loopback server that sends slowly.
//
//   download_probe OUTPUT_FOLDER

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <cstdio>

#include "download_test_server.h"
#include "downloads/frm_download.h"
#include "language/language.h"
#include "language/language_apply.h"
#include "network/file_download.h"
#include "wait_until.h"

using namespace lirabo;

namespace {

void Shoot(QDialog& Dialog, const QDir& Out, const char* Name)
{
    QCoreApplication::processEvents();
    Dialog.grab().save(Out.filePath(QLatin1String(Name)));
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: download_probe OUTPUT_FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir folder;
    TLanguage language;
    test::TDownloadTestServer server;

    // 300 kB announced, 120 kB sent, then the server waits.
    test::TTestReply slow = test::TTestReply::Http(200, QByteArray(120 * 1024, 'x'), true, 300 * 1024);
    slow.KeepOpen = true;
    server.SetReply(slow);
    {
        TfrmDownload dialog(language, nullptr);
        ApplyLanguageToControl(language, &dialog, QStringLiteral("Download"));
        dialog.DownloadFile(server.Url("/dictionaries/de-en.ldi"), network::TDownloadKind::Dictionary, folder.path());
        dialog.show();
        test::WaitUntil([&] { return dialog.findChild<QLabel*>("lblProgress")->text().contains("120 kB"); });
        Shoot(dialog, out, "download-1-at-work.png");
    }
    server.SetReply(test::TTestReply::Http(404, "<html>gone</html>"));
    {
        TfrmDownload dialog(language, nullptr);
        ApplyLanguageToControl(language, &dialog, QStringLiteral("Download"));
        dialog.DownloadFile(server.Url("/dictionaries/de-en.ldi"), network::TDownloadKind::Dictionary, folder.path());
        dialog.show();
        test::WaitUntil([&] { return !dialog.Download()->Running(); });
        Shoot(dialog, out, "download-2-failed.png");
    }
    test::WaitUntil([] { return network::TFileDownload::LiveWorkers() == 0; });
    return 0;
}
