#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace lirabo {

// The modal error message with one OK button that the window shows for
// faults the user must know of. Tests install a sink instead, so that no
// modal box waits for a click that never comes (start-up can report too).
class TMessageBox {
public:
    using TSink = std::function<void(const QString& Text)>;

    static void Error(QWidget* Parent, const QString& Text);
    // An empty sink brings the real box back.
    static void SetSink(TSink Sink);
};

}  // namespace lirabo
