#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QStringList>

#include "dictionary_view/dictionary_styles.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTextEdit;

namespace lirabo {

class TLanguage;

// The test over a vocabulary list: each row's source is asked in turn, the
// typed answer must equal the target exactly, and the history shows every
// answer in colour and ends with the score and a comment chosen by it.
class TfrmVocabularyTest : public QDialog {
    Q_OBJECT

public:
    // Writes the instructions; the owner then applies section
    // "VocabularyTest", sets FWordList and FCurrentIndex and calls ShowWord.
    TfrmVocabularyTest(const TLanguage& Language, QWidget* Owner);

    // The rows being asked (source "=" target), the window's own copy.
    QStringList FWordList;
    // The row being asked.
    int FCurrentIndex = 0;

    // Appends Text as a new line of the history, that line alone in Color,
    // Style and Size points.
    void AddFormattedText(const QString& Text, const QColor& Color, TFontStyles Style, int Size);
    // Asks row FCurrentIndex.
    void ShowWord();

    int Answered() const { return FAnswered; }
    int Right() const { return FRight; }
    bool Finished() const { return FFinished; }

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void CreateComponents();
    void WriteInstructions();
    void edtWordKeyDown();
    void EndTest();
    void ShowCounts();
    QString Text(int Key) const;

    const TLanguage& FLanguage;
    int FAnswered = 0;
    int FRight = 0;
    bool FFinished = false;
    int FHistoryLines = 0;

    QGroupBox* grpWord = nullptr;
    QLabel* lblCurrentWord = nullptr;
    QLabel* lblWord = nullptr;
    QLineEdit* edtWord = nullptr;
    QGroupBox* grpResults = nullptr;
    QTextEdit* rtfHistory = nullptr;
    QLabel* lblPercentCorrect = nullptr;
    QProgressBar* prgCorrect = nullptr;
    QPushButton* btnClose = nullptr;
};

}  // namespace lirabo
