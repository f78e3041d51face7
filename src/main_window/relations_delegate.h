#pragma once

#include <QStyledItemDelegate>

namespace lirabo {

// Draws the rows of the relations list: part-of-speech headings bold at the
// left edge, relation headings bold and 7 pixels in, related words regular
// and 15 pixels in, all black on white. The row's mark (as the relation
// listing gives it) is kept in the item's kMarkRole.
class TRelationsDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    static constexpr int kMarkRole = Qt::UserRole;
    static constexpr int kRowHeight = 13;

    using QStyledItemDelegate::QStyledItemDelegate;

    // Indent of a row's text by its mark.
    static int TextIndent(int Mark);

    void paint(QPainter* Painter, const QStyleOptionViewItem& Option,
               const QModelIndex& Index) const override;
    QSize sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const override;
};

}  // namespace lirabo
