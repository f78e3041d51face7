#include "vocabulary/vocabulary_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include "vocabulary/vocabulary_row.h"

namespace lirabo {

namespace {

// Kept on the source cell.
constexpr int kRawLineRole = Qt::UserRole;         // a line without "=", kept until edited
constexpr int kPlaceholderRole = Qt::UserRole + 1;  // the row an empty list shows

QString CellText(const QTableWidget& Grid, int Row, int Column)
{
    const QTableWidgetItem* item = Grid.item(Row, Column);
    return item ? item->text() : QString();
}

// A cell's editor is a control of its own while the person types, and a
// screen reader would call it only "edit": it takes its column's title.
class TNamedCellEditors : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* Parent, const QStyleOptionViewItem& Option,
                          const QModelIndex& Index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(Parent, Option, Index);
        if (editor)
            editor->setAccessibleName(Index.model()->headerData(Index.column(), Qt::Horizontal).toString());
        return editor;
    }
};

}  // namespace

TVocabularyGrid::TVocabularyGrid(QWidget* Parent) : QTableWidget(0, 2, Parent)
{
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    horizontalHeader()->setSectionsClickable(false);
    // Rows are numbered and dragged by their number; a cell itself opens
    // its editor at the first click, so it cannot start a drag.
    verticalHeader()->setSectionsMovable(true);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setItemDelegate(new TNamedCellEditors(this));
    connect(verticalHeader(), &QHeaderView::sectionMoved, this, &TVocabularyGrid::OnRowDragged);
    connect(this, &QTableWidget::itemChanged, this, &TVocabularyGrid::OnItemChanged);
    ShowPlaceholderWhenEmpty();
}

void TVocabularyGrid::SetColumnTitles(const QString& Source, const QString& Target)
{
    setHorizontalHeaderLabels({Source, Target});
}

void TVocabularyGrid::FillRow(int Row, const QString& Line, bool Placeholder)
{
    FFilling = true;
    auto* source = new QTableWidgetItem(RowSource(Line));
    if (!Line.contains(u'='))
        source->setData(kRawLineRole, Line);
    source->setData(kPlaceholderRole, Placeholder);
    setItem(Row, 0, source);
    setItem(Row, 1, new QTableWidgetItem(RowTarget(Line)));
    FFilling = false;
}

void TVocabularyGrid::ShowPlaceholderWhenEmpty()
{
    if (rowCount() > 0)
        return;
    insertRow(0);
    FillRow(0, QStringLiteral("="), true);
    setCurrentCell(0, 0);
}

bool TVocabularyGrid::IsPlaceholder(int Row) const
{
    const QTableWidgetItem* source = item(Row, 0);
    return source && source->data(kPlaceholderRole).toBool();
}

bool TVocabularyGrid::RowHasSource(int Row) const
{
    return Row >= 0 && !CellText(*this, Row, 0).isEmpty();
}

bool TVocabularyGrid::RowIsEmpty(int Row) const
{
    return CellText(*this, Row, 0).isEmpty() && CellText(*this, Row, 1).isEmpty();
}

void TVocabularyGrid::MakeReal(int Row)
{
    if (QTableWidgetItem* source = item(Row, 0)) {
        FFilling = true;
        source->setData(kPlaceholderRole, false);
        FFilling = false;
    }
}

QStringList TVocabularyGrid::Lines() const
{
    QStringList lines;
    for (int row = 0; row < rowCount(); ++row) {
        if (IsPlaceholder(row))
            continue;
        const QVariant raw = item(row, 0) ? item(row, 0)->data(kRawLineRole) : QVariant();
        lines << (raw.isValid() ? raw.toString() : MakeRow(CellText(*this, row, 0), CellText(*this, row, 1)));
    }
    return lines;
}

int TVocabularyGrid::LineCount() const
{
    int count = 0;
    for (int row = 0; row < rowCount(); ++row)
        count += IsPlaceholder(row) ? 0 : 1;
    return count;
}

void TVocabularyGrid::SetLines(const QStringList& Lines)
{
    setRowCount(0);
    setRowCount(static_cast<int>(Lines.size()));
    for (int row = 0; row < Lines.size(); ++row)
        FillRow(row, Lines[row], false);
    ShowPlaceholderWhenEmpty();
    setCurrentCell(0, 0);
}

