#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "build_job.h"
#include "ipc/instance_channel.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace makrel {

class TLanguageBox;

// The dictionary builder window: a source in one of makrel's input formats,
// the descriptive texts, the languages, the encoding and the output name in; a dictionary in the
// Dictionaries folder out, built on a worker thread, checked and handed to
// Lirabo.
class TfrmBuilder : public QWidget {
    Q_OBJECT

public:
    // The formats in the order of the format list, as makrel names them.
    static const QStringList& FormatNames();

    // DictionariesFolder receives the dictionaries; empty means the folder
    // where Lirabo keeps new dictionaries (beside a portable program, in the
    // user's data folder when installed).
    explicit TfrmBuilder(QString DictionariesFolder = {}, QWidget* Parent = nullptr);
    ~TfrmBuilder() override;

    QString DictionariesFolder() const { return FDictionariesFolder; }
    // Where Lirabo is looked for when none is running; default: the
    // program's own folder.
    void SetProgramFolder(const QString& Folder) { FProgramFolder = Folder; }
    bool Busy() const { return FWorker.joinable(); }

    // Whether to replace the existing dictionary FileName (a name inside the
    // Dictionaries folder). Default: asks the user. Called on the window's
    // thread.
    std::function<bool(const QString& FileName)> ConfirmOverwrite;
    // Hands the finished dictionary (absolute path) to a running Lirabo.
    // Called on the worker thread, since it may wait for an answer.
    std::function<lirabo::ipc::TSendResult(const std::string& Path, std::string& Error)> SendOpen;
    // Starts Program detached; false when it could not be started. Called on
    // the window's thread.
    std::function<bool(const QString& Program, const QStringList& Arguments)> StartProgram;

public slots:
    void Build();
    void CancelBuild();

signals:
    // A build has ended (built and handed on, failed or cancelled) and the
    // window takes the next one.
    void BuildEnded();

protected:
    void closeEvent(QCloseEvent* Event) override;

private:
    void CreateControls();
    void FormatChanged();
    void SourceChanged();
    void Browse();
    void SetBusy(bool Busy);
    void ShowFailure(const QString& Message);
    void StartWorker(TBuildOptions Options);
    void Progressed(int Stage, int Permille);
    void BuildDone(const TBuildResult& Result);
    void OpenDone(lirabo::ipc::TSendResult Sent, const QString& Error);
    void EndBuild();
    QString CurrentFormat() const;
    int SummaryHeight(int Lines) const;  // of the summary box showing Lines lines

    QString FDictionariesFolder;
    QString FProgramFolder;
    QString FOutputPath;          // of the build under way
    bool FOutputTouched = false;  // the user typed the output name: a new source keeps it
    bool FCloseWhenDone = false;
    bool FOpening = false;  // built; being handed to Lirabo
    std::shared_ptr<TBuildJob> FJob;
    std::thread FWorker;

    QComboBox* cmbFormat = nullptr;
    QLabel* lblFormatHint = nullptr;
    QLineEdit* edtSource = nullptr;
    QPushButton* btnBrowse = nullptr;
    QLineEdit* edtName = nullptr;
    QLineEdit* edtNotice = nullptr;
    TLanguageBox* cmbHeadwordLanguage = nullptr;
    TLanguageBox* cmbDefinitionLanguage = nullptr;
    QComboBox* cmbEncoding = nullptr;
    QSpinBox* spnSectionSize = nullptr;
    QLineEdit* edtOutput = nullptr;
    QLabel* lblFolder = nullptr;
    QProgressBar* prgBuild = nullptr;
    QLabel* lblStatus = nullptr;
    QPlainTextEdit* txtResult = nullptr;
    QPushButton* btnBuild = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnClose = nullptr;
};

}  // namespace makrel
