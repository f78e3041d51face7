#include "widgets/flat_button.h"

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

}  // namespace lirabo
