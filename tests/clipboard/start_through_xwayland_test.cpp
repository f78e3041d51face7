// The real program on a Wayland desktop whose compositor lets no clipboard
// manager watch, as GNOME's: with translation on it runs through XWayland
// (here: the suite's Xvfb), and says so once; otherwise, or when the person
// chose a platform, it leaves the choice to the toolkit.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "bare_compositor.h"

namespace lirabo {
namespace {

constexpr char kNotice[] = "running through XWayland";

TEST(StartThroughXWayland, OnlyWithTranslationOnAndNoPlatformChosen)
{
    static int argc = 1;
    static char name[] = "clipboard_start_tests";
    static char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY")) << "runs under Xvfb";
    QTemporaryDir folder;
    const QString socket = folder.filePath("wayland-bare");
    TBareCompositor compositor(socket.toStdString());
    ASSERT_TRUE(compositor.Listening());

    struct TCase {
        const char* Name;
        int Translation;  // 0 none, 1 clipboard, 2 marked text
        QString Platform;
        bool ThroughXWayland;
    };
    const std::vector<TCase> cases = {
        {"clipboard translation on", 1, {}, true},
        {"marked-text translation on", 2, {}, true},
        {"translation off", 0, {}, false},
        {"a platform chosen by the person", 1, QStringLiteral("xcb"), false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        QTemporaryDir home;
        QDir(home.path()).mkpath(QStringLiteral(".config/Kestrune"));
        QDir(home.path()).mkpath(QStringLiteral("run"));
        QFile::setPermissions(home.filePath(QStringLiteral("run")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        {
            QSettings stored(home.filePath(QStringLiteral(".config/Kestrune/LiraboDesk.conf")), QSettings::IniFormat);
            stored.setValue(QStringLiteral("ClipboardTranslation"), c.Translation == 1 ? 1 : 0);
            stored.setValue(QStringLiteral("SelectionTranslation"), c.Translation == 2 ? 1 : 0);
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        if (!c.Platform.isEmpty())
            environment.insert(QStringLiteral("QT_QPA_PLATFORM"), c.Platform);
        environment.insert(QStringLiteral("WAYLAND_DISPLAY"), socket);
        environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral(".config")));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("run")));
        QProcess lirabo;
        lirabo.setProcessEnvironment(environment);
        lirabo.start(QStringLiteral(LIRABO_PATH), {});
        ASSERT_TRUE(lirabo.waitForStarted(5000));
        QByteArray said;
        QTest::qWaitFor(
            [&] {
                said += lirabo.readAllStandardError();
                return said.contains(kNotice) || lirabo.state() != QProcess::Running;
            },
            2500);
        EXPECT_EQ(said.contains(kNotice), c.ThroughXWayland) << said.constData();
        EXPECT_EQ(said.count(kNotice), c.ThroughXWayland ? 1 : 0);
        // On the refusing compositor a native window could not even start.
        if (c.ThroughXWayland)
            EXPECT_EQ(lirabo.state(), QProcess::Running) << said.constData();
        lirabo.terminate();
        if (!lirabo.waitForFinished(5000))
            lirabo.kill();
    }
}

}  // namespace
}  // namespace lirabo
