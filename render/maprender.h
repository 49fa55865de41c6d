#pragma once

#include "core/chippage.h"
#include "core/cimage.h"
#include "core/geometry.h"
#include "core/layerdata.h"
#include "core/memo.h"
#include "core/quelpdoc.h"

#include <QImage>
#include <QPainter>
#include <QRect>
#include <array>
#include <string>

// Drawing the map. A cell range is an IntRect in cells with all four edges inclusive; the
// picture of a range has its pixel (0, 0) at the top-left of cell (range.Left, range.Top) and one
// chip of the current chip size per cell ("full size").

using ChipPageArray = std::array<CChipPage, kChipPageCount>;

/** The whole map as a cell range. */
IntRect WholeMapRange(const CQuelpDoc& doc);

/** Draws the range at full size over what the surface holds: the layers bottom first (on screen
 *  the current layer even when hidden, with floating blocks), event markers, texts, the typed
 *  text and a moved text. forScreen is set only for the map view. Any QImage format. */
void DrawMap(const CQuelpDoc& doc, QImage& surface, const IntRect& range, bool forScreen);
/** The same onto any painter (a printer, a widget), in the painter's coordinates. */
void DrawMap(const CQuelpDoc& doc, QPainter& surface, const IntRect& range, bool forScreen);
/** DrawMap onto the picture's pixels; false for an empty picture. */
bool DrawMapToImage(CImage& image, const CQuelpDoc& doc, const IntRect& range, bool forScreen);

/** The map view's composition: the picture DrawMap gives on a black ground, stretched
 *  nearest-neighbour (StretchMap::Fit) onto dest, a rectangle of target (RGB32 or premultiplied
 *  ARGB32), composed at the target scale so that its cost follows the target's size. */
void DrawMapScaled(const CQuelpDoc& doc, const IntRect& range, bool forScreen, QImage& target,
                   const QRect& dest);

/** One layer's cells of the range, chips keyed as the page says. False when the layer has no
 *  cells or its page no image. columns x rows is the map size in cells. */
bool DrawLayerCells(const ChipPageArray& pages, const IntRect& range, const CLayerData& layer,
                    QImage& surface, int columns, int rows);
/** DrawLayerCells onto a picture. An indexed picture over an indexed sheet receives the sheet's
 *  colour indices (holes keep the picture's own index). */
bool DrawLayerToImage(CImage& image, const CLayerData& layer, const ChipPageArray& pages,
                      const IntRect& range, int columns, int rows);

/** A text on one line in its colour and size in the face (CP932), its top-left at the
 *  rectangle's top-left minus the origin (map pixels); nothing is clipped or wrapped. */
void DrawMemo(const CMemo& memo, QPainter& surface, const std::string& faceCp932, int originX,
              int originY);
