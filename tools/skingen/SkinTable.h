#pragma once
// The skin table (res/skins.tsv): one row an image that the windows load by
// type and id. The generator draws every row; the tests check that every row
// became an image of its size.
#include <vector>

#include <QColor>
#include <QString>

struct SkinEntry {
    unsigned id = 0;
    QString type;      // "BMP" (opaque) or "PNG" (with alpha)
    int width = 0;
    int height = 0;
    QString kind;      // see SkinKinds()
    QString label;     // drawn on the face; empty for none
    QColor face;       // invalid: the kind's own colour
    QColor text;       // invalid: the kind's own label colour
    QString language;  // "any", "cn" or "en"
};

// The kinds the generator knows how to draw.
const QStringList& SkinKinds();

// Reads the table; false with a message naming the line on the first bad row
// (unknown type or kind, a size outside 1 to 2048, a repeated id).
bool ReadSkinTable(const QString& path, std::vector<SkinEntry>* entries, QString* error);
