#pragma once
// One decoded PNG picture with its alpha channel, and the quarter turns and
// mirrors a PNG button may apply to its pictures.
#include <QImage>

// Clockwise quarter turns, then (FlipX) a mirror left to right; the FlipY
// names are the same transformations turned half a turn further.
enum RotateFlipType : int {
    RotateNoneFlipNone = 0,
    Rotate90FlipNone = 1,
    Rotate180FlipNone = 2,
    Rotate270FlipNone = 3,
    RotateNoneFlipX = 4,
    Rotate90FlipX = 5,
    Rotate180FlipX = 6,
    Rotate270FlipX = 7,
    RotateNoneFlipY = Rotate180FlipX,
    Rotate90FlipY = Rotate270FlipX,
    Rotate180FlipY = RotateNoneFlipX,
    Rotate270FlipY = Rotate90FlipX,
    RotateNoneFlipXY = Rotate180FlipNone,
    Rotate90FlipXY = Rotate270FlipNone,
    Rotate180FlipXY = RotateNoneFlipNone,
    Rotate270FlipXY = Rotate90FlipNone,
};

class CPngImage {
public:
    CPngImage() = default;
    virtual ~CPngImage();
    CPngImage(const CPngImage&) = delete;
    CPngImage& operator=(const CPngImage&) = delete;

    // Forgets the picture.
    virtual void Empty();
    bool IsEmpty() const { return m_image.isNull(); }
    // The picture (null when empty), 32-bit with alpha.
    const QImage& Image() const { return m_image; }

    // The picture turned and mirrored.
    static QImage RotateFlip(const QImage& image, RotateFlipType type);

protected:
    QImage m_image;
};
