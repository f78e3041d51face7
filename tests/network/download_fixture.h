#pragma once

// What every download test needs: a fresh folder, a loopback server, a way
// to run a download to its end while recording its events, and the promise
// that no worker outlives its test.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QList>
#include <QPair>
#include <QTemporaryDir>

#include <memory>

#include "download_test_server.h"
#include "network/file_download.h"
#include "wait_until.h"

namespace lirabo::test {

using network::TDownloadFailure;
using network::TFileDownload;

// The events one download fired, as they came.
struct TDownloadEvents {
    int Done = 0;
    int Errors = 0;
    QString FileName;
    qint64 FileSize = -1;
    QList<QPair<qint64, qint64>> Progress;  // total, readed

    int Ends() const { return Done + Errors; }
};

class TDownloadTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The tests talk to loopback only; a proxy from the environment
        // would take their requests elsewhere. No worker runs yet.
        for (const char* name :
             {"http_proxy", "https_proxy", "HTTP_PROXY", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
            qunsetenv(name);
    }

    void SetUp() override { ASSERT_TRUE(FDir.isValid()); }

    void TearDown() override
    {
        EXPECT_TRUE(WaitUntil([] { return TFileDownload::LiveWorkers() == 0; }, 30000));
    }

    QString Path(const QString& Name) const { return FDir.filePath(Name); }

    static void WriteFile(const QString& Path, const QByteArray& Content)
    {
        QFile file(Path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(Content), Content.size());
    }

    static QByteArray ReadFile(const QString& Path)
    {
        QFile file(Path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

    // Everything in the folder, hidden files included.
    static QStringList Entries(const QString& Folder)
    {
        return QDir(Folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                      QDir::Name);
    }

    // Hooks the events of Download to a record that outlives it.
    static std::shared_ptr<TDownloadEvents> Record(TFileDownload& Download, bool WithProgress = false)
    {
        auto events = std::make_shared<TDownloadEvents>();
        Download.OnDoneFile = [events](QObject*, const QString& FileName, qint64 Size) {
            ++events->Done;
            events->FileName = FileName;
            events->FileSize = Size;
        };
        Download.OnError = [events](QObject*) { ++events->Errors; };
        if (WithProgress)
            Download.OnProgress = [events](QObject*, qint64 Total, qint64 Readed) {
                events->Progress.append({Total, Readed});
            };
        return events;
    }

    // Starts Download and waits for its end event.
    static std::shared_ptr<TDownloadEvents> Run(TFileDownload& Download, bool WithProgress = false,
                                                int TimeoutMs = 20000)
    {
        auto events = Record(Download, WithProgress);
        Download.StartDownload();
        EXPECT_TRUE(WaitUntil([&] { return events->Ends() > 0; }, TimeoutMs));
        return events;
    }

    // A download of Path on the server into the file Target of the folder.
    TFileDownload& Prepare(TFileDownload& Download, const QString& ServerPath,
                           const QString& Target = "x.ldi")
    {
        Download.URL = FServer.Url(ServerPath);
        Download.FileName = Path(Target);
        return Download;
    }

    QTemporaryDir FDir;
    TDownloadTestServer FServer;
};

}  // namespace lirabo::test
