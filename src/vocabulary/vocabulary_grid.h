#pragma once

#include <QStringList>
#include <QTableWidget>

namespace lirabo {

// The two-column grid of a vocabulary list: a row per line, the source on
// the left, the target on the right, each column half the width. An empty
// list still shows one row to type into; it becomes part of the list once
// something is typed or Add takes it. Down on the last row and Insert add
// a row only when the current row has a source; Ctrl+Delete deletes it;
// Ctrl+Up and Ctrl+Down go to the first and the last row; a row dragged by
// its number moves there.
class TVocabularyGrid : public QTableWidget {
    Q_OBJECT

public:
    explicit TVocabularyGrid(QWidget* Parent = nullptr);

    void SetColumnTitles(const QString& Source, const QString& Target);

    // The stored lines, in order. A line read without "=" comes back as it
    // was until its row is edited.
    QStringList Lines() const;
    void SetLines(const QStringList& Lines);
    // No rows; the cursor in the first row's source.
    void ClearRows();
    // The rows that Lines() gives.
    int LineCount() const;

    // Appends an empty row, or takes the current row when it is empty.
    void AddRow();
    // Deletes the current row; from the last row the cursor moves up first.
    void DeleteRow();
    // Inserts an empty row above the current one.
    void InsertRowAbove();
    void MoveRow(int From, int To);

signals:
    // The user changed the list: an edit, a row added, deleted or moved.
    void Changed();

protected:
    void keyPressEvent(QKeyEvent* Event) override;

private:
    void FillRow(int Row, const QString& Line, bool Placeholder);
    void ShowPlaceholderWhenEmpty();
    void CommitEdit();
    bool IsPlaceholder(int Row) const;
    bool RowHasSource(int Row) const;
    bool RowIsEmpty(int Row) const;
    void MakeReal(int Row);
    void OnItemChanged(QTableWidgetItem* Item);
    void OnRowDragged(int Logical, int OldVisual, int NewVisual);

    bool FFilling = false;
};

}  // namespace lirabo
