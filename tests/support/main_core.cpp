// Test entry for suites below the widgets: a QCoreApplication gives posted messages and
// the main-thread handoff an event loop.
#include "disc/DiscReaders.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    InstallDiscReaders();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
