#include <gtest/gtest.h>

#include <QCoreApplication>

// The exchange runs in an event loop: one application object for the run.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
