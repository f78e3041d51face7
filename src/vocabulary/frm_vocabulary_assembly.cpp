#include "vocabulary/frm_vocabulary_assembly.h"

#include <QDir>
#include <algorithm>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "widgets/icons.h"
#include "language/language.h"
#include "language/language_apply.h"
#include "widgets/message_box.h"
#include "vocabulary/frm_vocabulary_test.h"
#include "vocabulary/vocabulary_file.h"
#include "vocabulary/vocabulary_grid.h"
#include "vocabulary/vocabulary_row.h"
#include "vocabulary/vocabulary_shuffle.h"

namespace lirabo {

namespace {

const QString kSection = QStringLiteral("VocabularyAssembly");

}  // namespace

TfrmVocabularyAssembly::TfrmVocabularyAssembly(const TLanguage& Language, QString VocabularyFolder, QWidget* Owner)
    : QDialog(Owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      FLanguage(Language),
      FVocabularyFolder(std::move(VocabularyFolder))
{
    setObjectName(QStringLiteral("frmVocabularyAssembly"));
    SetTag(this, 1);
    CreateComponents();
    resize(371, 288);
    valVocabulary->SetColumnTitles(Text(9001), Text(9002));

    ChooseOpenFile = [this] {
        return QFileDialog::getOpenFileName(this, windowTitle(), FVocabularyFolder, FileFilter());
    };
    ChooseSaveFile = [this] {
        // Asks before overwriting; no extension is added to a bare name.
        return QFileDialog::getSaveFileName(this, windowTitle(), FVocabularyFolder, FileFilter());
    };
    RunTest = [](TfrmVocabularyTest& Test) { Test.exec(); };
}

QString TfrmVocabularyAssembly::Text(int Key) const
{
    return FLanguage.ReadLanguageText(kSection, Key);
}

QString TfrmVocabularyAssembly::FileFilter() const
{
    // The dialog reads its pattern from the parentheses of the text; a
    // translation that lost them still filters.
    const QString text = Text(9004);
    return text.contains(QLatin1String("(*.lvf)")) ? text : text + QLatin1String(" (*.lvf)");
}

void TfrmVocabularyAssembly::CreateComponents()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);

    tlbToolbar = new QToolBar(this);
    tlbToolbar->setObjectName(QStringLiteral("tlbToolbar"));
    tlbToolbar->setIconSize(QSize(32, 32));
    SetNameTag(tlbToolbar, 9106);
    // The buttons show only icons: each is named for screen readers.
    const auto addButton = [this](const char* Name, int Tag, int NameKey, TIconKind Icon) {
        auto* button = Named(new QToolButton(tlbToolbar), Name, Tag);
        SetNameTag(button, NameKey);
        button->setIcon(MakeIcon(Icon));
        button->setIconSize(QSize(32, 32));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        button->setAutoRaise(true);
        tlbToolbar->addWidget(button);
        return button;
    };
    tlbNew = addButton("tlbNew", 3005, 9101, TIconKind::NewList);
    tlbOpen = addButton("tlbOpen", 3006, 9102, TIconKind::OpenList);
    tlbSave = addButton("tlbSave", 3007, 9103, TIconKind::SaveList);
    tlbToolbar->addSeparator();
    tlbRandomize = addButton("tlbRandomize", 3008, 9104, TIconKind::Shuffle);
    tlbHideList = addButton("tlbHideList", 3009, 9105, TIconKind::HideList);
    tlbHideList->setCheckable(true);
    layout->addWidget(tlbToolbar);

    auto* body = new QHBoxLayout;
    layout->addLayout(body, 1);
    // The covering panel shares the grid's cell and lies over it.
    auto* listArea = new QGridLayout;
    valVocabulary = new TVocabularyGrid(this);
    valVocabulary->setObjectName(QStringLiteral("valVocabulary"));
    SetNameTag(valVocabulary, 9100);
    listArea->addWidget(valVocabulary, 0, 0);
    pnlHidden = Named(new QLabel(this), "pnlHidden", 4001);
    pnlHidden->setAlignment(Qt::AlignCenter);
    pnlHidden->setFrameShape(QFrame::StyledPanel);
    pnlHidden->setAutoFillBackground(true);
    pnlHidden->hide();
    listArea->addWidget(pnlHidden, 0, 0);
    body->addLayout(listArea, 1);

    auto* buttons = new QVBoxLayout;
    btnRun = Named(new QPushButton(this), "btnRun", 3001);
    btnAddRow = Named(new QPushButton(this), "btnAddRow", 3003);
    btnDeleteRow = Named(new QPushButton(this), "btnDeleteRow", 3004);
    btnClose = Named(new QPushButton(this), "btnClose", 3002);
    for (QPushButton* button : {btnRun, btnAddRow, btnDeleteRow, btnClose}) {
        // Return belongs to the grid's editing, not to a default button.
        button->setAutoDefault(false);
    }
    buttons->addWidget(btnRun);
    buttons->addWidget(btnAddRow);
    buttons->addWidget(btnDeleteRow);
    buttons->addStretch(1);
    buttons->addWidget(btnClose);
    body->addLayout(buttons);

