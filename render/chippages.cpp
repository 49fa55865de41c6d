#include "chippages.h"

#include "core/cp932.h"
#include "core/systemerror.h"
#include "render/imagefile.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void ClearPage(CChipPage& page)
{
    page = CChipPage();
}

uint8_t ClassifyChip(const QImage& sheet, const QRect& chip)
{
    // A sheet narrower than one chip still has one column: only its own pixels count.
    const QRect r = chip.intersected(sheet.rect());
    bool anyTransparent = false, anyOpaque = false, anyPartial = false;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(sheet.constScanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) {
            const int a = qAlpha(row[x]);
            anyTransparent |= a == 0;
            anyOpaque |= a == 255;
            anyPartial |= a != 0 && a != 255;
        }
    }
    if (anyPartial)
        return 3;
    if (anyTransparent && anyOpaque)
        return 2;
    return anyOpaque ? 1 : 0;
}

}  // namespace

int ChipKeyIndex(const CImage& image)
{
    if (!image.IsIndexed())
        return -1;
    const int index = image.TransparentIndex >= 0 ? image.TransparentIndex : 0;
    return index < image.ColorTable.size() ? index : -1;
}

void PrepareChipPage(CChipPage& page)
{
    page.Prepared = QImage();
    page.ChipKinds.clear();
    const CImage& image = page.Image;
    if (image.IsNull())
        return;
    if (image.IsIndexed()) {
        // Every entry with the key's colour is a hole, as a colour-keyed blit treats it.
        const int key = ChipKeyIndex(image);
        const QRgb keyColor = image.ColorTable[key] & 0xFFFFFFu;
        std::array<QRgb, 256> lookup{};
        for (int i = 0; i < image.ColorTable.size() && i < 256; ++i) {
            const QRgb c = image.ColorTable[i] & 0xFFFFFFu;
            lookup[static_cast<size_t>(i)] = c == keyColor ? 0u : (0xFF000000u | c);
        }
        QImage prepared(image.Pixels.size(), QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < prepared.height(); ++y) {
            const uchar* s = image.Pixels.constScanLine(y);
            QRgb* d = reinterpret_cast<QRgb*>(prepared.scanLine(y));
            for (int x = 0; x < prepared.width(); ++x)
                d[x] = lookup[s[x]];
        }
        page.Prepared = prepared;
    } else if (image.HasAlpha()) {
        page.Prepared = image.Pixels.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    } else {
        // Sheets without a colour table or alpha have no key: drawn opaque.
        page.Prepared = image.Pixels.convertToFormat(QImage::Format_RGB32)
                            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    const int count = page.ChipCount();
    page.ChipKinds.resize(static_cast<size_t>(count > 0 ? count : 0));
    for (int n = 0; n < count; ++n)
        page.ChipKinds[static_cast<size_t>(n)] = ClassifyChip(page.Prepared, ChipSourceRect(page, n));
}

bool CutChipPage(CChipPage& page, int& chipWidth, int& chipHeight)
{
    if (!page.InUse()) {
        std::string path = std::move(page.FilePath);
        ClearPage(page);
        page.FilePath = std::move(path);
        return false;
    }
    // A zero or negative size would divide by zero or cut nothing: fall back to 16 x 16.
    if (chipWidth <= 0 || chipHeight <= 0) {
        chipWidth = 16;
        chipHeight = 16;
    }
    page.ChipWidth = chipWidth;
    page.ChipHeight = chipHeight;
    page.Columns = page.Image.GetWidth() / chipWidth;
    page.Rows = page.Image.GetHeight() / chipHeight;
    if (page.Columns == 0)
        page.Columns = 1;
    page.LeftChip = -1;
    page.RightChip = -1;
    PrepareChipPage(page);
    return true;
}

bool LoadChipPage(CChipPage& page, const std::string& pathCp932, int& chipWidth, int& chipHeight)
{
    page.FilePath = pathCp932;
    page.Image.Destroy();
    page.Prepared = QImage();
    page.ChipKinds.clear();
    if (!LoadImageFile(page.Image, LocalPathFromCp932(pathCp932))) {
        ClearPage(page);
        return false;
    }
    return CutChipPage(page, chipWidth, chipHeight);
}

bool LoadStoredChipPage(CChipPage& page, const std::string& pathCp932, int& chipWidth,
                        int& chipHeight, std::string& reason)
{
    if (LoadChipPage(page, pathCp932, chipWidth, chipHeight))
        return true;
    reason = SheetFailureReason(pathCp932);
    page.FilePath = pathCp932;
    return false;
}

std::string SheetFailureReason(const std::string& pathCp932)
{
    const std::string local = LocalPathFromCp932(pathCp932);
    struct stat st {};
    if (::stat(local.c_str(), &st) != 0)
        return SystemErrorText(errno);
    if (S_ISDIR(st.st_mode))
        return SystemErrorText(EISDIR);
    // A device or a pipe is never opened: reading one may never end.
    if (!S_ISREG(st.st_mode))
        return "通常のファイルではありません";
    const int fd = ::open(local.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return SystemErrorText(errno);
    ::close(fd);
    return "画像として読み込めません";
}

bool GetChipPageName(int pageNumber, const CChipPage& page, std::string& name)
{
    if (!page.FilePath.empty()) {
        // The text after the last separator; a trail byte 0x5C is part of a character.
        const std::string& path = page.FilePath;
        size_t start = 0;
        for (size_t i = 0; i < path.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(path[i]);
            if (IsCp932LeadByte(c) && i + 1 < path.size()) {
                ++i;
                continue;
            }
            if (c == '\\' || c == '/')
                start = i + 1;
        }
        name = path.substr(start);
        return true;
    }
    if (pageNumber == -1) {
        name.clear();
        return false;
    }
    char digits[16];
    std::snprintf(digits, sizeof digits, "%1d", pageNumber);
    name = Cp932("ページ") + digits;
    return false;
}

QRect ChipSourceRect(const CChipPage& page, int chip)
{
    if (chip < 0 || chip >= page.ChipCount() || page.Columns <= 0)
        return {};
    return QRect((chip % page.Columns) * page.ChipWidth, (chip / page.Columns) * page.ChipHeight,
                 page.ChipWidth, page.ChipHeight);
}
