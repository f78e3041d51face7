#include "downloads/frm_download.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "dictionary/dictionary_header.h"
#include "language/language_file.h"
#include "language/language.h"
#include "language/language_apply.h"
#include "widgets/message_box.h"
#include "network/file_download.h"

namespace lirabo {

namespace {

using network::TDownloadFailure;
using network::TDownloadKind;

constexpr int kClientWidth = 268;
constexpr int kClientHeight = 166;

// Runs on the download's worker thread: a file that would not open is never
// put where the catalogue or the settings dialog would offer it.
bool IsDictionary(const std::string& Path)
{
    try {
        TDictionaryHeader header;
        header.LoadFromFile(Path, true);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool IsLanguageFile(const std::string& Path)
{
    TLanguageFile ini;
    return ini.LoadFromFile(Path) && ini.FileVersion() >= TLanguage::kMinimumFileVersion;
}

int ClampToInt(qint64 Value)
{
    return static_cast<int>(std::clamp<qint64>(Value, 0, std::numeric_limits<int>::max()));
}

}  // namespace

TfrmDownload::TfrmDownload(const TLanguage& Language, QWidget* Owner) : QDialog(Owner), FLanguage(Language)
{
    setObjectName(QStringLiteral("frmDownload"));
    SetTag(this, 1);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    grpDownloadDictionary = Named(new QGroupBox(this), "grpDownloadDictionary");
    lblDescription = Named(new QLabel(grpDownloadDictionary), "lblDescription", 2001);
    lblDescription->setWordWrap(true);
    lblStatus = Named(new QLabel(grpDownloadDictionary), "lblStatus");
    lblStatus->setWordWrap(true);
    prgProgress = Named(new QProgressBar(grpDownloadDictionary), "prgProgress");
    SetNameTag(prgProgress, 9100);
    prgProgress->setTextVisible(false);
    // An empty bar until the first block arrives (a 0..0 range would be
    // drawn as busy).
    prgProgress->setRange(0, 1);
    prgProgress->setValue(0);
    lblProgress = Named(new QLabel(grpDownloadDictionary), "lblProgress");
    btnCancel = Named(new QPushButton(this), "btnCancel", 3001);
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });

    auto* group = new QVBoxLayout(grpDownloadDictionary);
    group->addWidget(lblDescription);
    group->addWidget(lblStatus);
    group->addWidget(prgProgress);
    group->addWidget(lblProgress);
    group->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grpDownloadDictionary, 1);
    layout->addLayout(buttons);
    setFixedSize(kClientWidth, kClientHeight);
    if (QScreen* screen = Owner ? Owner->screen() : this->screen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

// Destroying the download stops its worker, which then ends on its own.
TfrmDownload::~TfrmDownload() = default;

QString TfrmDownload::Text(int Key) const
{
    return FLanguage.TextOrEnglish(QStringLiteral("Download"), Key);
}

void TfrmDownload::DownloadFile(const QString& URL, TDownloadKind Kind, const QString& TargetFolder)
{
    FDownloadKind = Kind;
    const std::optional<std::string> name = network::DownloadFileName(URL.toStdString(), Kind);
    if (!name) {
        ShowFailure(TLanguage::FillPlaceholders(Text(8012), {URL}));
        return;
    }
    FTargetPath = QDir(TargetFolder).filePath(QString::fromStdString(*name));

    FDownload = std::make_unique<network::TFileDownload>();
    FDownload->URL = URL;
    FDownload->FileName = FTargetPath;
    FDownload->StallSeconds = StallSeconds;
    FDownload->CheckFile = Kind == TDownloadKind::Dictionary ? IsDictionary : IsLanguageFile;
    FDownload->OnProgress = [this](QObject*, qint64 TotalSize, qint64 Readed) { DownloadProgress(TotalSize, Readed); };
    FDownload->OnDoneFile = [this](QObject*, const QString&, qint64) { DownloadDone(); };
    FDownload->OnError = [this](QObject*) { DownloadFailed(); };
    lblStatus->setText(Text(9001));
    FDownload->StartDownload();
}

void TfrmDownload::DownloadProgress(qint64 TotalSize, qint64 Readed)
{
    if (TotalSize > 0) {
        prgProgress->setRange(0, ClampToInt(TotalSize));
        prgProgress->setValue(ClampToInt(Readed));
        lblProgress->setText(TLanguage::FillNumbers(Text(9002), {Readed / 1024, TotalSize / 1024}));
        return;
    }
    // Without an announced size only the bytes so far are known; the bar
    // then shows that something is happening.
    prgProgress->setRange(0, 0);
    lblProgress->setText(TLanguage::FillNumbers(Text(9003), {Readed / 1024}));
}

void TfrmDownload::DownloadDone()
{
    FInstalled = true;
    TMessageBox::Information(this, Text(FDownloadKind == TDownloadKind::Dictionary ? 8002 : 8001));
    FDownload.reset();
    accept();
}

void TfrmDownload::DownloadFailed()
{
    int reason = 8004;
    QString detail;
    switch (FDownload->LastFailure()) {
        case TDownloadFailure::Stopped:
            // Only Cancel and closing stop a download, and both close.
            return;
        case TDownloadFailure::Address:
            ShowFailure(TLanguage::FillPlaceholders(Text(8012), {FDownload->URL}));
            return;
        case TDownloadFailure::Status:
            reason = 8005;
            detail = QString::number(FDownload->LastStatus());
            break;
        case TDownloadFailure::Short:
            reason = 8006;
            break;
        case TDownloadFailure::Empty:
            reason = 8013;
            break;
        case TDownloadFailure::TooLarge:
            reason = 8007;
            break;
        case TDownloadFailure::Stalled:
            reason = 8008;
            break;
        case TDownloadFailure::File:
            reason = 8009;
            detail = QDir::toNativeSeparators(QFileInfo(FTargetPath).absolutePath());
            break;
        case TDownloadFailure::Refused:
            reason = FDownloadKind == TDownloadKind::Dictionary ? 8010 : 8011;
            break;
        case TDownloadFailure::Setup:
            reason = 8014;
            break;
        case TDownloadFailure::None:
        case TDownloadFailure::Connection:
            break;
    }
    ShowFailure(TLanguage::FillPlaceholders(Text(reason), {detail}));
}

void TfrmDownload::ShowFailure(const QString& Reason)
{
    lblDescription->setText(Text(8003));
    lblStatus->setText(Reason);
    prgProgress->hide();
    lblProgress->hide();
    btnCancel->setText(Text(3002));
    btnCancel->setDefault(true);
    FitHeight();
}

void TfrmDownload::FitHeight()
{
    // As tall as the texts need: translations and failure reasons are
    // longer than the English waiting text the size was made for.
    const int needed = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(kClientWidth)
                                                      : layout()->totalSizeHint().height();
    setFixedSize(kClientWidth, std::max(kClientHeight, needed));
}

void TfrmDownload::showEvent(QShowEvent* Event)
{
    FitHeight();
    QDialog::showEvent(Event);
}

void TfrmDownload::btnCancelClick()
{
    reject();
}

void TfrmDownload::reject()
{
    // Cancel, Escape and the window's close button: destroying the download
    // stops its worker, which then ends on its own.
    FDownload.reset();
    QDialog::reject();
}

}  // namespace lirabo