    connect(tlbNew, &QToolButton::clicked, this, [this] { tlbNewClick(true); });
    connect(tlbOpen, &QToolButton::clicked, this, [this] { tlbOpenClick(); });
    connect(tlbSave, &QToolButton::clicked, this, [this] { tlbSaveClick(); });
    connect(tlbRandomize, &QToolButton::clicked, this, [this] { tlbRandomizeClick(); });
    connect(tlbHideList, &QToolButton::clicked, this, [this] { tlbHideListClick(); });
    connect(btnRun, &QPushButton::clicked, this, [this] { btnRunClick(); });
    connect(btnAddRow, &QPushButton::clicked, this, [this] { btnAddRowClick(); });
    connect(btnDeleteRow, &QPushButton::clicked, this, [this] { btnDeleteRowClick(); });
    connect(btnClose, &QPushButton::clicked, this, &TfrmVocabularyAssembly::reject);
    connect(valVocabulary, &TVocabularyGrid::Changed, this, [this] { FModified = true; });
}

QStringList TfrmVocabularyAssembly::Lines() const
{
    return valVocabulary->Lines();
}

bool TfrmVocabularyAssembly::ListHidden() const
{
    return !pnlHidden->isHidden();
}

void TfrmVocabularyAssembly::SetHidden(bool Hidden)
{
    tlbHideList->setChecked(Hidden);
    pnlHidden->setVisible(Hidden);
}

bool TfrmVocabularyAssembly::OfferSave(int QuestionKey)
{
    switch (TMessageBox::Question(this, Text(QuestionKey), true)) {
    case TMessageBox::TAnswer::Cancel:
        return false;
    case TMessageBox::TAnswer::Yes:
        // A save that was cancelled or failed keeps the list.
        return tlbSaveClick();
    default:
        return true;
    }
}

void TfrmVocabularyAssembly::tlbNewClick(bool Ask)
{
    if (Ask && !OfferSave(8001))
        return;
    valVocabulary->ClearRows();
    valVocabulary->setFocus();
    FModified = false;
}

void TfrmVocabularyAssembly::tlbOpenClick()
{
    const QString path = ChooseOpenFile();
    if (!path.isEmpty())
        OpenFile(path);
}

bool TfrmVocabularyAssembly::tlbSaveClick()
{
    const QString path = ChooseSaveFile();
    return !path.isEmpty() && SaveFile(path);
}

bool TfrmVocabularyAssembly::OpenFile(const QString& Path)
{
    QStringList lines;
    const TVocabularyFile::TResult result = TVocabularyFile::Load(Path, lines);
    if (!result.Ok()) {
        ShowFileError(Path, static_cast<int>(result.Status), result.Error);
        return false;
    }
    valVocabulary->SetLines(lines);
    FModified = false;
    FLastFile = Path;
    return true;
}

bool TfrmVocabularyAssembly::SaveFile(const QString& Path)
{
    const TVocabularyFile::TResult result = TVocabularyFile::Save(Path, Lines());
    if (!result.Ok()) {
        ShowFileError(Path, static_cast<int>(result.Status), result.Error);
        return false;
    }
    FModified = false;
    FLastFile = Path;
    return true;
}

void TfrmVocabularyAssembly::ShowFileError(const QString& Path, int Status, const QString& Error)
{
    const bool notAList = Status == static_cast<int>(TVocabularyFile::TStatus::NotAList);
    TMessageBox::Error(this, (notAList ? Text(8004) : Error) + QLatin1String("\n\n") + QDir::toNativeSeparators(Path));
}

void TfrmVocabularyAssembly::tlbRandomizeClick()
{
    QStringList lines = Lines();
    if (lines.size() < 2)
        return;
    ShuffleRows(lines);
    valVocabulary->SetLines(lines);
    FModified = true;
}

void TfrmVocabularyAssembly::tlbHideListClick()
{
    pnlHidden->setVisible(tlbHideList->isChecked());
}

void TfrmVocabularyAssembly::btnAddRowClick()
{
    valVocabulary->AddRow();
    valVocabulary->setFocus();
}

void TfrmVocabularyAssembly::btnDeleteRowClick()
{
    valVocabulary->DeleteRow();
    valVocabulary->setFocus();
}

void TfrmVocabularyAssembly::btnRunClick()
{
    const QStringList lines = Lines();
    if (std::any_of(lines.begin(), lines.end(), IsBlankRow)) {
        TMessageBox::Information(this, Text(8003));
        return;
    }
    if (lines.isEmpty()) {
        TMessageBox::Information(this, Text(8002));
        return;
    }
    SetHidden(true);
    {
        TfrmVocabularyTest test(FLanguage, parentWidget() ? parentWidget() : this);
        ApplyLanguageToControl(FLanguage, &test, QStringLiteral("VocabularyTest"));
        test.FWordList = lines;
        test.FCurrentIndex = 0;
        test.ShowWord();
        RunTest(test);
    }
    SetHidden(false);
}

void TfrmVocabularyAssembly::reject()
{
    // Closing must not throw away a list the user has not saved.
    if (FModified && valVocabulary->LineCount() > 0 && !OfferSave(8005))
        return;
    QDialog::reject();
}

}  // namespace lirabo
