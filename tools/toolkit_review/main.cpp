// orvane-toolkit-review <out-folder> [sheet...]
// Writes <out-folder>/<sheet>.png for every registered sheet, or for the
// sheets named, so that a developer can look at what a user sees.
#include <cstdio>
#include <map>
#include <string>

#include <QApplication>
#include <QDir>

#include "app/GlobalObjects.h"
#include "platform/gui/DialogUnits.h"
#include "res/Resources.h"
#include "tools/toolkit_review/ReviewSheet.h"

namespace {
std::map<std::string, ReviewRender>& Sheets()
{
    static std::map<std::string, ReviewRender> sheets;
    return sheets;
}
}  // namespace

bool RegisterReviewSheet(const char* name, ReviewRender render)
{
    Sheets()[name] = render;
    return true;
}

int main(int argc, char** argv)
{
    ApplyFixedDpiPolicy();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Printed sheets go to PDF files; printers are asked of this machine's
    // own printing service only, through its local socket.
    qputenv("CUPS_SERVER", "/run/cups/cups.sock");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: orvane-toolkit-review <out-folder> [sheet...]\nsheets:");
        for (const auto& sheet : Sheets())
            std::fprintf(stderr, " %s", sheet.first.c_str());
        std::fprintf(stderr, "\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "cannot make %s\n", argv[1]);
        return 1;
    }
    InitResources();
    CreateGlobalObjects();
    int status = 0;
    for (const auto& sheet : Sheets()) {
        bool wanted = argc == 2;
        for (int i = 2; i < argc; ++i)
            wanted = wanted || sheet.first == argv[i];
        if (!wanted)
            continue;
        const QImage image = sheet.second();
        const QString path = folder + QLatin1Char('/') + QString::fromStdString(sheet.first) + QStringLiteral(".png");
        if (image.isNull() || !image.save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            status = 1;
        } else {
            std::printf("%s\n", qPrintable(path));
        }
    }
    ReleaseGlobalObjects();
    return status;
}
