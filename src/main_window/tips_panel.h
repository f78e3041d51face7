#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

namespace lirabo {

// The tips panel below the tabs: a bold caption, the tip's text, and the
// close, next and previous buttons stacked at the right. It builds and
// arranges itself; the window chooses the tip and connects the buttons.
class TTipsPanel : public QWidget {
public:
    explicit TTipsPanel(QWidget* Parent);

    // Places the parts for the panel's width; the caption's width follows
    // the language, so a new caption calls for it too.
    void LayoutTips();

    QLabel* lblTips = nullptr;
    QLabel* lblTip = nullptr;
    QToolButton* spdNextTip = nullptr;
    QToolButton* spdPreviousTip = nullptr;
    QToolButton* spdCloseTip = nullptr;

protected:
    void resizeEvent(QResizeEvent* Event) override;
};

}  // namespace lirabo
