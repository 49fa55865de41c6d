#include "imageexport.h"

#include "core/atomicfile.h"
#include "core/chipsize.h"
#include "core/cp932.h"
#include "core/dialogvalues.h"
#include "core/quelpdoc.h"
#include "core/uiport.h"
#include "render/imagecodecs.h"
#include "render/imagefile.h"
#include "render/maprender.h"

#include <csetjmp>
#include <png.h>
#include <vector>

namespace {

constexpr const char* kPictureTooLarge = "画像が大きすぎます";

void Fail(std::string* error, const std::string& text)
{
    if (error)
        *error = text;
}

// ---- PNG written band by band: a map of 8192 x 8192 pixels never exists whole in memory ----

struct PngSink {
    CAtomicFile* File = nullptr;
    bool Failed = false;
};

void WriteToSink(png_structp png, png_bytep data, png_size_t length)
{
    auto* sink = static_cast<PngSink*>(png_get_io_ptr(png));
    if (!sink->File->Write(std::string_view(reinterpret_cast<const char*>(data), length))) {
        sink->Failed = true;
        png_error(png, "write failed");
    }
}

void FlushSink(png_structp) {}

// The reason of a failure is the writer's to tell, once; libpng would print its own line too.
[[noreturn]] void QuietError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void QuietWarning(png_structp, png_const_charp) {}

/** libpng jumps out of its calls on errors; each step below holds nothing with a destructor. */
class CPngRowWriter {
public:
    explicit CPngRowWriter(PngSink& sink) : sink_(sink) {}
    ~CPngRowWriter()
    {
        if (png_)
            png_destroy_write_struct(&png_, info_ ? &info_ : nullptr);
    }

    bool Begin(int width, int height)
    {
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, QuietWarning);
        if (!png_)
            return false;
        info_ = png_create_info_struct(png_);
        if (!info_ || setjmp(png_jmpbuf(png_)))
            return false;
        png_set_write_fn(png_, &sink_, WriteToSink, FlushSink);
        // Speed over size: a fast zlib level without row filters (on tile maps the filters cost
        // time and, with their noisy chips, do not make the file smaller).
        png_set_compression_level(png_, 1);
        png_set_filter(png_, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
        png_set_IHDR(png_, info_, static_cast<png_uint_32>(width),
                     static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png_, info_);
        return true;
    }
    bool Row(png_bytep row)
    {
        if (setjmp(png_jmpbuf(png_)))
            return false;
        png_write_row(png_, row);
        return true;
    }
    bool End()
    {
        if (setjmp(png_jmpbuf(png_)))
            return false;
        png_write_end(png_, info_);
        return true;
    }

private:
    PngSink& sink_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
};

bool WriteMapPngInBands(const CQuelpDoc& doc, const std::string& localPath, std::string* error)
{
    const int width = doc.Columns * ChipWidth;
    const int height = doc.Rows * ChipHeight;
    CAtomicFile file(localPath);
    std::string reason;
    if (!file.Open(reason)) {
        Fail(error, localPath + ": " + reason);
        return false;
    }
    PngSink sink{&file};
    CPngRowWriter png(sink);
    bool ok = png.Begin(width, height);

    const int bandRows = std::max(1, 256 / std::max(1, ChipHeight));
    std::vector<png_byte> row(static_cast<std::size_t>(width) * 3);
    QImage band;
    for (int top = 0; ok && top < doc.Rows; top += bandRows) {
        const IntRect range{0, top, doc.Columns - 1, std::min(doc.Rows - 1, top + bandRows - 1)};
        const int bandHeight = (range.Bottom - range.Top + 1) * ChipHeight;
        if (band.height() != bandHeight)
            band = QImage(width, bandHeight, QImage::Format_RGB32);
        if (band.isNull()) {
            ok = false;
            break;
        }
        band.fill(0xFF000000u);
        DrawMap(doc, band, range, false);
        for (int y = 0; ok && y < bandHeight; ++y) {
            const QRgb* pixels = reinterpret_cast<const QRgb*>(band.constScanLine(y));
            png_byte* out = row.data();
            for (int x = 0; x < width; ++x) {
                *out++ = static_cast<png_byte>(qRed(pixels[x]));
                *out++ = static_cast<png_byte>(qGreen(pixels[x]));
                *out++ = static_cast<png_byte>(qBlue(pixels[x]));
            }
            ok = png.Row(row.data());
        }
    }
    ok = ok && png.End();
    // A failed write is reported by Commit with its reason; anything else failed on the way.
    if (!ok && !sink.Failed) {
        Fail(error, localPath + ": " + "画像を作れませんでした");
        return false;
    }
    if (!file.Commit(reason)) {
        Fail(error, localPath + ": " + reason);
        return false;
    }
    return true;
}

bool SaveWithReason(const CImage& image, const std::string& localPath, std::string* error)
{
    std::string reason;
    if (SaveImageFile(image, localPath, &reason))
        return true;
    Fail(error, localPath + ": " + reason);
    return false;
}

bool CheckTarget(const CQuelpDoc& doc, const std::string& localPath, std::string* error)
{
    if (ImageFormatFromPath(localPath).empty()) {
        Fail(error, localPath + ": " + kNoPictureExtension);
        return false;
    }
    if (!ImageSizeAcceptable(static_cast<long long>(doc.Columns) * ChipWidth,
                             static_cast<long long>(doc.Rows) * ChipHeight)) {
        Fail(error, localPath + ": " + kPictureTooLarge);
        return false;
    }
    return true;
}

// A picture that could not be written is reported with which file and why, as the binary
// export does; a written one needs no message. The file's name may hold what CP932 cannot.
void TellIfFailed(CQuelpDoc& doc, bool written, const std::string& error)
{
    if (!written)
        doc.Ui().ShowMessageText(QString::fromUtf8("ファイルを保存に失敗しました。\n") +
                                     QString::fromStdString(error),
                                 MessageKind::Warning);
}

std::optional<std::string> AskPath(CQuelpDoc& doc)
{
    FileDialogRequest request;
    request.Open = false;
    request.Filter = ImageSaveFilter();
    return doc.Ui().RunFileDialog(request);
}

}  // namespace

