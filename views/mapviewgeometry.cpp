#include "mapviewgeometry.h"

#include <algorithm>
#include <cstdlib>

QSize MapScrollRange(IntSize drawn)
{
    return {drawn.Width + 33, drawn.Height + 33};
}

IntPoint WindowToMapPixel(QPoint window, QPoint scroll)
{
    return {window.x() + scroll.x() - kMapMargin, window.y() + scroll.y() - kMapMargin};
}

QPoint MapPixelToWindow(IntPoint mapPixel, QPoint scroll)
{
    return {mapPixel.X + kMapMargin - scroll.x(), mapPixel.Y + kMapMargin - scroll.y()};
}

bool IsOnMap(IntSize drawn, QPoint scrolled)
{
    return scrolled.x() >= kMapMargin && scrolled.y() >= kMapMargin
        && scrolled.x() < drawn.Width + kMapMargin - 1
        && scrolled.y() < drawn.Height + kMapMargin - 1;
}

IntRect VisibleCellRange(const MapViewGeometry& g, QRect area)
{
    // Integer division truncates toward zero, as the clamping below expects.
    const int zw = g.Zoom * g.ChipWidth;
    const int zh = g.Zoom * g.ChipHeight;
    const int areaRight = area.x() + area.width();   // exclusive edges
    const int areaBottom = area.y() + area.height();
    IntRect r;
    r.Top = (4 * area.y() - 64) / zh;
    r.Left = (4 * area.x() - 64) / zw;
    r.Bottom = (4 * areaBottom - 64) / zh + 1;
    r.Right = (4 * areaRight - 64) / zw + 1;
    r.Top = std::clamp(r.Top, 0, g.Rows - 1);
    r.Bottom = std::clamp(r.Bottom, 0, g.Rows - 1);
    r.Left = std::clamp(r.Left, 0, g.Columns - 1);
    r.Right = std::clamp(r.Right, 0, g.Columns - 1);
    return r;
}

int CellEdgeX(const MapViewGeometry& g, int column)
{
    return g.Zoom * g.ChipWidth * column / 4 + kMapMargin;
}

int CellEdgeY(const MapViewGeometry& g, int row)
{
    return g.Zoom * g.ChipHeight * row / 4 + kMapMargin;
}

int CaretHeight(int fontPixelHeight, int zoom)
{
    const int h = static_cast<int>(std::abs(fontPixelHeight) / (4.0 / zoom));
    return h < 2 ? 2 : h;
}

QPoint CaretWindowPos(IntPoint p, int zoom, QPoint scroll)
{
    const double scale = 4.0 / zoom;
    return {static_cast<int>(p.X / scale) + kMapMargin - scroll.x(),
            static_cast<int>(p.Y / scale) + kMapMargin - scroll.y()};
}
