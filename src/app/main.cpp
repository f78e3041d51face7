#include <QApplication>
#include <QFileInfo>
#include <QStringList>
#include <csignal>

#include "main_window/frm_main.h"
#include "main_window/termination_watcher.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lirabo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lirabo"));
    QApplication::setOrganizationName(QStringLiteral("Kestrune"));
    QApplication::setApplicationVersion(QStringLiteral(LIRABO_VERSION));

    // The first argument, when present, is a dictionary file to open.
    const QStringList arguments = QApplication::arguments();
    const QString file = arguments.size() > 1 ? arguments.at(1) : QString();

    lirabo::TfrmMain window(QString(), file);
    // A session end or Ctrl+C closes the window the ordinary way, which
    // writes the settings.
    lirabo::TTerminationWatcher watcher({SIGTERM, SIGINT, SIGHUP}, [&window](int) { window.close(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.FormDestroy(); });
    window.show();
    return QApplication::exec();
}
