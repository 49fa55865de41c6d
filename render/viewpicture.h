#pragma once

#include "core/geometry.h"

#include <QImage>
#include <QPoint>

class CQuelpDoc;

/** What the map view copies to the window: the framed, zoomed picture of the visible cells. */
struct ViewPicture {
    QImage Image;        ///< w x h, RGB32: a one-pixel frame, the stretched cells, the grid
    QPoint TopLeft;      ///< where it goes, in view pixels of the scrolled area (16-pixel margin)
    IntRect Cells;       ///< the cell range shown, inclusive
};

/** The cell range the view shows for a visible area in view pixels of the scrolled area (right
 *  and bottom exclusive), at the document's zoom, one cell beyond on the right and bottom,
 *  clamped to the map. */
IntRect ViewCellRange(const CQuelpDoc& doc, const IntRect& visibleArea);

/** Composes the view's picture: frame and black ground, the cells of ViewCellRange stretched
 *  into the frame's inside, and the grid when it is on. The outline rectangle of a selection is
 *  left to the view. False when the map has no cells or the picture cannot be made. */
bool ComposeViewPicture(const CQuelpDoc& doc, const IntRect& visibleArea, ViewPicture& out);
