#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include "private_runtime.h"

// Widget tests need one application object for the whole run; the platform
// is offscreen (set by the test registration).
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Test discovery runs this program without the test environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir runtime;
    lirabo::test::UsePrivateRuntimeFolder(runtime);
    lirabo::test::UsePrivateDataFolders(runtime);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
