#pragma once

#include <Qt>

namespace lirabo {

// What a key does anywhere in the main window, before the focused control
// sees it.
enum class TKeyAction {
    None,
    LookUp,          // Enter, released, with any modifiers but Ctrl or Alt alone
    AdvancedLookUp,  // Ctrl+Enter, released
    RecordAndClear,  // Alt+Enter, released: record the word, empty the box
    NextTab,         // Ctrl+Tab
    DictionaryTab,   // Ctrl+F1
    AdvancedTab,     // Ctrl+F2
    InternetTab,     // Ctrl+F3
    FocusLookup,     // F8 with any modifiers
    Pronounce,       // F9 with any modifiers
    SwitchPane,      // F6, alone or with Shift: between the entries and the lookup box
};

// The action of a key press (Released false) or release (Released true).
// Modifier sets are compared exactly: Ctrl means Ctrl alone. The keypad flag
// is not a modifier here, so both Enter keys behave alike.
TKeyAction MainKeyAction(int Key, Qt::KeyboardModifiers Modifiers, bool Released);

// How a key pressed in the lookup box moves the entries below it. The
// person keeps typing where they are and still reads on; every other key,
// the list's Up and Down and the drop-down's Alt+Down among them, keeps its
// meaning in the box. Ctrl+Up and Ctrl+Down stay the Next and Previous
// dictionary, so a line takes Shift besides.
enum class TLookupScroll {
    None,
    PageUp,    // Page Up
    PageDown,  // Page Down
    LineUp,    // Ctrl+Shift+Up
    LineDown,  // Ctrl+Shift+Down
    First,     // Ctrl+Home
    Last,      // Ctrl+End
};

// The scrolling a key press in the lookup box asks for; modifier sets are
// compared exactly, the keypad flag aside.
TLookupScroll LookupScrollAction(int Key, Qt::KeyboardModifiers Modifiers);

}  // namespace lirabo
