#pragma once

#include "core/geometry.h"

class CQuelpDoc;

/** The release of a drag on the events tab: the event dialog for a new event over a rectangle
 *  in cells (inclusive). Returns whether an event was appended; the caller marks the map
 *  modified and tells the views. */
bool PlaceEvent(CQuelpDoc& doc, const IntRect& cells);

/** Command 32849: the event dialog for event index; its rectangle cannot change. */
void EditEvent(CQuelpDoc& doc, int index);
/** Command 32848: removes event index. */
void DeleteEvent(CQuelpDoc& doc, int index);

/** Index of the first event holding the cell under a map pixel at the current zoom (events tab
 *  only), or -1. */
int HitTestEvent(const CQuelpDoc& doc, int x, int y);
