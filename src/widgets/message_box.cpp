#include "widgets/message_box.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace lirabo {

namespace {

TMessageBox::TSink& Sink()
{
    static TMessageBox::TSink sink;
    return sink;
}

// Texts come from language files and servers: never taken as rich text.
QMessageBox::StandardButton Show(QWidget* Parent, QMessageBox::Icon Icon, const QString& Text,
                                 QMessageBox::StandardButtons Buttons, QMessageBox::StandardButton Escape,
                                 QMessageBox::StandardButton Default = QMessageBox::NoButton)
{
    QMessageBox box(Icon, QCoreApplication::applicationName(), Text, Buttons, Parent);
    box.setTextFormat(Qt::PlainText);
    box.setEscapeButton(Escape);
    if (Default != QMessageBox::NoButton)
        box.setDefaultButton(Default);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    return clicked == QMessageBox::NoButton ? Escape : clicked;
}

}  // namespace

void TMessageBox::Error(QWidget* Parent, const QString& Text)
{
    if (Sink()) {
        Sink()(TKind::Error, Text);
        return;
    }
    Show(Parent, QMessageBox::Critical, Text, QMessageBox::Ok, QMessageBox::Ok);
}

void TMessageBox::Information(QWidget* Parent, const QString& Text)
{
    if (Sink()) {
        Sink()(TKind::Information, Text);
        return;
    }
    Show(Parent, QMessageBox::Information, Text, QMessageBox::Ok, QMessageBox::Ok);
}

TMessageBox::TAnswer TMessageBox::Question(QWidget* Parent, const QString& Text, bool WithCancel)
{
    if (Sink())
        return Sink()(WithCancel ? TKind::QuestionWithCancel : TKind::Question, Text);
    const auto buttons = WithCancel ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
                                    : QMessageBox::Yes | QMessageBox::No;
    switch (Show(Parent, QMessageBox::Question, Text, buttons, WithCancel ? QMessageBox::Cancel : QMessageBox::No)) {
    case QMessageBox::Yes:
        return TAnswer::Yes;
    case QMessageBox::Cancel:
        return TAnswer::Cancel;
    default:
        return TAnswer::No;
    }
}

TMessageBox::TAnswer TMessageBox::CautiousQuestion(QWidget* Parent, const QString& Text)
{
    if (Sink())
        return Sink()(TKind::Question, Text);
    return Show(Parent, QMessageBox::Question, Text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No,
                QMessageBox::No) == QMessageBox::Yes
               ? TAnswer::Yes
               : TAnswer::No;
}

void TMessageBox::SetSink(TSink Sink)
{
    lirabo::Sink() = std::move(Sink);
}

}  // namespace lirabo
