#include "widgets/input_box.h"

#include <QInputDialog>
#include <QLabel>

namespace lirabo {

namespace {

TInputBox::TSink& Sink()
{
    static TInputBox::TSink sink;
    return sink;
}

}  // namespace

std::optional<QString> TInputBox::Ask(QWidget* Parent, const QString& Caption, const QString& Prompt,
                                      const QString& Default)
{
    if (Sink())
        return Sink()(Prompt);
    QInputDialog box(Parent);
    box.setWindowTitle(Caption);
    box.setLabelText(Prompt);
    box.setTextValue(Default);
    box.setInputMode(QInputDialog::TextInput);
    // Prompts are whole sentences; unwrapped, the box grows as wide as them.
    if (auto* label = box.findChild<QLabel*>())
        label->setWordWrap(true);
    box.setMinimumWidth(360);
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return box.textValue();
}

void TInputBox::SetSink(TSink Sink)
{
    lirabo::Sink() = std::move(Sink);
}

}  // namespace lirabo
