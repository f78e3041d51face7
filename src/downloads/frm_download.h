#pragma once

#include <QDialog>
#include <memory>

#include "network/download_name.h"

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace lirabo {

class TLanguage;
namespace network {
class TFileDownload;
}

// Installs one dictionary or language file that a link of the minibrowser
// pointed at: downloads it into the Dictionaries or Lang folder, shows the
// progress, confirms the installation and closes. A failure is shown in the
// dialog, whose Cancel then becomes Close. The owner applies section
// "Download" and runs the dialog modally.
class TfrmDownload : public QDialog {
    Q_OBJECT

public:
    TfrmDownload(const TLanguage& Language, QWidget* Owner);
    ~TfrmDownload() override;

    // Starts the download of URL into TargetFolder and returns at once. An
    // address that gives no safe file name of Kind is refused in the dialog
    // and nothing is written.
    void DownloadFile(const QString& URL, network::TDownloadKind Kind, const QString& TargetFolder);

    // Whether the file was installed (the confirmation has been shown).
    bool Installed() const { return FInstalled; }
    // The full path of the file being (or that was) installed; empty when the
    // address was refused.
    const QString& TargetPath() const { return FTargetPath; }
    // The download under way, for tests that wait for its end.
    const network::TFileDownload* Download() const { return FDownload.get(); }

    // Seconds without data that end a download; tests lower it.
    int StallSeconds = 30;

protected:
    void reject() override;
    void showEvent(QShowEvent* Event) override;

private:
    void DownloadProgress(qint64 TotalSize, qint64 Readed);
    void DownloadDone();
    void DownloadFailed();
    void ShowFailure(const QString& Reason);
    void FitHeight();
    void btnCancelClick();
    QString Text(int Key) const;

    const TLanguage& FLanguage;
    network::TDownloadKind FDownloadKind = network::TDownloadKind::None;
    std::unique_ptr<network::TFileDownload> FDownload;
    QString FTargetPath;
    bool FInstalled = false;

    QGroupBox* grpDownloadDictionary = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblStatus = nullptr;
    QProgressBar* prgProgress = nullptr;
    QLabel* lblProgress = nullptr;
    QPushButton* btnCancel = nullptr;
};

}  // namespace lirabo
