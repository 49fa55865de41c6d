#include "imagecodecs.h"

#include <gif_lib.h>

#include <QHash>
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct ReadCursor {
    const QByteArray* Bytes;
    qsizetype Offset = 0;
};

int ReadFromCursor(GifFileType* gif, GifByteType* buffer, int length)
{
    auto* cursor = static_cast<ReadCursor*>(gif->UserData);
    const qsizetype left = cursor->Bytes->size() - cursor->Offset;
    const int n = static_cast<int>(std::min<qsizetype>(left, std::max(length, 0)));
    std::memcpy(buffer, cursor->Bytes->constData() + cursor->Offset, static_cast<size_t>(n));
    cursor->Offset += n;
    return n;
}

int WriteToArray(GifFileType* gif, const GifByteType* buffer, int length)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(buffer), length);
    return length;
}

struct GifReader {
    GifFileType* Gif = nullptr;
    ~GifReader()
    {
        if (Gif)
            DGifCloseFile(Gif, nullptr);
    }
};

int GifDepth(int mapBits)
{
    return mapBits <= 1 ? 1 : mapBits <= 4 ? 4 : 8;
}

bool SkipExtension(GifFileType* gif)
{
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR)
        return false;
    while (block) {
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR)
            return false;
    }
    return true;
}

}  // namespace

bool DecodeGif(CImage& image, const QByteArray& bytes, std::string* error)
{
    ReadCursor cursor{&bytes};
    int code = 0;
    GifReader reader;
    reader.Gif = DGifOpen(&cursor, ReadFromCursor, &code);
    GifFileType* gif = reader.Gif;
    if (!gif) {
        SetError(error, std::string("GIF: ") + GifErrorString(code));
        return false;
    }
    if (!ImageSizeAcceptable(gif->SWidth, gif->SHeight)
        || !ImageSizePlausible(gif->SWidth, gif->SHeight, bytes.size())) {
        SetError(error, "GIF: bad screen size");
        return false;
    }
    for (;;) {
        GifRecordType type;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR) {
            SetError(error, "GIF: truncated file");
            return false;
        }
        if (type == TERMINATE_RECORD_TYPE) {
            SetError(error, "GIF: no image");
            return false;
        }
        if (type == EXTENSION_RECORD_TYPE) {
            if (!SkipExtension(gif)) {
                SetError(error, "GIF: bad extension block");
                return false;
            }
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE)
            continue;
        if (DGifGetImageDesc(gif) == GIF_ERROR) {
            SetError(error, "GIF: bad image descriptor");
            return false;
        }
        const GifImageDesc& desc = gif->Image;
        const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
        if (!map || map->ColorCount <= 0 || desc.Width <= 0 || desc.Height <= 0
            || !ImageSizeAcceptable(desc.Width, desc.Height)) {
            SetError(error, "GIF: no colour table or bad frame");
            return false;
        }
        const int bits = GifDepth(map->BitsPerPixel);
        const int entries = 1 << bits;
        QVector<QRgb> table(entries, qRgb(0, 0, 0));
        for (int i = 0; i < std::min(entries, map->ColorCount); ++i)
            table[i] = qRgb(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue);

        const int sw = gif->SWidth, sh = gif->SHeight;
        QImage pixels(sw, sh, QImage::Format_Indexed8);
        if (pixels.isNull()) {
            SetError(error, "GIF: out of memory");
            return false;
        }
        const int background = gif->SBackGroundColor < entries ? gif->SBackGroundColor : 0;
        pixels.fill(static_cast<uint>(background));

        std::vector<GifPixelType> line(static_cast<size_t>(desc.Width));
        auto store = [&](int row) {
            const int y = desc.Top + row;
            if (y < 0 || y >= sh)
                return;
            uchar* d = pixels.scanLine(y);
            for (int k = 0; k < desc.Width; ++k) {
                const int x = desc.Left + k;
                if (x >= 0 && x < sw)
                    d[x] = line[static_cast<size_t>(k)] < entries ? line[static_cast<size_t>(k)] : 0;
            }
        };
        static const int kOffsets[] = {0, 4, 2, 1};
        static const int kSteps[] = {8, 8, 4, 2};
        const int passes = desc.Interlace ? 4 : 1;
        for (int pass = 0; pass < passes; ++pass) {
            const int first = desc.Interlace ? kOffsets[pass] : 0;
            const int step = desc.Interlace ? kSteps[pass] : 1;
            for (int row = first; row < desc.Height; row += step) {
                if (DGifGetLine(gif, line.data(), desc.Width) == GIF_ERROR) {
                    SetError(error, "GIF: truncated image data");
                    return false;
                }
                store(row);
            }
        }
        pixels.setColorTable(table);
        image.Destroy();
        image.Pixels = pixels;
        image.BitsPerPixel = bits;
        image.ColorTable = table;
        return true;
    }
}

