#pragma once

#include "core/cimage.h"

#include <QByteArray>
#include <string>

// The encoders and decoders behind imagefile.h that Qt does not provide as this program needs
// them: GIF both ways (giflib), indexed PNG at its own bit depth (libpng), BMP at 1, 4, 8, 24
// and 32 bits.

bool DecodeGif(CImage& image, const QByteArray& bytes, std::string* error);
bool EncodeGif(const CImage& image, QByteArray& out, std::string* error);
bool EncodePng(const CImage& image, QByteArray& out, std::string* error);
bool EncodeBmp(const CImage& image, QByteArray& out, std::string* error);

/** Largest picture the codecs accept, in pixels per side and in total. */
inline constexpr int kMaxImageSide = 32768;
inline constexpr long long kMaxImagePixels = 1LL << 28;

inline bool ImageSizeAcceptable(long long width, long long height)
{
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide
           && width * height <= kMaxImagePixels;
}

/** Whether a picture of width x height pixels can come from fileBytes bytes. No sheet format packs
 *  more than about 16384 pixels into a byte (deflate, run lengths and skips included), so a larger
 *  claim is a hostile header, refused before anything is allocated; up to 4 megapixels always
 *  pass. */
inline bool ImageSizePlausible(long long width, long long height, long long fileBytes)
{
    constexpr long long kPixelsPerByte = 16384;
    constexpr long long kAlwaysPlausible = 1LL << 22;
    const long long pixels = width * height;
    return pixels <= kAlwaysPlausible || pixels / kPixelsPerByte <= fileBytes;
}

inline void SetError(std::string* error, const std::string& text)
{
    if (error)
        *error = text;
}

/** The reason given for a picture path whose extension names no format (UTF-8). */
inline constexpr const char* kNoPictureExtension =
    "拡張子が画像の形式 (.png .gif .bmp .jpg) ではありません";
