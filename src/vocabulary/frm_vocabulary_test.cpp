#include "vocabulary/frm_vocabulary_test.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextEdit>

#include "language/language.h"
#include "language/language_apply.h"
#include "vocabulary/vocabulary_row.h"
#include "vocabulary/vocabulary_score.h"

namespace lirabo {

namespace {

const QString kSection = QStringLiteral("VocabularyTest");

const QColor kBlack(0, 0, 0);
const QColor kNavy(0, 0, 128);
const QColor kGreen(0, 128, 0);
const QColor kRed(255, 0, 0);

// The window keeps the size it was drawn for; the results group takes over
// the question's place at the end.
constexpr int kWidth = 267;
constexpr int kHeight = 356;
const QRect kResultsAsking(8, 104, 251, 209);
const QRect kResultsEnded(8, 8, 251, 305);
constexpr int kHistoryTop = 22;
constexpr int kHistoryAsking = 179;
constexpr int kHistoryEnded = 275;

}  // namespace

TfrmVocabularyTest::TfrmVocabularyTest(const TLanguage& Language, QWidget* Owner)
    : QDialog(Owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      FLanguage(Language)
{
    setObjectName(QStringLiteral("frmVocabularyTest"));
    SetTag(this, 1);
    setFixedSize(kWidth, kHeight);
    CreateComponents();
    WriteInstructions();
}

QString TfrmVocabularyTest::Text(int Key) const
{
    return FLanguage.ReadLanguageText(kSection, Key);
}

void TfrmVocabularyTest::CreateComponents()
{
    grpWord = Named(new QGroupBox(this), "grpWord");
    grpWord->setGeometry(8, 8, 251, 90);
    lblCurrentWord = Named(new QLabel(grpWord), "lblCurrentWord", 2001);
    lblCurrentWord->setGeometry(10, 10, 231, 18);
    lblWord = Named(new QLabel(grpWord), "lblWord");
    lblWord->setGeometry(10, 28, 231, 26);
    QFont wordFont = lblWord->font();
    wordFont.setBold(true);
    wordFont.setPointSizeF(wordFont.pointSizeF() * 1.4);
    lblWord->setFont(wordFont);
    lblWord->setTextFormat(Qt::PlainText);
    edtWord = Named(new QLineEdit(grpWord), "edtWord");
    SetNameTag(edtWord, 9100);
    lblCurrentWord->setBuddy(edtWord);
    edtWord->setGeometry(10, 56, 231, 26);
    edtWord->installEventFilter(this);

    grpResults = Named(new QGroupBox(this), "grpResults", 4001);
    grpResults->setGeometry(kResultsAsking);
    // At the end it covers the question, which must not show through.
    grpResults->setAutoFillBackground(true);
    rtfHistory = Named(new QTextEdit(grpResults), "rtfHistory");
    SetNameTag(rtfHistory, 9101);
    rtfHistory->setGeometry(8, kHistoryTop, 235, kHistoryAsking);
    rtfHistory->setReadOnly(true);
    rtfHistory->setEnabled(false);
    rtfHistory->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    lblPercentCorrect = Named(new QLabel(this), "lblPercentCorrect");
    lblPercentCorrect->setGeometry(8, 316, 251, 17);
    prgCorrect = Named(new QProgressBar(this), "prgCorrect");
    SetNameTag(prgCorrect, 9102);
    prgCorrect->setGeometry(8, 337, 168, 12);
    prgCorrect->setTextVisible(false);
    ShowCounts();
    btnClose = Named(new QPushButton(this), "btnClose", 3001);
    btnClose->setGeometry(184, 331, 75, 24);
    // Return answers; it must not close the window through a default button.
    btnClose->setAutoDefault(false);
    connect(btnClose, &QPushButton::clicked, this, &QDialog::close);
}

void TfrmVocabularyTest::WriteInstructions()
{
    FHistoryLines = 0;
    rtfHistory->clear();
    AddFormattedText(FLanguage.ReadLanguageText(kSection, 8001), kBlack, fsBold, 12);
    AddFormattedText({}, kBlack, 0, 8);
    AddFormattedText(Text(8002), kBlack, 0, 8);
    AddFormattedText({}, kBlack, 0, 8);
    AddFormattedText(Text(8003), kBlack, 0, 8);
}

void TfrmVocabularyTest::AddFormattedText(const QString& Text, const QColor& Color, TFontStyles Style, int Size)
{
    QTextCursor cursor(rtfHistory->document());
    cursor.movePosition(QTextCursor::End);
    if (FHistoryLines++ > 0)
        cursor.insertBlock();
    QTextCharFormat format;
    format.setForeground(Color);
    format.setFontWeight(Style & fsBold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(Style & fsItalic);
    format.setFontUnderline(Style & fsUnderline);
    format.setFontStrikeOut(Style & fsStrikeOut);
    format.setFontPointSize(Size);
    // An empty line keeps the height of its size too.
    cursor.setBlockCharFormat(format);
    cursor.insertText(Text, format);
}

void TfrmVocabularyTest::ShowCounts()
{
    // A bar without a range would show Qt's busy animation.
    prgCorrect->setRange(0, std::max(FAnswered, 1));
    prgCorrect->setValue(FRight);
    // Also after the last answer, when no word follows to bring it up to date.
    lblPercentCorrect->setText(TLanguage::FillNumbers(Text(2002), {FRight, FAnswered}));
}

void TfrmVocabularyTest::ShowWord()
{
    if (FCurrentIndex < 0 || FCurrentIndex >= FWordList.size())
        return;
    lblWord->setText(RowSource(FWordList[FCurrentIndex]));
    edtWord->clear();
    rtfHistory->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
}

bool TfrmVocabularyTest::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == edtWord && Event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(Event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            edtWordKeyDown();
            return true;
        }
    }
    return QDialog::eventFilter(Watched, Event);
}

void TfrmVocabularyTest::edtWordKeyDown()
{
    if (FFinished || FCurrentIndex < 0 || FCurrentIndex >= FWordList.size())
        return;
    if (FCurrentIndex == 0) {
        FHistoryLines = 0;
        rtfHistory->clear();
    }
    const QString& line = FWordList[FCurrentIndex];
    const QString target = RowTarget(line);
    AddFormattedText(RowSource(line), kNavy, fsBold, 12);
    ++FAnswered;
    if (edtWord->text() == target) {
        ++FRight;
        AddFormattedText(Text(8005), kGreen, fsBold, 10);
        AddFormattedText(Text(8009) + u' ' + target, kBlack, 0, 8);
    } else {
        AddFormattedText(Text(8006), kRed, fsBold, 10);
        AddFormattedText(Text(8007) + u' ' + target, kBlack, 0, 8);
    }
    AddFormattedText({}, kBlack, 0, 8);
    ShowCounts();
    if (FCurrentIndex < FWordList.size() - 1) {
        ++FCurrentIndex;
        ShowWord();
    } else {
        EndTest();
    }
}

void TfrmVocabularyTest::EndTest()
{
    FFinished = true;
    rtfHistory->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    rtfHistory->setEnabled(true);
    grpWord->setEnabled(false);
    grpResults->setGeometry(kResultsEnded);
    grpResults->raise();
    rtfHistory->setGeometry(8, kHistoryTop, 235, kHistoryEnded);
    AddFormattedText(Text(8010), kBlack, fsBold, 12);
    const int percent = ScorePercent(FRight, FAnswered);
    AddFormattedText(TLanguage::FillNumbers(Text(ScoreCommentKey(percent)), {percent}), kBlack, 0, 8);
    rtfHistory->moveCursor(QTextCursor::End);
    rtfHistory->ensureCursorVisible();
    rtfHistory->setFocus();
}

}  // namespace lirabo