namespace {

struct GifWriter {
    GifFileType* Gif = nullptr;
    ~GifWriter()
    {
        if (Gif)
            EGifCloseFile(Gif, nullptr);
    }
};

struct MapDeleter {
    void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

int BitsForCount(int count)
{
    int bits = 1;
    while ((1 << bits) < count)
        ++bits;
    return bits;
}

}  // namespace

bool EncodeGif(const CImage& image, QByteArray& out, std::string* error)
{
    const int w = image.GetWidth(), h = image.GetHeight();
    if (w > 65535 || h > 65535) {
        SetError(error, "GIF: picture too large");
        return false;
    }
    std::vector<GifByteType> indices(static_cast<size_t>(w) * static_cast<size_t>(h));
    QVector<QRgb> table;
    if (image.IsIndexed()) {
        table = image.ColorTable;
        for (int y = 0; y < h; ++y)
            std::memcpy(&indices[static_cast<size_t>(y) * w], image.Pixels.constScanLine(y),
                        static_cast<size_t>(w));
    } else {
        // Exact colours when there are at most 256 of them, else a median-cut palette.
        const QImage rgb = image.Pixels.convertToFormat(QImage::Format_RGB32);
        QHash<QRgb, int> seen;
        bool exact = true;
        for (int y = 0; y < h && exact; ++y) {
            const QRgb* s = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
            for (int x = 0; x < w; ++x) {
                const QRgb c = s[x] | 0xFF000000u;
                auto it = seen.constFind(c);
                if (it == seen.constEnd()) {
                    if (seen.size() == 256) {
                        exact = false;
                        break;
                    }
                    it = seen.insert(c, static_cast<int>(table.size()));
                    table.push_back(c);
                }
                indices[static_cast<size_t>(y) * w + x] = static_cast<GifByteType>(*it);
            }
        }
        if (!exact) {
            const size_t n = indices.size();
            std::vector<GifByteType> r(n), g(n), b(n);
            for (int y = 0; y < h; ++y) {
                const QRgb* s = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
                for (int x = 0; x < w; ++x) {
                    const size_t i = static_cast<size_t>(y) * w + x;
                    r[i] = static_cast<GifByteType>(qRed(s[x]));
                    g[i] = static_cast<GifByteType>(qGreen(s[x]));
                    b[i] = static_cast<GifByteType>(qBlue(s[x]));
                }
            }
            int size = 256;
            std::vector<GifColorType> colors(256);
            if (GifQuantizeBuffer(static_cast<unsigned>(w), static_cast<unsigned>(h), &size,
                                  r.data(), g.data(), b.data(), indices.data(), colors.data())
                == GIF_ERROR) {
                SetError(error, "GIF: colour reduction failed");
                return false;
            }
            table.clear();
            for (int i = 0; i < size; ++i)
                table.push_back(qRgb(colors[i].Red, colors[i].Green, colors[i].Blue));
        }
    }
    const int bits = BitsForCount(std::max<int>(2, static_cast<int>(table.size())));
    table.resize(1 << bits);
    std::unique_ptr<ColorMapObject, MapDeleter> map(GifMakeMapObject(1 << bits, nullptr));
    if (!map) {
        SetError(error, "GIF: out of memory");
        return false;
    }
    for (int i = 0; i < (1 << bits); ++i)
        map->Colors[i] = GifColorType{static_cast<GifByteType>(qRed(table[i])),
                                      static_cast<GifByteType>(qGreen(table[i])),
                                      static_cast<GifByteType>(qBlue(table[i]))};
    QByteArray bytes;
    int code = 0;
    GifWriter writer;
    writer.Gif = EGifOpen(&bytes, WriteToArray, &code);
    GifFileType* gif = writer.Gif;
    if (!gif || EGifPutScreenDesc(gif, w, h, bits, 0, map.get()) == GIF_ERROR
        || EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_ERROR) {
        SetError(error, "GIF: encoder failed");
        return false;
    }
    for (int y = 0; y < h; ++y) {
        if (EGifPutLine(gif, &indices[static_cast<size_t>(y) * w], w) == GIF_ERROR) {
            SetError(error, "GIF: encoder failed");
            return false;
        }
    }
    writer.Gif = nullptr;
    if (EGifCloseFile(gif, &code) == GIF_ERROR) {
        SetError(error, "GIF: encoder failed");
        return false;
    }
    out = bytes;
    return true;
}
