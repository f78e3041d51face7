// The top bar: the lookup part, the draggable divider and the "Look in" part,
// in one row, or in two when the bar is too narrow for both.

#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>
#include <algorithm>

#include "main_window/frm_main.h"

namespace lirabo {

namespace {

constexpr int kDividerWidth = 5;
constexpr int kRowHeight = 50;
constexpr int kMinimumTopIndent = 60;       // the drag keeps the lookup part usable
constexpr int kMaximumTopIndent = 1 << 20;  // far beyond any screen, far from overflow
constexpr int kLabelTop = 4;
constexpr int kBoxTop = 20;

}  // namespace

void TfrmMain::pnlTopResize()
{
    const int w = pnlTop->width();
    // The stored value may be anything; the layout's sums must not overflow.
    const int t = std::clamp(FSettings.TopIndent, 0, kMaximumTopIndent);
    if (w < t + 60) {
        pnlIndent->setGeometry(w - kDividerWidth - 5, 0, kDividerWidth, kRowHeight);
        pnlTop->setFixedHeight(2 * kRowHeight);
        pnlLookup->setGeometry(0, 0, std::max(0, w - kDividerWidth - 10), kRowHeight);
        pnlLookin->setGeometry(0, kRowHeight, std::max(0, w - 5), kRowHeight);
    } else {
        pnlIndent->setGeometry(t, 0, kDividerWidth, kRowHeight);
        if (pnlTop->height() > kRowHeight)
            pnlTop->setFixedHeight(kRowHeight);
        pnlLookup->setGeometry(0, 0, t, kRowHeight);
        pnlLookin->setGeometry(t + kDividerWidth, 0, std::max(0, w - t - kDividerWidth), kRowHeight);
    }
    pnlLookupResize();
    pnlLookinResize();
}

void TfrmMain::pnlLookupResize()
{
    const int w = pnlLookup->width();
    const int h = cmbLookup->sizeHint().height();
    spdLookupEx->move(w - spdLookupEx->width() - 2, kBoxTop + (h - spdLookupEx->height()) / 2);
    spdLookup->move(spdLookupEx->x() - spdLookup->width() - 1, spdLookupEx->y());
    lblLookup->adjustSize();
    lblLookup->move(5, kLabelTop);
    cmbLookup->setGeometry(5, kBoxTop, std::max(0, spdLookup->x() - 10), h);
}

void TfrmMain::pnlLookinResize()
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

bool TfrmMain::HandleIndentEvent(QEvent* Event)
{
    switch (Event->type()) {
        case QEvent::MouseButtonPress:
            FDraggingIndent = true;
            pnlIndent->grabMouse();
            return true;
        case QEvent::MouseMove:
            if (FDraggingIndent) {
                const QPoint p =
                    pnlTop->mapFromGlobal(static_cast<QMouseEvent*>(Event)->globalPosition().toPoint());
                FSettings.TopIndent = std::max(p.x() - 5, kMinimumTopIndent);
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
