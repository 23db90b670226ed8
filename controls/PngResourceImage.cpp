#include "controls/PngResourceImage.h"

#include "platform/gui/ResourceStore.h"

bool CPngResourceImage::Load(UINT id, const QString& type)
{
    Empty();
    const QImage image = CResourceStore::Image(type, id);
    if (image.isNull())
        return false;
    m_image = image.convertToFormat(QImage::Format_ARGB32);
    return true;
}
