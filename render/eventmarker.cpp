#include "eventmarker.h"

#include <algorithm>

namespace {

constexpr QRgb kBorder = 0xFFFFFF00u;   // RGB(255, 255, 0)
constexpr QRgb kHatchRed = 0xFFFF0000u; // RGB(255, 0, 0)

/** Target indices [first, last) whose source index lies in [low, high). */
std::pair<int, int> TargetSpan(const std::vector<int>& source, int lo, int hi, int clipLo,
                               int clipHi)
{
    const auto begin = source.begin() + clipLo, end = source.begin() + clipHi;
    const int first = static_cast<int>(std::lower_bound(begin, end, lo) - source.begin());
    const int last = static_cast<int>(std::lower_bound(begin, end, hi) - source.begin());
    return {first, last};
}

}  // namespace

QRect EventMarkerRect(const CEventData& event, int rangeLeft, int rangeTop, int chipWidth,
                      int chipHeight)
{
    const int left = (event.Rect.Left - rangeLeft) * chipWidth;
    const int top = (event.Rect.Top - rangeTop) * chipHeight;
    const int right = (event.Rect.Right + 1 - rangeLeft) * chipWidth;
    const int bottom = (event.Rect.Bottom + 1 - rangeTop) * chipHeight;
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void PaintEventMarker(QImage& target, QPoint origin, const StretchMap& map, const QRect& rect,
                      int eventType, QPoint mapOrigin)
{
    if (rect.isEmpty())
        return;
    if (target.format() != QImage::Format_RGB32
        && target.format() != QImage::Format_ARGB32_Premultiplied)
        return;
    const QRgb hatch = eventType != 0 ? kHatchRed : kBorder;
    const int l = rect.left(), t = rect.top(), r = rect.right() + 1, b = rect.bottom() + 1;
    const int i0 = std::max(0, -origin.x());
    const int i1 = std::min(static_cast<int>(map.SourceX.size()), target.width() - origin.x());
    const int j0 = std::max(0, -origin.y());
    const int j1 = std::min(static_cast<int>(map.SourceY.size()), target.height() - origin.y());
    if (i0 >= i1 || j0 >= j1)
        return;
    const auto [xa, xb] = TargetSpan(map.SourceX, l, r, i0, i1);
    const auto [ya, yb] = TargetSpan(map.SourceY, t, b, j0, j1);
    for (int j = ya; j < yb; ++j) {
        const int sy = map.SourceY[static_cast<size_t>(j)];
        QRgb* d = reinterpret_cast<QRgb*>(target.scanLine(origin.y() + j)) + origin.x();
        const bool edgeRow = sy == t || sy == b - 1;
        const int phase = sy + mapOrigin.y() + mapOrigin.x();
        for (int i = xa; i < xb; ++i) {
            const int sx = map.SourceX[static_cast<size_t>(i)];
            if (edgeRow || sx == l || sx == r - 1)
                d[i] = kBorder;
            else if (((sx + phase) & 7) == 7)
                d[i] = hatch;
        }
    }
}
