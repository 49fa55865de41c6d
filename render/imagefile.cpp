#include "imagefile.h"

#include "imagecodecs.h"

#include "core/atomicfile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QString>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

enum class FileKind { Unknown, Png, Gif, Bmp, Jpeg };

FileKind SniffKind(const QByteArray& b)
{
    auto at = [&](int i) { return static_cast<unsigned char>(b[i]); };
    if (b.size() >= 8 && b.startsWith("\x89PNG\r\n\x1a\n"))
        return FileKind::Png;
    if (b.size() >= 6 && (b.startsWith("GIF87a") || b.startsWith("GIF89a")))
        return FileKind::Gif;
    if (b.size() >= 30 && b.startsWith("BM"))
        return FileKind::Bmp;
    if (b.size() >= 3 && at(0) == 0xFF && at(1) == 0xD8 && at(2) == 0xFF)
        return FileKind::Jpeg;
    return FileKind::Unknown;
}

uint32_t ReadLe(const QByteArray& b, int offset, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[offset + i]);
    return v;
}

int DibDepth(int fileBits)
{
    return fileBits == 2 || fileBits == 3 ? 4 : fileBits;
}

QVector<QRgb> PaddedOpaqueTable(QVector<QRgb> table, int bits)
{
    table.resize(1 << bits);
    for (QRgb& c : table)
        c = qRgb(qRed(c), qGreen(c), qBlue(c));
    return table;
}

bool DecodeWithQt(QImage& out, const QByteArray& bytes, const char* format, std::string* error)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAllocationLimit(1200);  // megabytes: large sheets are legitimate
    const QSize size = reader.size();
    // A BMP stored top-down reports a negative height; it is just as large.
    const long long width = std::llabs(size.width());
    const long long height = size == QSize() ? -1 : std::llabs(size.height());
    if (width > 0 && height > 0 && !ImageSizeAcceptable(width, height)) {
        SetError(error, "picture too large");
        return false;
    }
    if (width > 0 && height > 0 && !ImageSizePlausible(width, height, bytes.size())) {
        SetError(error, "picture larger than its file can hold");
        return false;
    }
    if (!reader.read(&out)) {
        SetError(error, "cannot decode: " + reader.errorString().toStdString());
        return false;
    }
    return true;
}

/** An indexed picture from Qt's decoding, at the file's depth. */
void SetIndexed(CImage& image, const QImage& decoded, int bits)
{
    QImage indexed = decoded.format() == QImage::Format_Indexed8
                         ? decoded
                         : decoded.convertToFormat(QImage::Format_Indexed8);
    const QVector<QRgb> table = PaddedOpaqueTable(indexed.colorTable(), bits);
    indexed.setColorTable(table);
    image.Pixels = indexed;
    image.BitsPerPixel = bits;
    image.ColorTable = table;
    image.AlphaChannel = false;
}

/** A grey picture of 1, 2, 4 or 8 bits stored as indexed with a grey ramp. */
void SetGrey(CImage& image, const QImage& decoded, int fileBits)
{
    const int levels = 1 << fileBits;
    QVector<QRgb> table(levels);
    for (int i = 0; i < levels; ++i) {
        const int v = i * 255 / (levels - 1);
        table[i] = qRgb(v, v, v);
    }
    const int bits = DibDepth(fileBits);
    const QImage grey = decoded.convertToFormat(QImage::Format_Grayscale8);
    QImage indexed(grey.size(), QImage::Format_Indexed8);
    for (int y = 0; y < grey.height(); ++y) {
        const uchar* s = grey.constScanLine(y);
        uchar* d = indexed.scanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            d[x] = static_cast<uchar>((s[x] * (levels - 1) + 127) / 255);
    }
    const QVector<QRgb> padded = PaddedOpaqueTable(table, bits);
    indexed.setColorTable(padded);
    image.Pixels = indexed;
    image.BitsPerPixel = bits;
    image.ColorTable = padded;
    image.AlphaChannel = false;
}

