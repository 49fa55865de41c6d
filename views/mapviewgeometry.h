#pragma once

#include "core/geometry.h"

#include <QPoint>
#include <QRect>
#include <QSize>

/** What the map view's geometry depends on: zoom in quarters (1..4), the chip size in pixels
 *  and the map size in cells. */
struct MapViewGeometry {
    int Zoom = 4;
    int ChipWidth = 16;
    int ChipHeight = 16;
    int Columns = 1;
    int Rows = 1;
};

/** Margin left of and above the drawn map, in view pixels. */
inline constexpr int kMapMargin = 16;

/** Total scroll range: the drawn map size (CQuelpDoc::GetMapPixelSize at the zoom) plus 33 in
 *  each direction, in view pixels. */
QSize MapScrollRange(IntSize drawn);
/** A window position and the scroll position become a map pixel (at the zoom). */
IntPoint WindowToMapPixel(QPoint window, QPoint scroll);
/** A map pixel (at the zoom) as a window position under the scroll position. */
QPoint MapPixelToWindow(IntPoint mapPixel, QPoint scroll);
/** Whether a scrolled position (window + scroll) lies on the drawn map of that size; the last
 *  pixel column and row of the drawn map do not. */
bool IsOnMap(IntSize drawn, QPoint scrolled);
/** The cells to compose for an area in scrolled view pixels: the cells it touches plus one row
 *  and one column beyond, clamped to the map; inclusive on all sides. */
IntRect VisibleCellRange(const MapViewGeometry& g, QRect area);
/** View pixel (scrolled) where column c starts: z x W x c / 4 + 16, truncated. */
int CellEdgeX(const MapViewGeometry& g, int column);
/** View pixel (scrolled) where row r starts. */
int CellEdgeY(const MapViewGeometry& g, int row);
/** Caret height in view pixels from the pixel height of the text font at full size. */
int CaretHeight(int fontPixelHeight, int zoom);
/** Window position of the caret for a point in full-size map pixels. */
QPoint CaretWindowPos(IntPoint fullSizePixel, int zoom, QPoint scroll);
