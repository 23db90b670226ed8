// Test entry point for the window layers: a QApplication on the offscreen
// platform at the fixed 96 DPI, the compiled resources, and no message box
// that ever blocks.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/gui/DialogUnits.h"
#include "res/Resources.h"
#include "tests/common/MessageBoxSpy.h"

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ApplyFixedDpiPolicy();
    QApplication app(argc, argv);
    InitResources();
    ::testing::InitGoogleTest(&argc, argv);
    CMessageBoxSpy::InstallSilentDefault();
    return RUN_ALL_TESTS();
}