void TVocabularyGrid::ClearRows()
{
    setRowCount(0);
    ShowPlaceholderWhenEmpty();
}

void TVocabularyGrid::CommitEdit()
{
    // The text being typed belongs to the row before any row is added.
    if (state() != QAbstractItemView::EditingState)
        return;
    QWidget* editor = QApplication::focusWidget();
    if (editor && editor != this && isAncestorOf(editor)) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void TVocabularyGrid::AddRow()
{
    CommitEdit();
    const int row = currentRow();
    if (row >= 0 && RowIsEmpty(row)) {
        MakeReal(row);
    } else {
        const int added = rowCount();
        insertRow(added);
        FillRow(added, QStringLiteral("="), false);
        setCurrentCell(added, 0);
    }
    emit Changed();
}

void TVocabularyGrid::DeleteRow()
{
    CommitEdit();
    const int row = currentRow();
    if (row < 0)
        return;
    if (row == rowCount() - 1 && rowCount() > 1)
        setCurrentCell(row - 1, std::max(0, currentColumn()));
    removeRow(row);
    ShowPlaceholderWhenEmpty();
    emit Changed();
}

void TVocabularyGrid::InsertRowAbove()
{
    const int row = std::max(0, currentRow());
    insertRow(row);
    FillRow(row, QStringLiteral("="), false);
    setCurrentCell(row, 0);
    emit Changed();
}

void TVocabularyGrid::MoveRow(int From, int To)
{
    if (From < 0 || From >= rowCount() || To < 0 || To >= rowCount() || From == To)
        return;
    CommitEdit();
    QTableWidgetItem* source = takeItem(From, 0);
    QTableWidgetItem* target = takeItem(From, 1);
    removeRow(From);
    insertRow(To);
    FFilling = true;
    setItem(To, 0, source);
    setItem(To, 1, target);
    FFilling = false;
    setCurrentCell(To, 0);
    emit Changed();
}

void TVocabularyGrid::keyPressEvent(QKeyEvent* Event)
{
    const bool ctrl = Event->modifiers() & Qt::ControlModifier;
    const int row = currentRow();
    switch (Event->key()) {
    case Qt::Key_Down:
        if (ctrl) {
            setCurrentCell(rowCount() - 1, std::max(0, currentColumn()));
            return;
        }
        if (row == rowCount() - 1) {
            CommitEdit();
            if (RowHasSource(row)) {
                const int added = rowCount();
                insertRow(added);
                FillRow(added, QStringLiteral("="), false);
                setCurrentCell(added, 0);
                emit Changed();
            }
            return;
        }
        break;
    case Qt::Key_Up:
        if (ctrl) {
            setCurrentCell(0, std::max(0, currentColumn()));
            return;
        }
        break;
    case Qt::Key_Insert:
        CommitEdit();
        if (RowHasSource(currentRow()))
            InsertRowAbove();
        return;
    case Qt::Key_Delete:
        if (ctrl) {
            DeleteRow();
            return;
        }
        break;
    default:
        break;
    }
    QTableWidget::keyPressEvent(Event);
}

void TVocabularyGrid::OnRowDragged(int, int OldVisual, int NewVisual)
{
    // The header only moved a picture of the row; the list moves the row
    // itself and the header goes back to showing rows in list order.
    QHeaderView* header = verticalHeader();
    {
        const QSignalBlocker blocker(header);
        header->moveSection(NewVisual, OldVisual);
    }
    MoveRow(OldVisual, NewVisual);
}

void TVocabularyGrid::OnItemChanged(QTableWidgetItem* Item)
{
    if (FFilling)
        return;
    const int row = Item->row();
    FFilling = true;
    // The cell shows what the file will hold.
    const QString line = Item->column() == 0 ? MakeRow(Item->text(), {}) : MakeRow({}, Item->text());
    const QString cleaned = Item->column() == 0 ? RowSource(line) : RowTarget(line);
    if (cleaned != Item->text())
        Item->setText(cleaned);
    if (QTableWidgetItem* source = item(row, 0)) {
        source->setData(kRawLineRole, QVariant());
        source->setData(kPlaceholderRole, false);
    }
    FFilling = false;
    emit Changed();
}

}  // namespace lirabo
