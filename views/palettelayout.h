#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class CQuelpDoc;
struct CChipPage;

/** Result of the palette's hit test: whether a chip (or the eraser, chip -1) is under a point. */
struct ChipHit {
    bool Hit = false;
    int Chip = -1;
};

/** The eraser box in palette pixels; right and bottom exclusive. */
inline constexpr QRect kEraserRect{QPoint(15, 15), QPoint(79, 47)};

/** The chip page shown by the palette: the current layer's, or nullptr on the events and texts
 *  tabs and when that page holds no image. */
const CChipPage* PalettePage(const CQuelpDoc& doc);

/** The chip under a point in palette (scroll area) pixels; the last pixel column and row of
 *  the sheet lie outside. */
ChipHit HitTestChip(const CQuelpDoc& doc, QPoint point);

/** Total scroll size of the palette in pixels. */
QSize PaletteScrollSize(const CQuelpDoc& doc);

/** Corners of the outline of chip n in palette pixels: (15 + c x W, 63 + r x H) to
 *  (15 + (c + 1) x W, 63 + (r + 1) x H), as a rectangle whose right and bottom are those
 *  corners. Empty for n = -1. */
QRect ChipOutline(const CChipPage& page, int chip, int chipWidth, int chipHeight);
