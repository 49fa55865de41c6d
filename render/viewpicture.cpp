#include "viewpicture.h"

#include "core/chipsize.h"
#include "core/quelpdoc.h"
#include "maprender.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr QRgb kFrameColor = 0xFF00C8C8u;  // RGB(0, 200, 200)

int ViewZoom(const CQuelpDoc& doc)
{
    return std::clamp(doc.Zoom, 1, 4);
}

}  // namespace

IntRect ViewCellRange(const CQuelpDoc& doc, const IntRect& visibleArea)
{
    const int z = ViewZoom(doc);
    const int64_t zw = int64_t{z} * ChipWidth, zh = int64_t{z} * ChipHeight;
    auto cell = [](int64_t pixel, int64_t step) {
        return static_cast<int>((4 * pixel - 64) / step);  // truncating toward zero
    };
    IntRect r{cell(visibleArea.Left, zw), cell(visibleArea.Top, zh),
              cell(visibleArea.Right, zw) + 1, cell(visibleArea.Bottom, zh) + 1};
    r.Left = std::clamp(r.Left, 0, std::max(doc.Columns - 1, 0));
    r.Right = std::clamp(r.Right, 0, std::max(doc.Columns - 1, 0));
    r.Top = std::clamp(r.Top, 0, std::max(doc.Rows - 1, 0));
    r.Bottom = std::clamp(r.Bottom, 0, std::max(doc.Rows - 1, 0));
    return r;
}

bool ComposeViewPicture(const CQuelpDoc& doc, const IntRect& visibleArea, ViewPicture& out)
{
    out = ViewPicture();
    if (doc.Columns <= 0 || doc.Rows <= 0 || ChipWidth <= 0 || ChipHeight <= 0)
        return false;
    const int z = ViewZoom(doc);
    const IntRect range = ViewCellRange(doc, visibleArea);
    const int64_t zw = int64_t{z} * ChipWidth, zh = int64_t{z} * ChipHeight;
    const int dl = static_cast<int>(zw * range.Left / 4 + 16);
    const int dr = static_cast<int>(zw * (range.Right + 1) / 4 + 16);
    const int dt = static_cast<int>(zh * range.Top / 4 + 16);
    const int db = static_cast<int>(zh * (range.Bottom + 1) / 4 + 16);
    const int w = dr - dl, h = db - dt;
    if (w <= 0 || h <= 0)
        return false;
    QImage image(w, h, QImage::Format_RGB32);
    if (image.isNull())
        return false;
    // A black block in a one-pixel frame, the cells stretched inside the frame.
    image.fill(kFrameColor);
    if (w > 2 && h > 2)
        DrawMapScaled(doc, range, true, image, QRect(1, 1, w - 2, h - 2));
    if (doc.Grid) {
        const double stepY = z * ChipHeight * 0.25, stepX = z * ChipWidth * 0.25;
        int y = 0;
        for (int k = 1; k <= range.Bottom - range.Top; ++k) {
            y = static_cast<int>(stepY + y);
            if (y < 0 || y >= h)
                continue;
            QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            std::fill(line, line + w, kFrameColor);
        }
        std::vector<int> columns;
        int x = 0;
        for (int k = 1; k <= range.Right - range.Left; ++k) {
            x = static_cast<int>(stepX + x);
            if (x >= 0 && x < w)
                columns.push_back(x);
        }
        for (int row = 0; row < h; ++row) {
            QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(row));
            for (const int c : columns)
                line[c] = kFrameColor;
        }
    }
    out.Image = image;
    out.TopLeft = QPoint(dl, dt);
    out.Cells = range;
    return true;
}
