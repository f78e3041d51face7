#pragma once

#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QToolButton;

namespace lirabo {

// The main window's top bar: the lookup part (label, box, the two lookup
// buttons), a divider the mouse drags, and the "Look in" part (label, list,
// the clipboard and always-on-top buttons), in one row, or in two when the
// bar is too narrow for both. It builds and arranges itself; the window
// connects to its parts and keeps the divider's place in its settings.
class TTopBar : public QWidget {
public:
    explicit TTopBar(QWidget* Parent);

    // Where the divider stands, in pixels from the left; any stored value
    // is taken, the layout keeps its sums in range.
    void SetTopIndent(int TopIndent);
    int TopIndent() const { return FTopIndent; }
    // Told of each new place while the divider is dragged.
    std::function<void(int TopIndent)> OnIndentDrag;

    QWidget* pnlLookup = nullptr;
    QLabel* lblLookup = nullptr;
    QComboBox* cmbLookup = nullptr;
    QToolButton* spdLookup = nullptr;
    QToolButton* spdLookupEx = nullptr;
    QWidget* pnlIndent = nullptr;
    QWidget* pnlLookin = nullptr;
    QLabel* lblLookIn = nullptr;
    QComboBox* cmbLookIn = nullptr;
    QToolButton* spdClipboardTranslation = nullptr;
    QToolButton* spdAlwaysOnTop = nullptr;

protected:
    void resizeEvent(QResizeEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void pnlTopResize();
    void pnlLookupResize();
    void pnlLookinResize();

    int FTopIndent = 0;
    bool FDraggingIndent = false;
};

}  // namespace lirabo
