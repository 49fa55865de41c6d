#pragma once

#include "geometry.h"

#include <string>

/** A transfer point: a rectangle of cells (both ends included) leading to another map. */
struct CEventData {
    int Type = 0;          ///< event number; 0 is a plain transfer
    IntRect Rect;          ///< in cells, inclusive on all sides
    std::string Map;       ///< destination map name or path, CP932 bytes
    IntPoint Pos;          ///< destination cell
    int Option[2] = {0, 0};
    std::string Rem;       ///< remark, CP932 bytes
    friend bool operator==(const CEventData&, const CEventData&) = default;
};

/** Values of the event dialog. */
struct EventDialogValues {
    int Type = 0;
    std::string Map;
    int X = 0;
    int Y = 0;
    int Option1 = 0;
    int Option2 = 0;
    std::string Rem;
};

/** Copies what differs into the event; false when nothing changed or when the event then has
 *  neither a number nor a map name. Rect is left alone. */
bool ApplyEventDialog(const EventDialogValues& dialog, CEventData& event);
