// The keyboard's ways between the lookup box and the entries, and what a
// screen reader hears of a lookup.

#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include "browser/mini_browser.h"
#include "dictionary_view/dictionary_view.h"
#include "main_window/frm_main.h"
#include "main_window/top_bar.h"

namespace lirabo {

bool TfrmMain::InLookupBox(const QWidget* Widget) const
{
    return Widget && (Widget == pnlTop->cmbLookup || Widget == pnlTop->cmbLookup->lineEdit());
}

TDictionaryView* TfrmMain::ViewHolding(const QWidget* Widget) const
{
    if (!Widget)
        return nullptr;
    for (TDictionaryView* view : {FLookupView, FAdvancedView}) {
        if (view == Widget || view->isAncestorOf(Widget))
            return view;
    }
    return nullptr;
}

bool TfrmMain::LinkHasKeyboard(const QWidget* Widget) const
{
    const TDictionaryView* view = ViewHolding(Widget);
    return view && view->LinkFocused();
}

void TfrmMain::FocusLookupBox()
{
    pnlTop->cmbLookup->setFocus(Qt::ShortcutFocusReason);
    // Selected, the next word typed replaces the last one.
    pnlTop->cmbLookup->lineEdit()->selectAll();
}

void TfrmMain::SwitchPane(QWidget* From)
{
    TMiniBrowser* browser = Browser();
    const bool inPage = browser && From && (browser == From || browser->isAncestorOf(From));
    if (ViewHolding(From) || inPage) {
        FocusLookupBox();
        return;
    }
    if (TDictionaryView* view = CurrentTabView()) {
        view->FocusCurrentEntry();
        return;
    }
    // The Internet tab: its page, once there is one (the browser may be
    // disabled, or not made yet).
    if (browser && browser->isVisible())
        browser->setFocus(Qt::ShortcutFocusReason);
}

bool TfrmMain::ScrollFromLookupBox(TLookupScroll Scroll)
{
    TDictionaryView* view = CurrentTabView();
    if (Scroll == TLookupScroll::None || !view)
        return false;
    try {
        int position = 0;
        switch (Scroll) {
            case TLookupScroll::PageUp:
                view->ScrollPages(-1);
                break;
            case TLookupScroll::PageDown:
                view->ScrollPages(1);
                break;
            case TLookupScroll::LineUp:
                view->ScrollLines(-1);
                break;
            case TLookupScroll::LineDown:
                view->ScrollLines(1);
                break;
            case TLookupScroll::First:
                view->ScrollBarScroll(TDictionaryView::scTop, position);
                break;
            case TLookupScroll::Last:
                view->ScrollBarScroll(TDictionaryView::scBottom, position);
                break;
            case TLookupScroll::None:
                break;
        }
    } catch (const std::exception&) {
        // As with the wheel: a section that cannot be read leaves the
        // entries where they were, and the view shows what it could read.
    }
    return true;
}

void TfrmMain::CreateLookupSettle()
{
    FSettleTimer = new QTimer(this);
    FSettleTimer->setSingleShot(true);
    FSettleTimer->setInterval(kLookupSettleMs);
    connect(FSettleTimer, &QTimer::timeout, this, [this] { LookupSettled(); });
}

void TfrmMain::ScheduleLookupSettled()
{
    FSettleTimer->start();
}

void TfrmMain::LookupSettled()
{
    FSettleTimer->stop();
    const TDictionaryView* view = CurrentTabView();
    const QString line = view ? view->CurrentEntryLine() : QString();
    // A screen reader reads the focused control's description: the line
    // edit's while typing, the combo's where the tool reads the box whole.
    // An unchanged line is not set again, so that nothing is said twice.
    for (QWidget* box : {static_cast<QWidget*>(pnlTop->cmbLookup), static_cast<QWidget*>(pnlTop->cmbLookup->lineEdit())}) {
        if (box->accessibleDescription() != line)
            box->setAccessibleDescription(line);
    }
}

}  // namespace lirabo
