#include "frm_builder.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

#include "build_summary.h"
#include "data_folders/data_folders.h"
#include "dictionary/dictionary_layout.h"
#include "language_box.h"
#include "output_name.h"

namespace makrel {

namespace {

using lirabo::ipc::TSendResult;

constexpr int kDefaultSectionSize = 256;  // as `makrel build`
constexpr int kProgressRange = 1000;
// A successful build's summary without warnings, with the line on where the
// dictionary is, fits the box a new window opens with, where the screen has
// the room; the box never gets shorter than the few lines of a failure.
constexpr int kSummaryLines = 12;
constexpr int kMinSummaryLines = 4;
// Of the screen's height, what a new window may take.
constexpr double kMaxScreenShare = 0.9;
constexpr const char* kIdleText = "Choose the source, then press Build.";

// How much of the bar each stage fills: reading and sorting dominate,
// writing compresses every section, the check reads everything once more.
constexpr std::array<int, 3> kStageStart = {0, 600, 950};
constexpr std::array<int, 3> kStageSpan = {600, 350, 50};

struct TFormat {
    const char* Name;  // makrel's --format name
    const char* Title;
    const char* Hint;
    const char* Filter;  // empty: the source is a folder
};

const std::array<TFormat, 4> kFormats = {{
    {"tsv", "Tab-separated text (.tsv)",
     "A UTF-8 text file with one entry per line: the headword, a tab, the definition.",
     "Tab-separated text (*.tsv *.txt);;All files (*)"},
    {"wordnet", "WordNet database folder",
     "The folder of a WordNet 3.0 database (data.*, index.*, *.exc); on Debian /usr/share/wordnet. "
     "Its entries are long: the default dictionaries build it with section size 64.",
     ""},
    {"dictd", "dictd dictionary (.index)",
     "The .index file, with its .dict.dz or .dict beside it. Left empty, Name and Notice come from the "
     "dictionary itself.",
     "dictd index (*.index);;All files (*)"},
    {"stardict", "StarDict dictionary (.ifo)",
     "The .ifo file, with its .idx and .dict.dz (or .dict) beside it. Left empty, Name and Notice come "
     "from the dictionary itself.",
     "StarDict information (*.ifo);;All files (*)"},
}};

struct TEncodingItem {
    TEncodingChoice Choice;
    const char* Title;
};

// Automatic first: it is the default, as in `makrel build`.
const std::array<TEncodingItem, 3> kEncodings = {{
    {TEncodingChoice::Auto, "Automatic"},
    {TEncodingChoice::Windows1252, "Windows-1252 (Western European)"},
    {TEncodingChoice::Utf8, "UTF-8 (every script)"},
}};

const char* StageText(int Stage)
{
    switch (static_cast<TBuildStage>(Stage)) {
        case TBuildStage::Reading:
            return "Reading the source…";
        case TBuildStage::Writing:
            return "Writing the dictionary…";
        case TBuildStage::Checking:
            return "Checking the dictionary…";
    }
    return "";
}

// A label's text as a screen reader should say it: no mnemonic marker, no
// colon, no ellipsis.
QString Spoken(QString Label)
{
    Label.remove('&');
    while (Label.endsWith(':') || Label.endsWith(QChar(0x2026)))
        Label.chop(1);
    return Label;
}

// Names Field for screen readers, and the line edit inside an editable list
// or a number box with it: that edit, not the box, has the focus while the
// person types, and would be announced as a bare "edit".
void NameField(QWidget* Field, const QString& Name)
{
    Field->setAccessibleName(Name);
    if (qobject_cast<QComboBox*>(Field) || qobject_cast<QAbstractSpinBox*>(Field)) {
        if (auto* edit = Field->findChild<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly))
            edit->setAccessibleName(Name);
    }
}

// Long paths have no spaces to break at; a zero-width space after each
// slash lets the label wrap them instead of widening the window.
QString Breakable(const QString& Path)
{
    QString text = Path;
    return text.replace('/', QStringLiteral("/\u200B"));
}

}  // namespace

const QStringList& TfrmBuilder::FormatNames()
{
    static const QStringList names = [] {
        QStringList list;
        for (const TFormat& format : kFormats)
            list << format.Name;
        return list;
    }();
    return names;
}

