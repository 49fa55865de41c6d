#pragma once

#include "core/eventdata.h"
#include "stretchmap.h"

#include <QImage>
#include <QPoint>
#include <QRect>

/** The marker rectangle of an event in pixels of a picture whose (0, 0) is the top-left of cell
 *  (rangeLeft, rangeTop); right and bottom edges excluded. */
QRect EventMarkerRect(const CEventData& event, int rangeLeft, int rangeTop, int chipWidth,
                      int chipHeight);

/** Paints the marker: a yellow border one pixel wide and a backward-diagonal hatch (lines rising
 *  to the right, every 8 pixels, fixed to map pixels so that it does not move with the range) in
 *  red, or yellow for event number 0; the gaps stay as they are. rect is in source pixels as
 *  EventMarkerRect gives them, mapped onto the target as ComposeLayers maps them; mapOrigin is
 *  the map pixel of source pixel (0, 0). target is RGB32 or premultiplied ARGB32. */
void PaintEventMarker(QImage& target, QPoint origin, const StretchMap& map, const QRect& rect,
                      int eventType, QPoint mapOrigin);