void SetTrueColor(CImage& image, const QImage& decoded, int bits, bool alpha)
{
    image.Pixels = decoded.convertToFormat(alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    image.BitsPerPixel = bits;
    image.ColorTable.clear();
    image.AlphaChannel = alpha;
}

// libpng allocates and clears a chunk's declared length before reading it, so a few bytes can
// claim a gigabyte. A chunk (other than image data, which is streamed) that claims more than the
// file holds ends the file there instead.
QByteArray PngCutAtOverlongChunk(const QByteArray& bytes)
{
    static const char kEnd[12] = {0, 0, 0, 0, 'I', 'E', 'N', 'D', '\xAE', '\x42', '\x60', '\x82'};
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    qsizetype at = 8;
    while (at + 8 <= bytes.size()) {
        const quint64 length = (quint64{data[at]} << 24) | (quint64{data[at + 1]} << 16) |
                               (quint64{data[at + 2]} << 8) | quint64{data[at + 3]};
        if (static_cast<quint64>(at) + 12 + length > static_cast<quint64>(bytes.size())) {
            if (std::memcmp(data + at + 4, "IDAT", 4) == 0)
                return bytes;
            return bytes.left(at) + QByteArray(kEnd, sizeof kEnd);
        }
        at += 12 + static_cast<qsizetype>(length);
    }
    return bytes;
}

bool DecodePngOrBmp(CImage& image, const QByteArray& bytes, FileKind kind, std::string* error)
{
    QImage decoded;
    if (!DecodeWithQt(decoded, kind == FileKind::Png ? PngCutAtOverlongChunk(bytes) : bytes,
                      kind == FileKind::Png ? "png" : "bmp", error))
        return false;
    if (kind == FileKind::Png) {
        if (bytes.size() < 26) {
            SetError(error, "truncated PNG header");
            return false;
        }
        const int depth = static_cast<unsigned char>(bytes[24]);
        const int colorType = static_cast<unsigned char>(bytes[25]);
        if (colorType == 3)
            SetIndexed(image, decoded, DibDepth(depth));
        else if (colorType == 4 || colorType == 6 || decoded.hasAlphaChannel())
            SetTrueColor(image, decoded, 32, true);
        else if (colorType == 0 && depth <= 8)
            SetGrey(image, decoded, depth);
        else
            SetTrueColor(image, decoded, 24, false);
        return true;
    }
    // BMP: the bit count sits after the file header, in an info header or an old core header.
    const uint32_t headerSize = ReadLe(bytes, 14, 4);
    const int bits = static_cast<int>(headerSize == 12 ? ReadLe(bytes, 24, 2) : ReadLe(bytes, 28, 2));
    if (bits <= 8 && bits > 0)
        SetIndexed(image, decoded, DibDepth(bits));
    else
        SetTrueColor(image, decoded, bits == 16 ? 16 : bits == 32 ? 32 : 24,
                     bits == 32 && decoded.hasAlphaChannel());
    return true;
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

}  // namespace

bool CreateImage(CImage& image, int width, int height, int bitsPerPixel,
                 const QVector<QRgb>& colorTable)
{
    image.Destroy();
    if (!ImageSizeAcceptable(width, height))
        return false;
    QImage pixels;
    if (bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8) {
        pixels = QImage(width, height, QImage::Format_Indexed8);
        if (pixels.isNull())
            return false;
        const QVector<QRgb> table = PaddedOpaqueTable(colorTable, bitsPerPixel);
        pixels.setColorTable(table);
        pixels.fill(0);
        image.ColorTable = table;
    } else if (bitsPerPixel == 24) {
        pixels = QImage(width, height, QImage::Format_RGB32);
        if (pixels.isNull())
            return false;
        pixels.fill(0xFF000000u);
    } else if (bitsPerPixel == 32) {
        pixels = QImage(width, height, QImage::Format_ARGB32);
        if (pixels.isNull())
            return false;
        pixels.fill(0u);
        image.AlphaChannel = true;
    } else {
        return false;
    }
    image.Pixels = pixels;
    image.BitsPerPixel = bitsPerPixel;
    return true;
}

bool DecodeImage(CImage& image, const QByteArray& bytes, std::string* error)
{
    image.Destroy();
    CImage decoded;
    bool ok = false;
    switch (SniffKind(bytes)) {
    case FileKind::Png:
        ok = DecodePngOrBmp(decoded, bytes, FileKind::Png, error);
        break;
    case FileKind::Bmp:
        ok = DecodePngOrBmp(decoded, bytes, FileKind::Bmp, error);
        break;
    case FileKind::Gif:
        ok = DecodeGif(decoded, bytes, error);
        break;
    case FileKind::Jpeg: {
        QImage q;
        ok = DecodeWithQt(q, bytes, "jpeg", error);
        if (ok)
            SetTrueColor(decoded, q, 24, false);
        break;
    }
    case FileKind::Unknown:
        SetError(error, "not a PNG, GIF, BMP or JPEG file");
        break;
    }
    if (!ok || decoded.IsNull()) {
        if (ok)
            SetError(error, "empty picture");
        return false;
    }
    image = decoded;
    return true;
}

bool LoadImageFile(CImage& image, const std::string& localPath, std::string* error)
{
    image.Destroy();
    // A map file may name any path as a sheet: reading a device never ends, opening a pipe
    // waits for a writer.
    const QFileInfo info(QString::fromStdString(localPath));
    if (info.exists() && !info.isFile()) {
        SetError(error, "cannot open: not a regular file");
        return false;
    }
    QFile file(QString::fromStdString(localPath));
    if (!file.open(QIODevice::ReadOnly)) {
        SetError(error, "cannot open: " + file.errorString().toStdString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    return DecodeImage(image, bytes, error);
}

std::string ImageFormatFromPath(const std::string& localPath)
{
    const size_t dot = localPath.find_last_of('.');
    const size_t slash = localPath.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    const std::string ext = Lower(localPath.substr(dot + 1));
    if (ext == "png" || ext == "gif" || ext == "bmp" || ext == "jpg")
        return ext;
    if (ext == "jpeg")
        return "jpg";
    return {};
}

bool EncodeImage(const CImage& image, const std::string& format, QByteArray& out,
                 std::string* error)
{
    out.clear();
    if (image.IsNull()) {
        SetError(error, "no picture");
        return false;
    }
    if (format == "png")
        return EncodePng(image, out, error);
    if (format == "gif")
        return EncodeGif(image, out, error);
    if (format == "bmp")
        return EncodeBmp(image, out, error);
    if (format == "jpg" || format == "jpeg") {
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(90);
        if (!writer.write(image.Pixels.convertToFormat(QImage::Format_RGB32))) {
            SetError(error, "JPEG encoding failed: " + writer.errorString().toStdString());
            return false;
        }
        return true;
    }
    SetError(error, "unsupported image format");
    return false;
}

bool SaveImageFile(const CImage& image, const std::string& localPath, std::string* error)
{
    const std::string format = ImageFormatFromPath(localPath);
    if (format.empty()) {
        SetError(error, kNoPictureExtension);
        return false;
    }
    QByteArray bytes;
    if (!EncodeImage(image, format, bytes)) {
        SetError(error, "画像を書き出す形式に変換できませんでした");
        return false;
    }
    std::string reason;
    if (!WriteFileAtomically(localPath, std::string_view(bytes.constData(),
                                                         static_cast<std::size_t>(bytes.size())),
                             reason)) {
        SetError(error, reason);
        return false;
    }
    return true;
}
