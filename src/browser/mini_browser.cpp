#include "browser/mini_browser.h"

#include <QCoreApplication>
#include <QLibrary>

namespace lirabo {

namespace {

QtMessageHandler FPreviousHandler = nullptr;

// The engine, loaded late on purpose, says that it was loaded late.
void QuietLateStart(QtMsgType Type, const QMessageLogContext& Context, const QString& Message)
{
    if (Type == QtWarningMsg && Message.startsWith(QLatin1String("Qt WebEngine seems to be initialized from a plugin")))
        return;
    if (FPreviousHandler)
        FPreviousHandler(Type, Context, Message);
    else
        qt_message_output(Type, Context, Message);
}

}  // namespace

TMiniBrowser* TMiniBrowser::Create(QWidget* Parent)
{
    // Beside the program in the build tree, in its library folder once
    // installed. The module stays loaded for the rest of the run; the engine
    // starts as it is loaded.
    FPreviousHandler = qInstallMessageHandler(QuietLateStart);
    TMiniBrowser* browser = nullptr;
    const QString folder = QCoreApplication::applicationDirPath();
    for (const QString& path : {folder + QStringLiteral("/lirabo_web_engine"),
                                folder + QStringLiteral("/../lib/lirabo/plugins/lirabo_web_engine")}) {
        QLibrary module(path);
        if (auto create = reinterpret_cast<TCreateMiniBrowser>(module.resolve(kCreateMiniBrowser))) {
            browser = create(Parent);
            break;
        }
    }
    qInstallMessageHandler(FPreviousHandler);
    return browser;
}

}  // namespace lirabo
