#include "main_window/relations_delegate.h"

#include <QPainter>

#include "dictionary/relation.h"

namespace lirabo {

int TRelationsDelegate::TextIndent(int Mark)
{
    if (Mark == TRelationRow::kPartOfSpeechHeading)
        return 0;
    if (Mark == TRelationRow::kRelationHeading)
        return 7;
    return 15;
}

void TRelationsDelegate::paint(QPainter* Painter, const QStyleOptionViewItem& Option,
                               const QModelIndex& Index) const
{
    const int mark = Index.data(kMarkRole).toInt();
    Painter->save();
    Painter->fillRect(Option.rect, Qt::white);
    QFont font = Option.font;
    font.setBold(mark < 0);
    Painter->setFont(font);
    Painter->setPen(Qt::black);
    const QRect text = Option.rect.adjusted(TextIndent(mark), 0, 0, 0);
    Painter->drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      Index.data(Qt::DisplayRole).toString());
    if (Option.state & QStyle::State_HasFocus) {
        // Only the focus frame marks the selected row.
        QPen pen(Qt::black, 1, Qt::DotLine);
        Painter->setPen(pen);
        Painter->drawRect(Option.rect.adjusted(0, 0, -1, -1));
    }
    Painter->restore();
}

QSize TRelationsDelegate::sizeHint(const QStyleOptionViewItem& Option, const QModelIndex& Index) const
{
    // Rows are 13 pixels high unless the font needs more: a clipped word
    // helps no one.
    QFont font = Option.font;
    font.setBold(Index.data(kMarkRole).toInt() < 0);
    const int height = std::max(kRowHeight, QFontMetrics(font).height());
    return {QFontMetrics(font).horizontalAdvance(Index.data(Qt::DisplayRole).toString()) + 15, height};
}

}  // namespace lirabo