std::string ImageSaveFilter()
{
    return Cp932("PNGファイル (*.png)|*.png|Gifフィル (*.gif)|*.gif|Bitmapファイル (*.bmp)|*.bmp|"
                 "JPEG ファイル (*.jpg)|*.jpg||");
}

bool OnSaveMapImageEnabled(const CQuelpDoc& doc)
{
    for (const CLayerData& layer : doc.Layers)
        if (layer.View && layer.HasGrid())
            return true;
    return false;
}

void OnSaveMapImage(CQuelpDoc& doc)
{
    if (const std::optional<std::string> path = AskPath(doc)) {
        std::string error;
        bool written = false;
        {
            CBusyScope busy(doc.Ui());
            written = WriteMapImage(doc, *path, &error);
        }
        TellIfFailed(doc, written, error);
    }
}

void SaveLayerImage(int position, CQuelpDoc& doc)
{
    if (const std::optional<std::string> path = AskPath(doc)) {
        std::string error;
        bool written = false;
        {
            CBusyScope busy(doc.Ui());
            written = WriteLayerImage(doc, position, *path, &error);
        }
        TellIfFailed(doc, written, error);
    }
}

bool WriteMapImage(const CQuelpDoc& doc, const std::string& pathCp932, std::string* error)
{
    const std::string local = LocalPathFromCp932(pathCp932);
    if (!CheckTarget(doc, local, error))
        return false;
    if (ImageFormatFromPath(local) == "png")
        return WriteMapPngInBands(doc, local, error);
    CImage image;
    if (!CreateImage(image, doc.Columns * ChipWidth, doc.Rows * ChipHeight, 24)) {
        Fail(error, local + ": " + kPictureTooLarge);
        return false;
    }
    DrawMapToImage(image, doc, WholeMapRange(doc), false);
    return SaveWithReason(image, local, error);
}

bool WriteLayerImage(const CQuelpDoc& doc, int position, const std::string& pathCp932,
                     std::string* error)
{
    if (position < 0 || position >= kLayerCount) {
        Fail(error, "レイヤー " + std::to_string(position) + " はありません");
        return false;
    }
    const std::string local = LocalPathFromCp932(pathCp932);
    if (!CheckTarget(doc, local, error))
        return false;
    const CLayerData& layer = doc.Layers[static_cast<std::size_t>(position)];
    const int pageNumber = layer.ChipPage >= 0 && layer.ChipPage < kChipPageCount ? layer.ChipPage : 0;
    const CChipPage& page = doc.ChipPages[static_cast<std::size_t>(pageNumber)];
    const int sheetBits = page.InUse() ? page.Image.GetBPP() : 0;
    const bool indexed = (sheetBits == 4 || sheetBits == 8) && !page.Image.ColorTable.isEmpty();
    CImage image;
    if (!CreateImage(image, doc.Columns * ChipWidth, doc.Rows * ChipHeight,
                     indexed ? sheetBits : 24, indexed ? page.Image.ColorTable : QVector<QRgb>{})) {
        Fail(error, local + ": " + kPictureTooLarge);
        return false;
    }
    DrawLayerToImage(image, layer, doc.ChipPages, WholeMapRange(doc), doc.Columns, doc.Rows);
    return SaveWithReason(image, local, error);
}
