#include "main_window/message_box.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace lirabo {

namespace {

TMessageBox::TSink& Sink()
{
    static TMessageBox::TSink sink;
    return sink;
}

}  // namespace

void TMessageBox::Error(QWidget* Parent, const QString& Text)
{
    if (Sink()) {
        Sink()(Text);
        return;
    }
    QMessageBox::critical(Parent, QCoreApplication::applicationName(), Text, QMessageBox::Ok);
}

void TMessageBox::SetSink(TSink Sink)
{
    lirabo::Sink() = std::move(Sink);
}

}  // namespace lirabo
