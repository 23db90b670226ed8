#include "controls/PngImage.h"

#include <QTransform>

CPngImage::~CPngImage() = default;

void CPngImage::Empty()
{
    m_image = QImage();
}

QImage CPngImage::RotateFlip(const QImage& image, RotateFlipType type)
{
    const int turns = int(type) & 3;
    const bool mirror = (int(type) & 4) != 0;
    if (turns == 0 && !mirror)
        return image;
    QImage turned = turns == 0 ? image : image.transformed(QTransform().rotate(90.0 * turns));
    return mirror ? turned.mirrored(true, false) : turned;
}
