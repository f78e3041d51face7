#pragma once

#include "main_window/main_menu.h"

class QMainWindow;

namespace lirabo {

class TDictionaryView;
class TMainTabs;
class TRelationsPanel;
class TStatusBar;
class TTipsPanel;
class TTopBar;
class TWordHintLine;

// The main window's components: the panels, the views of the first two
// tabs, the status bar and the menus, and how they are put together. Kept
// apart from the window's behaviour, as a form's design is: the window
// inherits them and connects them to its handlers. Qt parents own them.
struct TMainWindowUi {
    // Builds every component on Window, at the window's designed size.
    void SetUpUi(QMainWindow* Window);

    TTopBar* pnlTop = nullptr;
    TRelationsPanel* pnlRelations = nullptr;
    TMainTabs* pagTabs = nullptr;
    TDictionaryView* FLookupView = nullptr;
    TWordHintLine* lblWordHints = nullptr;  // above FLookupView
    TDictionaryView* FAdvancedView = nullptr;
    TTipsPanel* pnlTips = nullptr;
    TStatusBar* stbStatusBar = nullptr;
    TMainMenu Menu;
};

}  // namespace lirabo
