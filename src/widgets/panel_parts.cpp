#include "widgets/panel_parts.h"

#include <QLabel>
#include <QToolButton>

namespace lirabo {

QToolButton* MakeFlatButton(QWidget* Parent, TIconKind Icon, int Size, const char* Name)
{
    auto* button = new QToolButton(Parent);
    button->setObjectName(QLatin1String(Name));
    button->setAutoRaise(true);
    button->setIcon(MakeIcon(Icon));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setFixedSize(Size, Size);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QLabel* MakeCaptionLabel(QWidget* Parent, const char* Name)
{
    auto* label = new QLabel(Parent);
    label->setObjectName(QLatin1String(Name));
    label->setTextFormat(Qt::PlainText);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

}  // namespace lirabo
