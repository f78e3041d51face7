#include "main_window/top_bar.h"

#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>
#include <algorithm>

#include "language/language_apply.h"
#include "widgets/panel_parts.h"

namespace lirabo {

namespace {

constexpr int kDividerWidth = 5;
constexpr int kRowHeight = 50;
constexpr int kButton = 23;                 // the flat buttons
constexpr int kMinimumTopIndent = 60;       // the drag keeps the lookup part usable
constexpr int kMaximumTopIndent = 1 << 20;  // far beyond any screen, far from overflow
constexpr int kLabelTop = 4;
constexpr int kBoxTop = 20;

}  // namespace

TTopBar::TTopBar(QWidget* Parent) : QWidget(Parent)
{
    setObjectName(QStringLiteral("pnlTop"));
    setFixedHeight(kRowHeight);

    pnlLookup = new QWidget(this);
    pnlLookup->setObjectName(QStringLiteral("pnlLookup"));
    lblLookup = new QLabel(pnlLookup);
    lblLookup->setTextFormat(Qt::PlainText);
    lblLookup->setObjectName(QStringLiteral("lblLookup"));
    SetTag(lblLookup, 2001);
    cmbLookup = new QComboBox(pnlLookup);
    cmbLookup->setObjectName(QStringLiteral("cmbLookup"));
    cmbLookup->setEditable(true);
    cmbLookup->setCompleter(nullptr);
    cmbLookup->setInsertPolicy(QComboBox::NoInsert);
    cmbLookup->setDuplicatesEnabled(true);
    cmbLookup->setMaxVisibleItems(11);
    SetNameTag(cmbLookup, 9100);
    spdLookup = MakeFlatButton(pnlLookup, TIconKind::Lookup, kButton, "spdLookup");
    SetTag(spdLookup, 9017);
    SetNameTag(spdLookup, 9102);
    spdLookupEx = MakeFlatButton(pnlLookup, TIconKind::Wildcard, kButton, "spdLookupEx");
    SetTag(spdLookupEx, 9018);
    SetNameTag(spdLookupEx, 9103);

    pnlIndent = new QWidget(this);
    pnlIndent->setObjectName(QStringLiteral("pnlIndent"));
    pnlIndent->setCursor(Qt::SplitHCursor);
    pnlIndent->installEventFilter(this);

    pnlLookin = new QWidget(this);
    pnlLookin->setObjectName(QStringLiteral("pnlLookin"));
    lblLookIn = new QLabel(pnlLookin);
    lblLookIn->setTextFormat(Qt::PlainText);
    lblLookIn->setObjectName(QStringLiteral("lblLookIn"));
    SetTag(lblLookIn, 2002);
    cmbLookIn = new QComboBox(pnlLookin);
    cmbLookIn->setObjectName(QStringLiteral("cmbLookIn"));
    cmbLookIn->setMaxVisibleItems(20);
    SetNameTag(cmbLookIn, 9101);
    // Qt names a combo box on Linux by its current text: readers take the
    // name from the label that labels it.
    lblLookup->setBuddy(cmbLookup);
    lblLookIn->setBuddy(cmbLookIn);
    spdClipboardTranslation = MakeFlatButton(pnlLookin, TIconKind::Clipboard, kButton, "spdClipboardTranslation");
    spdClipboardTranslation->setCheckable(true);
    SetTag(spdClipboardTranslation, 9019);
    SetNameTag(spdClipboardTranslation, 9104);
    spdAlwaysOnTop = MakeFlatButton(pnlLookin, TIconKind::OnTop, kButton, "spdAlwaysOnTop");
    spdAlwaysOnTop->setCheckable(true);
    SetTag(spdAlwaysOnTop, 9020);
    SetNameTag(spdAlwaysOnTop, 9105);
}

void TTopBar::SetTopIndent(int TopIndent)
{
    FTopIndent = TopIndent;
    pnlTopResize();
}

void TTopBar::resizeEvent(QResizeEvent* Event)
{
    QWidget::resizeEvent(Event);
    pnlTopResize();
}

void TTopBar::pnlTopResize()
{
    const int w = width();
    // The stored value may be anything; the layout's sums must not overflow.
    const int t = std::clamp(FTopIndent, 0, kMaximumTopIndent);
    if (w < t + 60) {
        pnlIndent->setGeometry(w - kDividerWidth - 5, 0, kDividerWidth, kRowHeight);
        setFixedHeight(2 * kRowHeight);
        pnlLookup->setGeometry(0, 0, std::max(0, w - kDividerWidth - 10), kRowHeight);
        pnlLookin->setGeometry(0, kRowHeight, std::max(0, w - 5), kRowHeight);
    } else {
        pnlIndent->setGeometry(t, 0, kDividerWidth, kRowHeight);
        if (height() > kRowHeight)
            setFixedHeight(kRowHeight);
        pnlLookup->setGeometry(0, 0, t, kRowHeight);
        pnlLookin->setGeometry(t + kDividerWidth, 0, std::max(0, w - t - kDividerWidth), kRowHeight);
    }
    pnlLookupResize();
    pnlLookinResize();
}

void TTopBar::pnlLookupResize()
{
    const int w = pnlLookup->width();
    const int h = cmbLookup->sizeHint().height();
    spdLookupEx->move(w - spdLookupEx->width() - 2, kBoxTop + (h - spdLookupEx->height()) / 2);
    spdLookup->move(spdLookupEx->x() - spdLookup->width() - 1, spdLookupEx->y());
    lblLookup->adjustSize();
    lblLookup->move(5, kLabelTop);
    cmbLookup->setGeometry(5, kBoxTop, std::max(0, spdLookup->x() - 10), h);
}

void TTopBar::pnlLookinResize()
{
    const int w = pnlLookin->width();
    const int h = cmbLookIn->sizeHint().height();
    spdAlwaysOnTop->move(w - spdAlwaysOnTop->width() - 4, kBoxTop + (h - spdAlwaysOnTop->height()) / 2);
    spdClipboardTranslation->move(spdAlwaysOnTop->x() - spdClipboardTranslation->width() - 1,
                                  spdAlwaysOnTop->y());
    lblLookIn->adjustSize();
    lblLookIn->move(0, kLabelTop);
    cmbLookIn->setGeometry(0, kBoxTop, std::max(0, spdClipboardTranslation->x() - 10), h);
}

bool TTopBar::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched != pnlIndent)
        return QWidget::eventFilter(Watched, Event);
    switch (Event->type()) {
        case QEvent::MouseButtonPress:
            FDraggingIndent = true;
            pnlIndent->grabMouse();
            return true;
        case QEvent::MouseMove:
            if (FDraggingIndent) {
                const QPoint p = mapFromGlobal(static_cast<QMouseEvent*>(Event)->globalPosition().toPoint());
                FTopIndent = std::max(p.x() - 5, kMinimumTopIndent);
                if (OnIndentDrag)
                    OnIndentDrag(FTopIndent);
                pnlTopResize();
                return true;
            }
            return false;
        case QEvent::MouseButtonRelease:
            if (FDraggingIndent) {
                FDraggingIndent = false;
                pnlIndent->releaseMouse();
                return true;
            }
            return false;
        default:
            return false;
    }
}

}  // namespace lirabo
