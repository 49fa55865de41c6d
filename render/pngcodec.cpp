#include "imagecodecs.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <vector>

namespace {

void WriteToArray(png_structp png, png_bytep data, png_size_t length)
{
    static_cast<QByteArray*>(png_get_io_ptr(png))
        ->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
}

void FlushNothing(png_structp) {}

/** Rows already packed for libpng, so that nothing with a destructor lives across setjmp. */
struct PngPlan {
    int Width = 0;
    int Height = 0;
    int BitDepth = 8;
    int ColorType = PNG_COLOR_TYPE_RGB;
    std::vector<png_color> Palette;
    std::vector<std::vector<png_byte>> Rows;
    std::vector<png_bytep> RowPointers;
};

bool WritePlan(PngPlan& plan, QByteArray& out)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return false;
    }
    png_set_write_fn(png, &out, WriteToArray, FlushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(plan.Width),
                 static_cast<png_uint_32>(plan.Height), plan.BitDepth, plan.ColorType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (plan.ColorType == PNG_COLOR_TYPE_PALETTE)
        png_set_PLTE(png, info, plan.Palette.data(), static_cast<int>(plan.Palette.size()));
    png_write_info(png, info);
    png_write_image(png, plan.RowPointers.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool EncodePng(const CImage& image, QByteArray& out, std::string* error)
{
    PngPlan plan;
    plan.Width = image.GetWidth();
    plan.Height = image.GetHeight();
    plan.Rows.resize(static_cast<size_t>(plan.Height));
    if (image.IsIndexed()) {
        // Qt would widen a 1- or 4-bit picture to 8 bits; keep the file's own depth.
        const int bits = image.GetBPP() == 1 ? 1 : image.GetBPP() == 4 ? 4 : 8;
        plan.BitDepth = bits;
        plan.ColorType = PNG_COLOR_TYPE_PALETTE;
        const int entries = std::min<int>(1 << bits, static_cast<int>(image.ColorTable.size()));
        for (int i = 0; i < entries; ++i) {
            const QRgb c = image.ColorTable[i];
            plan.Palette.push_back(png_color{static_cast<png_byte>(qRed(c)),
                                             static_cast<png_byte>(qGreen(c)),
                                             static_cast<png_byte>(qBlue(c))});
        }
        const int perByte = 8 / bits;
        const int mask = (1 << bits) - 1;
        for (int y = 0; y < plan.Height; ++y) {
            std::vector<png_byte>& row = plan.Rows[static_cast<size_t>(y)];
            row.assign(static_cast<size_t>((plan.Width + perByte - 1) / perByte), 0);
            const uchar* s = image.Pixels.constScanLine(y);
            for (int x = 0; x < plan.Width; ++x) {
                const int v = std::min<int>(s[x], entries - 1) & mask;
                const int shift = 8 - bits * (x % perByte + 1);
                row[static_cast<size_t>(x / perByte)] |= static_cast<png_byte>(v << shift);
            }
        }
    } else {
        const bool alpha = image.HasAlpha();
        plan.ColorType = alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB;
        const QImage src = image.Pixels.convertToFormat(alpha ? QImage::Format_ARGB32
                                                              : QImage::Format_RGB32);
        const int channels = alpha ? 4 : 3;
        for (int y = 0; y < plan.Height; ++y) {
            std::vector<png_byte>& row = plan.Rows[static_cast<size_t>(y)];
            row.resize(static_cast<size_t>(plan.Width) * channels);
            const QRgb* s = reinterpret_cast<const QRgb*>(src.constScanLine(y));
            for (int x = 0; x < plan.Width; ++x) {
                png_byte* d = &row[static_cast<size_t>(x) * channels];
                d[0] = static_cast<png_byte>(qRed(s[x]));
                d[1] = static_cast<png_byte>(qGreen(s[x]));
                d[2] = static_cast<png_byte>(qBlue(s[x]));
                if (alpha)
                    d[3] = static_cast<png_byte>(qAlpha(s[x]));
            }
        }
    }
    for (auto& row : plan.Rows)
        plan.RowPointers.push_back(row.data());
    QByteArray bytes;
    if (!WritePlan(plan, bytes)) {
        SetError(error, "PNG encoder failed");
        return false;
    }
    out = bytes;
    return true;
}
