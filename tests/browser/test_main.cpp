#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "browser/browser_environment.h"
#include "private_runtime.h"

// The engine needs its process set up before the application object, and
// no graphics card here.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
    lirabo::PrepareBrowserEnvironment();
    QTemporaryDir runtime;
    lirabo::test::UsePrivateRuntimeFolder(runtime);
    lirabo::test::UsePrivateDataFolders(runtime);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
