#pragma once

#include <QRect>

class CQuelpDoc;
class QPainter;

/** Paints the map view for an area in scrolled view pixels (the painter maps scrolled view
 *  pixels onto its device): the grey margin, the visible cells composed at the zoom, the frame
 *  around the map, the grid and the outline of a drag, selection or floating block. */
void PaintMapArea(QPainter& painter, const CQuelpDoc& doc, QRect area);