TfrmBuilder::TfrmBuilder(QString DictionariesFolder, QWidget* Parent)
    : QWidget(Parent), FProgramFolder(QCoreApplication::applicationDirPath())
{
    if (DictionariesFolder.isEmpty())
        DictionariesFolder =
            lirabo::TDataFolders::ForProgram(QCoreApplication::applicationDirPath())
                .WriteFolder(lirabo::TDataKind::Dictionaries);
    FDictionariesFolder = QDir::cleanPath(QDir(DictionariesFolder).absolutePath());

    ConfirmOverwrite = [this](const QString& FileName) {
        return QMessageBox::question(
                   this, "Replace dictionary",
                   QString("%1 already exists in the Dictionaries folder. Replace it?").arg(FileName),
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    };
    SendOpen = [](const std::string& Path, std::string& Error) {
        return lirabo::ipc::SendOpenMessageWhenReady(Path, Error);
    };
    StartProgram = [](const QString& Program, const QStringList& Arguments) {
        return QProcess::startDetached(Program, Arguments);
    };

    setWindowTitle("Build a Dictionary");
    CreateControls();
    FormatChanged();
    SetBusy(false);
}

TfrmBuilder::~TfrmBuilder()
{
    if (FJob)
        FJob->Cancel();
    if (FWorker.joinable())
        FWorker.join();
}

void TfrmBuilder::CreateControls()
{
    cmbFormat = new QComboBox(this);
    cmbFormat->setObjectName("cmbFormat");
    for (const TFormat& format : kFormats)
        cmbFormat->addItem(format.Title, QString(format.Name));
    lblFormatHint = new QLabel(this);
    lblFormatHint->setObjectName("lblFormatHint");
    lblFormatHint->setWordWrap(true);
    lblFormatHint->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);

    edtSource = new QLineEdit(this);
    edtSource->setObjectName("edtSource");
    btnBrowse = new QPushButton("Browse…", this);
    btnBrowse->setObjectName("btnBrowse");
    auto* sourceRow = new QHBoxLayout;
    sourceRow->setContentsMargins(0, 0, 0, 0);
    sourceRow->addWidget(edtSource, 1);
    sourceRow->addWidget(btnBrowse);

    edtName = new QLineEdit(this);
    edtName->setObjectName("edtName");
    edtNotice = new QLineEdit(this);
    edtNotice->setObjectName("edtNotice");
    edtNotice->setPlaceholderText("Origin and licence, for example");

    cmbHeadwordLanguage = new TLanguageBox(this);
    cmbHeadwordLanguage->setObjectName("cmbHeadwordLanguage");
    cmbHeadwordLanguage->setToolTip(
        "The language of the headwords: pick one or type its ISO 639-1 code, such as de. From the "
        "source: the language the source names, if it names one.");
    cmbDefinitionLanguage = new TLanguageBox(this);
    cmbDefinitionLanguage->setObjectName("cmbDefinitionLanguage");
    cmbDefinitionLanguage->setToolTip(
        "The language of the definitions: pick one or type its ISO 639-1 code, such as en. From the "
        "source: the language the source names, if it names one.");

    cmbEncoding = new QComboBox(this);
    cmbEncoding->setObjectName("cmbEncoding");
    for (const TEncodingItem& encoding : kEncodings)
        cmbEncoding->addItem(encoding.Title, static_cast<int>(encoding.Choice));
    cmbEncoding->setToolTip(
        "Automatic writes Windows-1252 when every character fits it, so that every version of Lirabo "
        "reads the dictionary, and UTF-8 otherwise. Windows-1252 replaces the characters it lacks "
        "(ł becomes l, IPA becomes X-SAMPA) and counts them. UTF-8 keeps every character.");

    spnSectionSize = new QSpinBox(this);
    spnSectionSize->setObjectName("spnSectionSize");
    spnSectionSize->setRange(1, lirabo::kMaxSectionSize);
    spnSectionSize->setValue(kDefaultSectionSize);
    spnSectionSize->setToolTip(
        "Entries per compressed section. Smaller sections make lookups in dictionaries with long entries "
        "faster; larger ones make the file smaller.");

    edtOutput = new QLineEdit(this);
    edtOutput->setObjectName("edtOutput");
    edtOutput->setPlaceholderText("name.ldi");
    lblFolder = new QLabel(this);
    lblFolder->setObjectName("lblFolder");
    lblFolder->setWordWrap(true);
    lblFolder->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    lblFolder->setText("Saved in " + Breakable(FDictionariesFolder));
    lblFolder->setToolTip(FDictionariesFolder);

    auto* form = new QFormLayout;
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    // Text fields widen with the window; the format list and the number keep their size.
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    // A control is named to screen readers by its label's words.
    const auto addRow = [&](const QString& Label, QWidget* Field) {
        form->addRow(Label, Field);
        NameField(Field, Spoken(Label));
    };
    addRow("&Format:", cmbFormat);
    form->addRow(QString(), lblFormatHint);
    // A row of two widgets has no buddy of its own: the label names the edit.
    auto* sourceLabel = new QLabel("&Source:", this);
    sourceLabel->setBuddy(edtSource);
    form->addRow(sourceLabel, sourceRow);
    edtSource->setAccessibleName(Spoken(sourceLabel->text()));
    addRow("&Name:", edtName);
    addRow("N&otice:", edtNotice);
    addRow("Head&word language:", cmbHeadwordLanguage);
    addRow("&Definition language:", cmbDefinitionLanguage);
    addRow("&Encoding:", cmbEncoding);
    // The three lists stacked under each other line up.
    const int listWidth =
        std::max({cmbHeadwordLanguage->sizeHint().width(), cmbDefinitionLanguage->sizeHint().width(),
                  cmbEncoding->sizeHint().width()});
    for (QComboBox* list : {static_cast<QComboBox*>(cmbHeadwordLanguage),
                            static_cast<QComboBox*>(cmbDefinitionLanguage), cmbEncoding})
        list->setMinimumWidth(listWidth);
    addRow("Section si&ze:", spnSectionSize);
    addRow("O&utput file:", edtOutput);
    form->addRow(QString(), lblFolder);

    prgBuild = new QProgressBar(this);
    prgBuild->setObjectName("prgBuild");
    prgBuild->setRange(0, kProgressRange);
    prgBuild->setValue(0);
    lblStatus = new QLabel(this);
    lblStatus->setObjectName("lblStatus");
    lblStatus->setWordWrap(true);
    lblStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblStatus->setText(kIdleText);
    txtResult = new QPlainTextEdit(this);
    txtResult->setObjectName("txtResult");
    txtResult->setReadOnly(true);
    txtResult->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    txtResult->setPlaceholderText("The summary of the build appears here.");
    txtResult->setMinimumHeight(SummaryHeight(kMinSummaryLines));

    btnBuild = new QPushButton("&Build", this);
    btnBuild->setObjectName("btnBuild");
    btnBuild->setDefault(true);
    btnCancel = new QPushButton("&Cancel", this);
    btnCancel->setObjectName("btnCancel");
    btnClose = new QPushButton("C&lose", this);
    btnClose->setObjectName("btnClose");
    for (QPushButton* button : {btnBrowse, btnBuild, btnCancel, btnClose})
        button->setAccessibleName(Spoken(button->text()));
    prgBuild->setAccessibleName("Progress");
    lblStatus->setAccessibleName("Status");
    txtResult->setAccessibleName("Summary");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnBuild);
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnClose);

    auto* main = new QVBoxLayout(this);
    main->addLayout(form);
    main->addWidget(prgBuild);
    main->addWidget(lblStatus);
    main->addWidget(txtResult, 1);
    main->addLayout(buttons);

    connect(cmbFormat, &QComboBox::currentIndexChanged, this, &TfrmBuilder::FormatChanged);
    connect(edtSource, &QLineEdit::textChanged, this, &TfrmBuilder::SourceChanged);
    connect(edtOutput, &QLineEdit::textEdited, this,
            [this](const QString& Text) { FOutputTouched = !Text.trimmed().isEmpty(); });
    connect(btnBrowse, &QPushButton::clicked, this, &TfrmBuilder::Browse);
    connect(btnBuild, &QPushButton::clicked, this, &TfrmBuilder::Build);
    connect(btnCancel, &QPushButton::clicked, this, &TfrmBuilder::CancelBuild);
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);

    setMinimumWidth(fontMetrics().averageCharWidth() * 60);
    int height =
        sizeHint().height() + std::max(0, SummaryHeight(kSummaryLines) - txtResult->sizeHint().height());
    if (const QScreen* display = screen())
        height = std::min(height, int(display->availableGeometry().height() * kMaxScreenShare));
    resize(fontMetrics().averageCharWidth() * 80, std::max(height, minimumSizeHint().height()));
}

