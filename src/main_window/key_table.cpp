#include "main_window/key_table.h"

namespace lirabo {

TKeyAction MainKeyAction(int Key, Qt::KeyboardModifiers Modifiers, bool Released)
{
    const Qt::KeyboardModifiers mods = Modifiers & ~Qt::KeypadModifier;
    if (Released) {
        if (Key != Qt::Key_Return && Key != Qt::Key_Enter)
            return TKeyAction::None;
        if (mods == Qt::ControlModifier)
            return TKeyAction::AdvancedLookUp;
        if (mods == Qt::AltModifier)
            return TKeyAction::RecordAndClear;
        return TKeyAction::LookUp;
    }
    if (Key == Qt::Key_F8)
        return TKeyAction::FocusLookup;
    if (Key == Qt::Key_F9)
        return TKeyAction::Pronounce;
    if (Key == Qt::Key_F6 && (mods == Qt::NoModifier || mods == Qt::ShiftModifier))
        return TKeyAction::SwitchPane;
    if (mods != Qt::ControlModifier)
        return TKeyAction::None;
    switch (Key) {
        case Qt::Key_Tab:
            return TKeyAction::NextTab;
        case Qt::Key_F1:
            return TKeyAction::DictionaryTab;
        case Qt::Key_F2:
            return TKeyAction::AdvancedTab;
        case Qt::Key_F3:
            return TKeyAction::InternetTab;
        default:
            return TKeyAction::None;
    }
}

TLookupScroll LookupScrollAction(int Key, Qt::KeyboardModifiers Modifiers)
{
    const Qt::KeyboardModifiers mods = Modifiers & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier) {
        if (Key == Qt::Key_PageUp)
            return TLookupScroll::PageUp;
        if (Key == Qt::Key_PageDown)
            return TLookupScroll::PageDown;
    } else if (mods == (Qt::ControlModifier | Qt::ShiftModifier)) {
        if (Key == Qt::Key_Up)
            return TLookupScroll::LineUp;
        if (Key == Qt::Key_Down)
            return TLookupScroll::LineDown;
    } else if (mods == Qt::ControlModifier) {
        if (Key == Qt::Key_Home)
            return TLookupScroll::First;
        if (Key == Qt::Key_End)
            return TLookupScroll::Last;
    }
    return TLookupScroll::None;
}

}  // namespace lirabo
