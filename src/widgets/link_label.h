#pragma once

#include <QLabel>
#include <functional>

namespace lirabo {

// A label that looks and acts like a link: blue, underlined, a hand cursor,
// and a click (or Enter or Space when it has the focus) runs OnClick. Its
// text is plain, whatever a dictionary or language file puts in it.
class TLinkLabel : public QLabel {
public:
    explicit TLinkLabel(QWidget* Parent = nullptr);

    std::function<void()> OnClick;

protected:
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
};

}  // namespace lirabo
