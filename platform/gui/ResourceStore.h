#pragma once
// The program's resources: skin images by type ("BMP" opaque bitmaps, "PNG"
// images with alpha) and id, and the string table by id. A missing id gives
// a null result, which each caller's fallback handles.
//
// The skins are drawn at build time into compiled Qt resources
// (":/res/BMP/<id>.bmp", ":/res/PNG/<id>.png"); the string table is
// ":/res/strings.tsv". Tests put their own images under any id.
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

#include "platform/core/Types.h"

class CResourceStore {
public:
    // Type names are not case-sensitive: "png" and "PNG" are one type.
    static QImage Image(const QString& type, UINT id);
    static QString Text(UINT id);

    // Puts an image under (type, id), in front of the compiled resources.
    static void SetImage(const QString& type, UINT id, const QImage& image);
    // A flat-colour image of the size under (type, id).
    static void SetFlatImage(const QString& type, UINT id, const QSize& size, const QColor& colour);
    // Forgets every image put with SetImage or SetFlatImage.
    static void ClearOverrides();

    // Where the compiled resource of (type, id) lives.
    static QString ResourcePath(const QString& type, UINT id);
};
