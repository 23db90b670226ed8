// orvane-editor: the editor and remote control of the Orvane 7734.
#include <QApplication>

#include "app/BrelinApp.h"
#include "platform/gui/DialogUnits.h"
#include "platform/gui/SystemMessageBox.h"
#include "res/Resources.h"

int main(int argc, char** argv)
{
    ApplyFixedDpiPolicy();
    QApplication app(argc, argv);
    InitResources();
    // The serial port's configuration errors show in the system's own box.
    InstallSystemMessageBoxHandler();
    if (!g_theApp.InitInstance(QCoreApplication::arguments()))
        return g_theApp.ExitInstance(0);
    const int loopResult = QApplication::exec();
    return g_theApp.ExitInstance(loopResult);
}