int TfrmBuilder::SummaryHeight(int Lines) const
{
    return txtResult->fontMetrics().lineSpacing() * Lines +
           2 * (txtResult->frameWidth() + int(txtResult->document()->documentMargin()));
}

QString TfrmBuilder::CurrentFormat() const
{
    return cmbFormat->currentData().toString();
}

void TfrmBuilder::FormatChanged()
{
    const TFormat& format = kFormats[static_cast<size_t>(std::max(cmbFormat->currentIndex(), 0))];
    lblFormatHint->setText(format.Hint);
    const bool describesItself = CurrentFormat() == "dictd" || CurrentFormat() == "stardict";
    edtName->setPlaceholderText(describesItself ? "The dictionary's own name" : "Shown in Lirabo's list");
    edtSource->setPlaceholderText(*format.Filter ? "The file to read" : "The folder to read");
}

void TfrmBuilder::SourceChanged()
{
    if (!FOutputTouched)
        edtOutput->setText(DefaultOutputName(edtSource->text()));
}

void TfrmBuilder::Browse()
{
    const TFormat& format = kFormats[static_cast<size_t>(std::max(cmbFormat->currentIndex(), 0))];
    const QString current = edtSource->text().trimmed();
    const QString start = current.isEmpty() ? QDir::homePath() : current;
    const QString chosen = *format.Filter
                               ? QFileDialog::getOpenFileName(this, "Choose the source", start, format.Filter)
                               : QFileDialog::getExistingDirectory(this, "Choose the source folder", start);
    if (!chosen.isEmpty())
        edtSource->setText(QDir::toNativeSeparators(chosen));
}

