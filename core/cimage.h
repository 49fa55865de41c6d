#pragma once

#include <QImage>
#include <QVector>
#include <QRgb>

/** A decoded picture as the chip pages, exports and printing rely on it: the pixels, the file's
 *  bits per pixel, the colour table of indexed images, the alpha flag and the transparent colour
 *  index. Loading and saving live in render/imagefile.h. */
class CImage {
public:
    bool IsNull() const { return Pixels.isNull(); }
    int GetWidth() const { return Pixels.width(); }
    int GetHeight() const { return Pixels.height(); }
    int GetBPP() const { return BitsPerPixel; }
    bool HasAlpha() const { return AlphaChannel; }
    bool IsIndexed() const { return BitsPerPixel <= 8 && !ColorTable.isEmpty(); }

    /** Releases the picture: width, height and bits cleared, transparent index -1, no alpha. */
    void Destroy()
    {
        Pixels = QImage();
        BitsPerPixel = 0;
        ColorTable.clear();
        AlphaChannel = false;
        TransparentIndex = -1;
    }

    /** Pixels: Format_Indexed8 for indexed pictures (any file depth up to 8 bits), else
     *  Format_RGB32 or Format_ARGB32. */
    QImage Pixels;
    int BitsPerPixel = 0;        ///< bits per pixel of the file it came from (1, 4, 8, 24, 32)
    QVector<QRgb> ColorTable;    ///< colour table of indexed pictures
    bool AlphaChannel = false;
    int TransparentIndex = -1;   ///< -1 at rest
};
