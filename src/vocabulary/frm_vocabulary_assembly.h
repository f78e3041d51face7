#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <functional>

class QLabel;
class QPushButton;
class QToolBar;
class QToolButton;

namespace lirabo {

class TLanguage;
class TVocabularyGrid;
class TfrmVocabularyTest;

// The vocabulary list window: a list of word pairs to edit, keep in .lvf
// files, shuffle and be tested on.
class TfrmVocabularyAssembly : public QDialog {
    Q_OBJECT

public:
    // VocabularyFolder is where the file dialogs start. Owner also owns the
    // test window.
    TfrmVocabularyAssembly(const TLanguage& Language, QString VocabularyFolder, QWidget* Owner);

    // New: with Ask, the question whether to save first; without, as the
    // main window calls it when it opens the window.
    void tlbNewClick(bool Ask);
    void tlbOpenClick();
    // Returns whether the list was written.
    bool tlbSaveClick();
    void tlbRandomizeClick();
    void tlbHideListClick();
    void btnRunClick();
    void btnAddRowClick();
    void btnDeleteRowClick();

    // Replaces the list with the file at Path; false (the list unchanged,
    // the reason shown) when it cannot be read or is not a list.
    bool OpenFile(const QString& Path);
    // Writes the list to Path; false when it fails (shown).
    bool SaveFile(const QString& Path);

    TVocabularyGrid* Grid() const { return valVocabulary; }
    QStringList Lines() const;
    bool Modified() const { return FModified; }
    bool ListHidden() const;
    // The file last opened or saved here, empty before any.
    QString LastFile() const { return FLastFile; }

    // --- seams for tests -----------------------------------------------------

    // The chosen file or the empty text when the dialog was cancelled.
    std::function<QString()> ChooseOpenFile;
    std::function<QString()> ChooseSaveFile;
    // Runs the prepared test window; modally unless replaced.
    std::function<void(TfrmVocabularyTest& Test)> RunTest;

public slots:
    void reject() override;

private:
    void CreateComponents();
    QString Text(int Key) const;
    QString FileFilter() const;
    void ShowFileError(const QString& Path, int Status, const QString& Error);
    void SetHidden(bool Hidden);
    // Asks whether to save first: false when the list must stay (Cancel, or
    // a save that was cancelled or failed).
    bool OfferSave(int QuestionKey);

    const TLanguage& FLanguage;
    QString FVocabularyFolder;
    QString FLastFile;
    bool FModified = false;

    QToolBar* tlbToolbar = nullptr;
    QToolButton* tlbNew = nullptr;
    QToolButton* tlbOpen = nullptr;
    QToolButton* tlbSave = nullptr;
    QToolButton* tlbRandomize = nullptr;
    QToolButton* tlbHideList = nullptr;
    TVocabularyGrid* valVocabulary = nullptr;
    QLabel* pnlHidden = nullptr;
    QPushButton* btnRun = nullptr;
    QPushButton* btnAddRow = nullptr;
    QPushButton* btnDeleteRow = nullptr;
    QPushButton* btnClose = nullptr;
};

}  // namespace lirabo
