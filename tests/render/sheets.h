#pragma once

// Small tile sheets made in the tests.

#include "core/cimage.h"
#include "render/imagefile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>

/** Distinct palette colours; entry 0 is the key (magenta). */
inline QVector<QRgb> TestPalette(int entries)
{
    QVector<QRgb> table(entries);
    table[0] = qRgb(255, 0, 255);
    for (int i = 1; i < entries; ++i)
        table[i] = qRgb((i * 37) % 256, (i * 91) % 256, (i * 53 + 10) % 256);
    return table;
}

/** An indexed sheet (4 or 8 bits) whose pixel (x, y) is index (x / 4 + y) mod entries, so
 *  entry 0 (the key) appears in every chip. */
inline CImage IndexedSheet(int width, int height, int bits)
{
    CImage image;
    EXPECT_TRUE(CreateImage(image, width, height, bits, TestPalette(1 << bits)));
    const int entries = 1 << bits;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.Pixels.setPixel(x, y, static_cast<uint>((x / 4 + y) % entries));
    return image;
}

inline QRgb TrueColorAt(int x, int y)
{
    return qRgb((x * 7) % 256, (y * 5) % 256, (x + y) % 256);
}

/** A 24-bit sheet with a colour gradient. */
inline CImage RgbSheet(int width, int height)
{
    CImage image;
    EXPECT_TRUE(CreateImage(image, width, height, 24));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.Pixels.setPixel(x, y, TrueColorAt(x, y));
    return image;
}

/** A 32-bit sheet with alpha: alpha 0 in the left quarter, 128 in the second, 255 elsewhere. */
inline CImage AlphaSheet(int width, int height)
{
    CImage image;
    EXPECT_TRUE(CreateImage(image, width, height, 32));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int a = x < width / 4 ? 0 : x < width / 2 ? 128 : 255;
            const QRgb c = TrueColorAt(x, y);
            image.Pixels.setPixel(x, y, qRgba(qRed(c), qGreen(c), qBlue(c), a));
        }
    return image;
}

/** Saves a sheet in a temporary folder and returns its local path. */
inline std::string SaveSheet(const QTemporaryDir& dir, const CImage& image, const char* name)
{
    const std::string path = dir.filePath(name).toStdString();
    std::string error;
    EXPECT_TRUE(SaveImageFile(image, path, &error)) << error;
    return path;
}
