#include "main_window/status_bar.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace lirabo {

namespace {

constexpr int kTextLeft = 2;  // the panel's text starts this far in

}  // namespace

TStatusBar::TStatusBar(QWidget* Parent) : QStatusBar(Parent)
{
    setMouseTracking(true);
    setSizeGripEnabled(true);
    connect(this, &QStatusBar::messageChanged, this, [this] {
        Announce();
        update();
    });
}

void TStatusBar::ShowNotice(const QString& Text, int Milliseconds)
{
    showMessage(Text, Milliseconds);
}

QSize TStatusBar::sizeHint() const
{
    const QSize base = QStatusBar::sizeHint();
    return {base.width(), std::max(base.height(), fontMetrics().height() + 6)};
}

void TStatusBar::SetPanelOwnerDrawn()
{
    FOwnerDrawn = true;
    Announce();
    update();
}

void TStatusBar::SetOwnerDrawnWords(const QString& Words)
{
    FOwnerDrawnWords = Words;
    Announce();
}

void TStatusBar::SetQuietName(const QString& Name)
{
    FQuietName = Name;
    Announce();
}

QString TStatusBar::ShownText() const
{
    if (!currentMessage().isEmpty())
        return currentMessage();
    if (FWholeWidth)
        return FWholeWidthText;
    return FOwnerDrawn ? FOwnerDrawnWords : FPanelText;
}

void TStatusBar::Announce()
{
    const QString shown = ShownText();
    const QString name = shown.isEmpty() ? FQuietName : shown;
    // Qt tells the screen reader of every change of name, wanted or not.
    if (accessibleName() != name)
        setAccessibleName(name);
}

void TStatusBar::SetPanelText(const QString& Text)
{
    FOwnerDrawn = false;
    FPanelText = Text;
    Announce();
    update();
}

void TStatusBar::SetWholeWidthText(const QString& Text)
{
    FWholeWidth = true;
    FWholeWidthText = Text;
    Announce();
    update();
}

void TStatusBar::SetPanelMode()
{
    FWholeWidth = false;
    Announce();
    update();
}

QRect TStatusBar::PanelRect() const
{
    // The size grip keeps its corner; the panel takes the rest of the bar.
    const int grip = isSizeGripEnabled() ? style()->pixelMetric(QStyle::PM_SizeGripSize, nullptr, this) : 0;
    return QRect(0, 0, std::max(0, width() - grip), height());
}

void TStatusBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect rect = PanelRect();
    painter.fillRect(this->rect(), palette().window());
    if (FWholeWidth || !currentMessage().isEmpty()) {
        Tag = 0;
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(rect.adjusted(kTextLeft, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         currentMessage().isEmpty() ? FWholeWidthText : currentMessage());
        return;
    }
    if (FOwnerDrawn) {
        if (OnDrawPanel)
            OnDrawPanel(painter, rect);
        return;
    }
    Tag = 0;
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect.adjusted(kTextLeft, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, FPanelText);
}

void TStatusBar::mouseMoveEvent(QMouseEvent* Event)
{
    if (OnMouseMove)
        OnMouseMove(Event->position().toPoint().x());
    QStatusBar::mouseMoveEvent(Event);
}

void TStatusBar::mousePressEvent(QMouseEvent* Event)
{
    if (OnMouseDown && Event->button() == Qt::LeftButton)
        OnMouseDown(Event->position().toPoint().x());
    QStatusBar::mousePressEvent(Event);
}

}  // namespace lirabo
