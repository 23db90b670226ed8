#include "controls/SxLogFont.h"

namespace {
constexpr BYTE OUT_STROKE_PRECIS = 3;
constexpr BYTE CLIP_STROKE_PRECIS = 2;
constexpr BYTE PROOF_QUALITY = 2;
}  // namespace

CSxLogFont::CSxLogFont(LONG pointSize, LONG weight, BYTE italic, const QString& faceName)
{
    lfHeight = pointSize;
    lfWeight = weight;
    lfItalic = italic;
    lfFaceName = faceName.left(31);
    lfOutPrecision = OUT_STROKE_PRECIS;
    lfClipPrecision = CLIP_STROKE_PRECIS;
    lfQuality = PROOF_QUALITY;
}
