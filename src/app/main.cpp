#include <QApplication>
#include <QFile>
#include <QStringList>
#include <QTimer>
#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "browser/browser_environment.h"
#include "clipboard/start_platform.h"
#include "ipc/instance_channel.h"
#include "ipc/instance_server.h"
#include "main_window/frm_main.h"
#include "main_window/settings.h"
#include "main_window/settings_key.h"
#include "main_window/termination_watcher.h"

namespace {

// Long enough for the window's first frame to reach the display.
constexpr int kListenDelayMs = 50;

// The file to open: the first argument. Any argument that starts with '-' may
// be one of Qt's own, which only Qt can tell apart, so such a command line
// waits for the application object.
bool FileFromArguments(int argc, char** argv, std::string& File)
{
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] == '-')
            return false;
    File = argc > 1 ? argv[1] : "";
    return true;
}

// --help and --version answer on the terminal and end at once: taken for a
// file name, they would start a window or reach the running one.
bool Informational(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf("usage: lirabo [QT-OPTIONS] [FILE.ldi]\n"
                        "Shows the dictionary FILE, or the dictionary chosen last; a running Lirabo is\n"
                        "handed FILE and brought to the front instead. See lirabo(1).\n");
            return true;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("lirabo %s\n", LIRABO_VERSION);
            return true;
        }
    }
    return false;
}

// A compositor that does not answer this fast is left to the toolkit.
constexpr int kCompositorProbeMs = 500;

// Whether copied or marked text is to be looked up, as stored.
bool TranslationStored()
{
    const lirabo::TSettingsKey key;
    return lirabo::ReadRegBoolDefault(key, QStringLiteral("ClipboardTranslation"), false) ||
           lirabo::ReadRegBoolDefault(key, QStringLiteral("SelectionTranslation"), false);
}

// The arguments for the application object: the command line, with the
// X11 platform added where only it lets copies reach the window. Checked
// before the application object exists, since it decides the platform; on
// an X11 desktop it costs nothing.
std::vector<char*> WindowArguments(int argc, char** argv)
{
    std::vector<char*> arguments(argv, argv + argc);
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (!wayland || !*wayland)
        return arguments;
    const lirabo::TStartFacts facts = lirabo::StartFactsOf(argc, argv, TranslationStored());
    if (lirabo::ChooseStartPlatform(facts, [] { return lirabo::ProbeCompositor(kCompositorProbeMs); }) ==
        lirabo::TStartPlatform::ThroughXWayland) {
        std::fprintf(stderr, "lirabo: this Wayland desktop tells programs in the background of no copies; "
                             "running through XWayland so that clipboard translation sees them\n");
        static char platform[] = "-platform";
        static char xcb[] = "xcb";
        arguments.push_back(platform);
        arguments.push_back(xcb);
    }
    return arguments;
}

// True when a running Lirabo took the file (this start then has nothing
// more to do); false when this start is to become the running one.
bool HandOver(const std::string& File, int& ExitCode)
{
    std::string error;
    switch (lirabo::ipc::SendOpenMessage(lirabo::ipc::AbsolutePath(File), error)) {
        case lirabo::ipc::TSendResult::Delivered:
            ExitCode = 0;
            return true;
        case lirabo::ipc::TSendResult::NoProgram:
            return false;
        case lirabo::ipc::TSendResult::Failed:
            break;
    }
    // A second window would take the socket from a copy that is still there.
    std::fprintf(stderr, "lirabo: Lirabo is already running but did not answer: %s\n", error.c_str());
    ExitCode = 1;
    return true;
}

}  // namespace

int main(int argc, char* argv[])
{
    // One running program per user. The check comes before the application
    // object, so that a second start that only hands over its file never
    // pays for connecting to the display.
    if (Informational(argc, argv))
        return 0;
    lirabo::ipc::TInstanceLock lock;
    std::string file;
    const bool early = FileFromArguments(argc, argv, file);
    int exitCode = 0;
    if (early && HandOver(file, exitCode))
        return exitCode;

    lirabo::PrepareBrowserEnvironment();
    std::vector<char*> windowArguments = WindowArguments(argc, argv);
    int windowArgumentCount = static_cast<int>(windowArguments.size());
    windowArguments.push_back(nullptr);
    QApplication app(windowArgumentCount, windowArguments.data());
    QApplication::setApplicationName(QStringLiteral("Lirabo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lirabo"));
    QApplication::setOrganizationName(QStringLiteral("Kestrune"));
    QApplication::setApplicationVersion(QStringLiteral(LIRABO_VERSION));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("lirabo"));

    // The first argument, when present, is a dictionary file to open.
    const QStringList arguments = QApplication::arguments();
    if (!early) {
        file = arguments.size() > 1 ? QFile::encodeName(arguments.at(1)).toStdString() : std::string();
        if (HandOver(file, exitCode))
            return exitCode;
    }
    lirabo::TfrmMain window(QString(), QFile::decodeName(QByteArray::fromStdString(file)));
    lirabo::ipc::TInstanceServer server;
    server.OnMessage = [&window](const QString& Path, const QString& ActivationToken) {
        if (Path.isEmpty())
            window.BringToFront(ActivationToken);
        else
            window.WMMakrelLookup(Path, ActivationToken);
    };
    // Making the socket costs a few milliseconds, so it waits until the
    // window is on the screen; the lock keeps a second start waiting until then, so
    // that it hands over instead of opening a window of its own.
    QTimer::singleShot(kListenDelayMs, &server, [&server, &lock] {
        if (!server.Listen())
            std::fprintf(stderr, "lirabo: other programs cannot reach this window (no local socket)\n");
        lock.Release();
    });
    // A session end or Ctrl+C closes the window the ordinary way, which
    // writes the settings.
    lirabo::TTerminationWatcher watcher({SIGTERM, SIGINT, SIGHUP}, [&window](int) { window.close(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager&) { window.FormDestroy(); });
    window.show();
    // The launch's own activation token has served its start; left in the
    // environment, it would be taken by a later bringing forward that was
    // given none, and by every program started from here.
    qunsetenv("XDG_ACTIVATION_TOKEN");
    return QApplication::exec();
}
