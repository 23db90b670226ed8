#pragma once
// A PNG picture loaded from the program's resources by type and id.
#include <QString>

#include "controls/PngImage.h"
#include "platform/core/Types.h"

class CPngResourceImage : public CPngImage {
public:
    // Empties the picture, then loads resource (type, id). False, leaving
    // the picture empty, when the resource is missing or cannot be decoded.
    bool Load(UINT id, const QString& type = QStringLiteral("PNG"));
};
