#include "main_window/relations_panel.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "language/language_apply.h"
#include "main_window/relations_delegate.h"
#include "widgets/panel_parts.h"

namespace lirabo {

namespace {

constexpr int kPanelWidth = 145;
constexpr int kButton = 20;

}  // namespace

TRelationsPanel::TRelationsPanel(QWidget* Parent) : QWidget(Parent)
{
    setObjectName(QStringLiteral("pnlRelations"));
    setFixedWidth(kPanelWidth);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 0, 0, 4);

    grpRelations = new QGroupBox(this);
    grpRelations->setObjectName(QStringLiteral("grpRelations"));
    SetNameTag(grpRelations, 9109);
    outer->addWidget(grpRelations);
    auto* inner = new QVBoxLayout(grpRelations);
    inner->setContentsMargins(4, 4, 4, 4);
    inner->setSpacing(3);
    auto* head = new QHBoxLayout;
    lblRelations = MakeCaptionLabel(grpRelations, "lblRelations");
    SetTag(lblRelations, 2005);
    spdCloseRelations = MakeFlatButton(grpRelations, TIconKind::Close, kButton, "spdCloseRelations");
    SetNameTag(spdCloseRelations, 9111);
    head->addWidget(lblRelations, 1);
    head->addWidget(spdCloseRelations);
    inner->addLayout(head);

    lstRelations = new QListWidget(grpRelations);
    lstRelations->setObjectName(QStringLiteral("lstRelations"));
    SetNameTag(lstRelations, 9109);
    lstRelations->setItemDelegate(new TRelationsDelegate(lstRelations));
    lstRelations->setUniformItemSizes(false);
    lstRelations->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    inner->addWidget(lstRelations, 1);
}

}  // namespace lirabo
