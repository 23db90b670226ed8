// Draws every skin of the table into <out>/BMP/<id>.bmp or <out>/PNG/<id>.png
// and writes <out>/skins.qrc listing them under the prefix /res, for rcc.
// usage: orvane-skingen <skins.tsv> <out-dir>
#include <cstdio>
#include <vector>

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include "tools/skingen/SkinPainter.h"
#include "tools/skingen/SkinTable.h"

int main(int argc, char** argv)
{
    // Text needs a GUI application; the build has no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: orvane-skingen <skins.tsv> <out-dir>\n");
        return 2;
    }
    std::vector<SkinEntry> entries;
    QString error;
    if (!ReadSkinTable(QString::fromLocal8Bit(argv[1]), &entries, &error)) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.toLocal8Bit().constData());
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    if (!out.mkpath(QStringLiteral("BMP")) || !out.mkpath(QStringLiteral("PNG"))) {
        std::fprintf(stderr, "cannot create %s\n", argv[2]);
        return 1;
    }
    QByteArray qrc = "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/res\">\n";
    for (const SkinEntry& e : entries) {
        const QString name = QStringLiteral("%1/%2.%3").arg(e.type).arg(e.id).arg(e.type.toLower());
        if (!DrawSkin(e).save(out.filePath(name), e.type.toLatin1().constData())) {
            std::fprintf(stderr, "cannot write %s\n", name.toLocal8Bit().constData());
            return 1;
        }
        qrc += "  <file>" + name.toUtf8() + "</file>\n";
    }
    qrc += "</qresource>\n</RCC>\n";
    QFile file(out.filePath(QStringLiteral("skins.qrc")));
    if (!file.open(QIODevice::WriteOnly) || file.write(qrc) != qrc.size()) {
        std::fprintf(stderr, "cannot write skins.qrc\n");
        return 1;
    }
    return 0;
}