void TfrmBuilder::SetBusy(bool Busy)
{
    for (QWidget* control : std::initializer_list<QWidget*>{
             cmbFormat, edtSource, btnBrowse, edtName, edtNotice, cmbHeadwordLanguage, cmbDefinitionLanguage,
             cmbEncoding, spnSectionSize, edtOutput, btnBuild})
        control->setEnabled(!Busy);
    btnCancel->setEnabled(Busy);
}

void TfrmBuilder::ShowFailure(const QString& Message)
{
    lblStatus->setText("Not built.");
    txtResult->setPlainText(Message);
    prgBuild->setValue(0);
}

void TfrmBuilder::Build()
{
    if (Busy())
        return;
    txtResult->clear();
    const QString source = edtSource->text().trimmed();
    if (source.isEmpty()) {
        ShowFailure("Choose the source to build the dictionary from.");
        return;
    }
    for (TLanguageBox* box : {cmbHeadwordLanguage, cmbDefinitionLanguage}) {
        const QString error = box->Error();
        if (!error.isEmpty()) {
            ShowFailure(QString("%1: %2").arg(box->accessibleName(), error));
            box->setFocus();
            return;
        }
    }
    QString error;
    const QString name = CheckedOutputName(edtOutput->text(), error);
    if (name.isEmpty()) {
        ShowFailure(error);
        return;
    }
    if (!QFileInfo(FDictionariesFolder).isDir()) {
        std::error_code failure;
        std::filesystem::create_directories(QFile::encodeName(FDictionariesFolder).toStdString(), failure);
        if (!QFileInfo(FDictionariesFolder).isDir()) {
            const QString reason = failure ? QString::fromLocal8Bit(failure.message())
                                           : QString("a file of that name is in the way");
            ShowFailure(
                QString("Cannot create the Dictionaries folder %1: %2").arg(FDictionariesFolder, reason));
            return;
        }
    }

    TBuildOptions options;
    options.Format = CurrentFormat().toStdString();
    options.Source = QFile::encodeName(source).toStdString();
    options.Name = edtName->text().trimmed().toStdString();
    options.Notice = edtNotice->text().trimmed().toStdString();
    options.SectionSize = spnSectionSize->value();
    options.Encoding = static_cast<TEncodingChoice>(cmbEncoding->currentData().toInt());
    options.HeadwordLanguage = cmbHeadwordLanguage->Code().toStdString();
    options.DefinitionLanguage = cmbDefinitionLanguage->Code().toStdString();
    FOutputPath = QDir(FDictionariesFolder).filePath(name);
    options.Output = QFile::encodeName(FOutputPath).toStdString();

    const QFileInfo existing(FOutputPath);
    if (existing.exists() || existing.isSymLink()) {
        if (existing.isDir()) {
            ShowFailure(QString("%1 is a folder in the Dictionaries folder; choose another name.").arg(name));
            return;
        }
        if (!ConfirmOverwrite || !ConfirmOverwrite(name)) {
            lblStatus->setText(QString("Not built: the existing %1 was kept.").arg(name));
            return;
        }
        options.ReplaceExisting = true;
    }
    StartWorker(std::move(options));
}

