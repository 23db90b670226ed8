#pragma once
// A font description filled from a point size in tenths of a point, a
// weight, an italic flag and a face name, for CreatePointFontIndirect:
// stroke precisions, proof quality, the ANSI character set.
#include <QString>

#include "platform/gui/LogFont.h"

class CSxLogFont : public LOGFONT {
public:
    // The face keeps at most 31 characters.
    CSxLogFont(LONG pointSize, LONG weight = 400, BYTE italic = 0,
               const QString& faceName = QStringLiteral("MS Sans Serif"));
};
