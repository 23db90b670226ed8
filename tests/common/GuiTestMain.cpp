// Test entry point for the window layers: a QApplication on the offscreen
// platform at the fixed 96 DPI, the compiled resources, and no message box
// that ever blocks.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/gui/DialogUnits.h"
#include "res/Resources.h"
#include "tests/common/LoopbackOnly.h"
#include "tests/common/MessageBoxSpy.h"

#if defined(__SANITIZE_THREAD__)
// Qt is not built with ThreadSanitizer: the painter hands large fills and
// image conversions to Qt's own thread pool, whose threads synchronise
// through primitives TSan does not see. What those libraries allocate and
// copy on their own threads is left out; every access of the program's code
// is still checked.
extern "C" const char* __tsan_default_suppressions()
{
    return "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libglib-2.0.so.0\n";
}
#endif

int main(int argc, char** argv)
{
    RequireLoopbackOnly();
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Print tests print to PDF files. A printer object still asks the
    // system's printing service for its printers: only this machine's own,
    // through its local socket, never a print server elsewhere.
    qputenv("CUPS_SERVER", "/run/cups/cups.sock");
    ApplyFixedDpiPolicy();
    QApplication app(argc, argv);
    InitResources();
    ::testing::InitGoogleTest(&argc, argv);
    CMessageBoxSpy::InstallSilentDefault();
    return RUN_ALL_TESTS();
}