void TfrmBuilder::StartWorker(TBuildOptions Options)
{
    FJob = std::make_shared<TBuildJob>(std::move(Options));
    SetBusy(true);
    prgBuild->setValue(0);
    lblStatus->setText(StageText(static_cast<int>(TBuildStage::Reading)));
    const std::string path = FJob->Options().Output;
    FWorker = std::thread([this, job = FJob, send = SendOpen, path] {
        // Only stage changes and whole permille steps cross to the window, so
        // a writer's thousands of sections do not flood its event queue.
        int lastStage = -1;
        int lastPermille = -1;
        const TBuildResult result = job->Run([&](TBuildStage Stage, size_t Done, size_t Total) {
            const int stage = static_cast<int>(Stage);
            const double fraction = Total == 0 ? 0.0 : std::min(1.0, double(Done) / double(Total));
            const int permille = kStageStart[static_cast<size_t>(stage)] +
                                 int(fraction * kStageSpan[static_cast<size_t>(stage)]);
            if (stage == lastStage && permille == lastPermille)
                return;
            lastStage = stage;
            lastPermille = permille;
            QMetaObject::invokeMethod(
                this, [this, stage, permille] { Progressed(stage, permille); }, Qt::QueuedConnection);
        });
        QMetaObject::invokeMethod(
            this, [this, result] { BuildDone(result); }, Qt::QueuedConnection);
        if (result.Status != TBuildStatus::Succeeded)
            return;
        std::string error;
        const TSendResult sent = send ? send(path, error) : TSendResult::NoProgram;
        const QString message = QString::fromLocal8Bit(error);
        QMetaObject::invokeMethod(
            this, [this, sent, message] { OpenDone(sent, message); }, Qt::QueuedConnection);
    });
}

void TfrmBuilder::CancelBuild()
{
    if (!FJob || FJob->CancelRequested() || FOpening)
        return;
    FJob->Cancel();
    btnCancel->setEnabled(false);
    lblStatus->setText("Cancelling…");
}

void TfrmBuilder::Progressed(int Stage, int Permille)
{
    prgBuild->setValue(Permille);
    if (FJob && !FJob->CancelRequested())
        lblStatus->setText(StageText(Stage));
}

void TfrmBuilder::BuildDone(const TBuildResult& Result)
{
    const QString name = QFileInfo(FOutputPath).fileName();
    switch (Result.Status) {
        case TBuildStatus::Succeeded:
            prgBuild->setValue(kProgressRange);
            // Handing the file on may take a moment; there is nothing left to cancel.
            FOpening = true;
            btnCancel->setEnabled(false);
            lblStatus->setText(QString("Built %1. Opening it in Lirabo…").arg(name));
            txtResult->setPlainText(BuildSummary(Result, FOutputPath, FJob->Options().Encoding));
            return;
        case TBuildStatus::Failed:
            ShowFailure(QString::fromUtf8(Result.Error));
            lblStatus->setText("The build failed; nothing was written.");
            break;
        case TBuildStatus::Cancelled:
            prgBuild->setValue(0);
            lblStatus->setText("Cancelled; nothing was written.");
            break;
    }
    EndBuild();
}

void TfrmBuilder::OpenDone(TSendResult Sent, const QString& Error)
{
    const QString name = QFileInfo(FOutputPath).fileName();
    const QString ready = QString("The dictionary is ready in %1.").arg(FDictionariesFolder);
    QString detail;
    switch (Sent) {
        case TSendResult::Delivered:
            lblStatus->setText(QString("Built %1 and opened it in Lirabo.").arg(name));
            break;
        case TSendResult::NoProgram: {
            const QFileInfo program(QDir(FProgramFolder).filePath("lirabo"));
            if (program.isFile() && program.isExecutable() && StartProgram &&
                StartProgram(program.absoluteFilePath(), {FOutputPath})) {
                lblStatus->setText(QString("Built %1 and started Lirabo with it.").arg(name));
            } else {
                lblStatus->setText(QString("Built %1. Lirabo is not running.").arg(name));
                detail = program.exists() ? "Lirabo could not be started. " + ready : ready;
            }
            break;
        }
        case TSendResult::Failed:
            lblStatus->setText(QString("Built %1, but Lirabo did not open it.").arg(name));
            detail = QString("Lirabo did not take the dictionary: %1. %2").arg(Error, ready);
            break;
    }
    if (!detail.isEmpty()) {
        txtResult->appendPlainText(detail);
        // Appending scrolled to the end; the summary reads from its top.
        txtResult->moveCursor(QTextCursor::Start);
    }
    EndBuild();
}

void TfrmBuilder::EndBuild()
{
    // The worker posts its last message as its last act.
    if (FWorker.joinable())
        FWorker.join();
    FJob.reset();
    FOpening = false;
    SetBusy(false);
    emit BuildEnded();
    if (FCloseWhenDone) {
        FCloseWhenDone = false;
        close();
    }
}

void TfrmBuilder::closeEvent(QCloseEvent* Event)
{
    if (Busy()) {
        // Closing waits for the worker, which stops at its next report.
        FCloseWhenDone = true;
        CancelBuild();
        Event->ignore();
        return;
    }
    QWidget::closeEvent(Event);
}

}  // namespace makrel
