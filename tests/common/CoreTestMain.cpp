// Test entry point for the QtCore layers: a QCoreApplication so that posted
// messages have an event loop to wake, and no message box ever blocks.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "tests/common/LoopbackOnly.h"
#include "tests/common/MessageBoxSpy.h"

int main(int argc, char** argv)
{
    RequireLoopbackOnly();
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    CMessageBoxSpy::InstallSilentDefault();
    return RUN_ALL_TESTS();
}
