#include "widgets/link_label.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace lirabo {

TLinkLabel::TLinkLabel(QWidget* Parent) : QLabel(Parent)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(palette);
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint()) && OnClick)
        OnClick();
}

void TLinkLabel::keyPressEvent(QKeyEvent* Event)
{
    switch (Event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (OnClick)
                OnClick();
            return;
        default:
            QLabel::keyPressEvent(Event);
    }
}

}  // namespace lirabo
