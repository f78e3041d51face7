#include "dictionary_view/link_accessible.h"

#include <QWidget>
#include <QWindow>

#include "dictionary_view/dictionary_view.h"

namespace lirabo {

TLinkAccessible::TLinkAccessible(TDictionaryView* View, std::string Link, std::vector<TRect> Rects)
    : FView(View), FLink(std::move(Link)), FRects(std::move(Rects))
{
}

bool TLinkAccessible::isValid() const
{
    return !FView.isNull();
}

QWindow* TLinkAccessible::window() const
{
    return FView ? FView->window()->windowHandle() : nullptr;
}

QAccessibleInterface* TLinkAccessible::parent() const
{
    return FView ? QAccessible::queryAccessibleInterface(FView.data()) : nullptr;
}

QString TLinkAccessible::text(QAccessible::Text Type) const
{
    return Type == QAccessible::Name ? QString::fromStdString(FLink) : QString();
}

QRect TLinkAccessible::rect() const
{
    if (!FView)
        return {};
    QRect united;
    for (const TRect& piece : FRects)
        united |= QRect(QPoint(piece.Left, piece.Top), QPoint(piece.Right - 1, piece.Bottom - 1));
    return QRect(FView->mapToGlobal(united.topLeft()), united.size());
}

QAccessible::State TLinkAccessible::state() const
{
    QAccessible::State state;
    if (!FView) {
        state.invalid = true;
        return state;
    }
    state.focusable = true;
    state.linked = true;
    state.focused = FView->hasFocus() && HasPiece(FView->FocusedLink());
    if (!FView->isVisible())
        state.invisible = true;
    return state;
}

void* TLinkAccessible::interface_cast(QAccessible::InterfaceType Type)
{
    return Type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
}

QStringList TLinkAccessible::actionNames() const
{
    // The first action is the one a reader's default activation performs.
    return {pressAction(), showMenuAction(), setFocusAction()};
}

void TLinkAccessible::doAction(const QString& ActionName)
{
    if (!FView)
        return;
    // The handler may look the link up, which repaints and replaces this
    // object: nothing of it is touched after the call.
    const std::string link = FLink;
    TDictionaryView* view = FView.data();
    if (ActionName == pressAction()) {
        if (view->OnLinkClick)
            view->OnLinkClick(link);
    } else if (ActionName == showMenuAction()) {
        if (view->OnLinkRightClick)
            view->OnLinkRightClick(link);
    } else if (ActionName == setFocusAction()) {
        view->setFocus(Qt::OtherFocusReason);
        view->FocusLink(FFirstPiece);
    }
}

}  // namespace lirabo
