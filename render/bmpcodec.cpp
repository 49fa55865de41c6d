#include "imagecodecs.h"

#include <algorithm>
#include <cstdint>

namespace {

void PutLe(QByteArray& b, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

}  // namespace

bool EncodeBmp(const CImage& image, QByteArray& out, std::string* error)
{
    const int w = image.GetWidth(), h = image.GetHeight();
    const bool indexed = image.IsIndexed();
    const bool alpha = !indexed && image.HasAlpha();
    int bits = 24;
    if (indexed)
        bits = image.GetBPP() == 1 ? 1 : image.GetBPP() == 4 ? 4 : 8;
    else if (alpha || image.GetBPP() == 32)
        bits = 32;
    const int entries = indexed ? (1 << bits) : 0;
    // Pictures with alpha carry a V4 header with an alpha mask so that readers keep it.
    const uint32_t infoSize = alpha ? 108 : 40;
    const uint32_t stride = ((static_cast<uint32_t>(w) * bits + 31) / 32) * 4;
    const uint64_t dataSize = static_cast<uint64_t>(stride) * static_cast<uint32_t>(h);
    const uint64_t offset = 14 + infoSize + 4ull * entries;
    if (offset + dataSize > 0xFFFFFFFFull) {
        SetError(error, "BMP: picture too large");
        return false;
    }
    QByteArray b;
    b.reserve(static_cast<qsizetype>(offset + dataSize));
    b.append("BM");
    PutLe(b, static_cast<uint32_t>(offset + dataSize), 4);
    PutLe(b, 0, 4);
    PutLe(b, static_cast<uint32_t>(offset), 4);
    PutLe(b, infoSize, 4);
    PutLe(b, static_cast<uint32_t>(w), 4);
    PutLe(b, static_cast<uint32_t>(h), 4);  // positive: bottom-up rows
    PutLe(b, 1, 2);
    PutLe(b, static_cast<uint32_t>(bits), 2);
    PutLe(b, alpha ? 3 : 0, 4);  // BI_BITFIELDS with masks, else BI_RGB
    PutLe(b, static_cast<uint32_t>(dataSize), 4);
    PutLe(b, 2835, 4);  // 72 dpi
    PutLe(b, 2835, 4);
    PutLe(b, static_cast<uint32_t>(entries), 4);
    PutLe(b, 0, 4);
    if (alpha) {
        PutLe(b, 0x00FF0000u, 4);
        PutLe(b, 0x0000FF00u, 4);
        PutLe(b, 0x000000FFu, 4);
        PutLe(b, 0xFF000000u, 4);
        PutLe(b, 0x73524742u, 4);  // 'sRGB'
        for (int i = 0; i < 12; ++i)  // endpoints and gamma, unused for sRGB
            PutLe(b, 0, 4);
    }
    for (int i = 0; i < entries; ++i) {
        const QRgb c = i < image.ColorTable.size() ? image.ColorTable[i] : 0;
        PutLe(b, static_cast<uint32_t>(qBlue(c) | (qGreen(c) << 8) | (qRed(c) << 16)), 4);
    }
    const QImage src = indexed ? image.Pixels
                               : image.Pixels.convertToFormat(alpha ? QImage::Format_ARGB32
                                                                    : QImage::Format_RGB32);
    QByteArray row(static_cast<qsizetype>(stride), '\0');
    for (int y = h - 1; y >= 0; --y) {
        row.fill('\0');
        uchar* d = reinterpret_cast<uchar*>(row.data());
        const uchar* s = src.constScanLine(y);
        if (indexed) {
            const int perByte = 8 / bits;
            const int mask = (1 << bits) - 1;
            for (int x = 0; x < w; ++x) {
                const int v = std::min<int>(s[x], entries - 1) & mask;
                d[x / perByte] |= static_cast<uchar>(v << (8 - bits * (x % perByte + 1)));
            }
        } else {
            const QRgb* p = reinterpret_cast<const QRgb*>(s);
            for (int x = 0; x < w; ++x) {
                uchar* q = d + static_cast<size_t>(x) * (bits / 8);
                q[0] = static_cast<uchar>(qBlue(p[x]));
                q[1] = static_cast<uchar>(qGreen(p[x]));
                q[2] = static_cast<uchar>(qRed(p[x]));
                if (bits == 32)
                    q[3] = static_cast<uchar>(alpha ? qAlpha(p[x]) : 0);
            }
        }
        b.append(row);
    }
    out = b;
    return true;
}
