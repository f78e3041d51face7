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
};

// The action of a key press (Released false) or release (Released true).
// Modifier sets are compared exactly: Ctrl means Ctrl alone. The keypad flag
// is not a modifier here, so both Enter keys behave alike.
TKeyAction MainKeyAction(int Key, Qt::KeyboardModifiers Modifiers, bool Released);

}  // namespace lirabo
