#pragma once

#include <QTabWidget>

class QLabel;
class QRadioButton;

namespace lirabo {

class TDictionaryView;
class TInternetPage;
class TWordHintLine;

// The main window's three tabs: Dictionary (a dictionary view), Advanced
// (the row that chooses what a search looks in, above a second view) and
// Internet. They build themselves; the window wires the views and the
// search row, and makes the Internet tab's browser when it is first shown.
class TMainTabs : public QTabWidget {
public:
    enum : int { kDictionaryTab = 0, kAdvancedTab = 1, kInternetTab = 2 };

    explicit TMainTabs(QWidget* Parent);

    QWidget* tabLookup = nullptr;
    QWidget* tabAdvancedLookup = nullptr;
    TInternetPage* tabMinibrowser = nullptr;
    TDictionaryView* LookupView = nullptr;
    // The word forms and suggestions above the lookup view.
    TWordHintLine* lblWordHints = nullptr;
    TDictionaryView* AdvancedView = nullptr;

    // The Advanced tab's row: search the headwords or the definitions.
    QWidget* pnlSearchIn = nullptr;
    QLabel* lblSearchIn = nullptr;
    QRadioButton* rbnHeadwords = nullptr;
    QRadioButton* rbnDefinitions = nullptr;
};

}  // namespace lirabo
