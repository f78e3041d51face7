#pragma once

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace lirabo {

// The modal one-line question: a caption, a prompt and an edit box with OK
// and Cancel. Tests install a sink that answers instead, as with the message
// boxes.
class TInputBox {
public:
    // The text entered, or nothing when the box was cancelled.
    using TSink = std::function<std::optional<QString>(const QString& Prompt)>;

    static std::optional<QString> Ask(QWidget* Parent, const QString& Caption, const QString& Prompt,
                                      const QString& Default = {});
    // An empty sink brings the real box back.
    static void SetSink(TSink Sink);
};

}  // namespace lirabo
