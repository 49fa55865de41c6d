#pragma once

#include "core/cimage.h"

#include <QByteArray>
#include <QVector>
#include <QRgb>
#include <string>

// Paths here are local file-system paths (UTF-8). On failure, error (when given) gets a short
// reason in English for logs and tests; the callers show their own messages.

/** Makes a picture of width x height pixels, all pixels zero: 1, 4 or 8 bits per pixel with
 *  the colour table (padded with black, or cut, to 2^bits entries), 24 bits (black) or 32 bits
 *  with alpha (transparent black). False for a size or depth it cannot make. */
bool CreateImage(CImage& image, int width, int height, int bitsPerPixel,
                 const QVector<QRgb>& colorTable = {});

/** Decodes a PNG, GIF, BMP or JPEG file, told apart by its first bytes, not by its name.
 *  On failure the image is left null. */
bool LoadImageFile(CImage& image, const std::string& localPath, std::string* error = nullptr);
/** The same from bytes in memory. */
bool DecodeImage(CImage& image, const QByteArray& bytes, std::string* error = nullptr);

/** Writes the picture in the format its extension names (.png, .gif, .bmp, .jpg, .jpeg, any
 *  case) through a temporary file renamed into place: a failed save leaves any old file intact.
 *  Another extension writes nothing and returns false. */
bool SaveImageFile(const CImage& image, const std::string& localPath, std::string* error = nullptr);
/** Encodes to bytes; format is "png", "gif", "bmp", "jpg" or "jpeg" (lower case). */
bool EncodeImage(const CImage& image, const std::string& format, QByteArray& out,
                 std::string* error = nullptr);

/** The format a path's extension names ("png", "gif", "bmp", "jpg"), or "" for none. */
std::string ImageFormatFromPath(const std::string& localPath);
