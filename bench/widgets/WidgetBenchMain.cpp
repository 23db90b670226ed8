// The main of bench_widgets: a QApplication on the offscreen platform with
// the compiled skins and the global drawing objects, then every registered
// benchmark.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "app/GlobalObjects.h"
#include "platform/gui/DialogUnits.h"
#include "res/Resources.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ApplyFixedDpiPolicy();
    QApplication app(argc, argv);
    InitResources();
    CreateGlobalObjects();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ReleaseGlobalObjects();
    return 0;
}
