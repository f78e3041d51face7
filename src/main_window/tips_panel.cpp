#include "main_window/tips_panel.h"

#include <QLabel>
#include <QToolButton>
#include <algorithm>

#include "language/language_apply.h"
#include "widgets/panel_parts.h"

namespace lirabo {

namespace {

constexpr int kPanelHeight = 58;
constexpr int kButton = 20;

}  // namespace

TTipsPanel::TTipsPanel(QWidget* Parent) : QWidget(Parent)
{
    setObjectName(QStringLiteral("pnlTips"));
    setFixedHeight(kPanelHeight);
    SetNameTag(this, 9112);
    lblTips = MakeCaptionLabel(this, "lblTips");
    SetTag(lblTips, 2003);
    lblTip = new QLabel(this);
    lblTip->setTextFormat(Qt::PlainText);
    lblTip->setObjectName(QStringLiteral("lblTip"));
    lblTip->setWordWrap(true);
    lblTip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    spdNextTip = MakeFlatButton(this, TIconKind::Next, kButton, "spdNextTip");
    SetTag(spdNextTip, 3008);
    SetNameTag(spdNextTip, 9113);
    spdPreviousTip = MakeFlatButton(this, TIconKind::Previous, kButton, "spdPreviousTip");
    SetTag(spdPreviousTip, 3009);
    SetNameTag(spdPreviousTip, 9114);
    spdCloseTip = MakeFlatButton(this, TIconKind::Close, kButton, "spdCloseTip");
    SetTag(spdCloseTip, 3010);
    SetNameTag(spdCloseTip, 9115);
}

void TTipsPanel::resizeEvent(QResizeEvent* Event)
{
    QWidget::resizeEvent(Event);
    LayoutTips();
}

void TTipsPanel::LayoutTips()
{
    const int w = width();
    const int buttonLeft = w - spdNextTip->width() - 4;
    spdCloseTip->move(buttonLeft, 0);
    spdNextTip->move(buttonLeft, 19);
    spdPreviousTip->move(buttonLeft, 38);
    lblTips->adjustSize();
    lblTips->move(8, 4);
    const int tipLeft = lblTips->x() + lblTips->width() + 10;
    lblTip->setGeometry(tipLeft, 4, std::max(0, w - tipLeft - spdNextTip->width() - 10), height() - 6);
}

}  // namespace lirabo
