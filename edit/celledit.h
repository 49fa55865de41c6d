#pragma once

#include "core/geometry.h"

#include <cstdint>

class CQuelpDoc;
struct CLayerData;

/** The cell under a map pixel at the current zoom, clamped to the map. */
IntPoint CellFromPoint(const CQuelpDoc& doc, int x, int y);

/** A mouse button (1 left, 2 right) pressed at a map pixel at the current zoom. Returns whether
 *  the view is to capture the mouse. */
bool ButtonPress(CQuelpDoc& doc, int button, int x, int y);

/** The pointer moved to a map pixel while a button is held; returns whether anything changed. */
bool PointerMove(CQuelpDoc& doc, int x, int y);

/** The button of the gesture released at a map pixel: paints, places an event, selects or drops
 *  the floating block. Returns whether the view is to release the mouse capture (always). */
bool ButtonRelease(CQuelpDoc& doc, int x, int y);

/** Fills a rectangle in cells (inclusive) of a layer with a chip number (-1 empty). The empty
 *  chip on a layer without a grid changes nothing; otherwise a missing grid is made first, and
 *  when it cannot be made nothing is painted. */
void FillCells(const CQuelpDoc& doc, int16_t value, CLayerData& layer, const IntRect& cells);

/** The Esc key: drops a floating block (hint 3) or abandons a text move or copy. */
void CancelFloating(CQuelpDoc& doc);

/** What the map view outlines: 0 nothing, 1 a rectangle being dragged (white), 2 a selection
 *  (yellow), 3 a floating block or text (magenta). */
struct HighlightRect {
    int Kind = 0;
    IntRect Rect;   ///< map pixels at the given zoom, right and bottom exclusive
    friend bool operator==(const HighlightRect&, const HighlightRect&) = default;
};

/** The outline at a zoom in quarters (1..4). */
HighlightRect GetHighlightRect(const CQuelpDoc& doc, int zoom);
/** The outline at the document's zoom. */
HighlightRect GetHighlightRect(const CQuelpDoc& doc);
