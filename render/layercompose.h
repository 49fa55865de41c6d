#pragma once

#include "core/chippage.h"
#include "core/databuffer.h"
#include "core/geometry.h"
#include "stretchmap.h"

#include <QImage>
#include <QPoint>
#include <cstdint>
#include <vector>

class CQuelpDoc;

/** What one layer contributes to a composition: its grid (with an excluded rectangle), and a
 *  floating buffer drawn beneath its own cells, both on the layer's page. */
struct LayerSource {
    const CChipPage* Page = nullptr;
    const int16_t* Cells = nullptr;   ///< Columns x Rows, row-major; null for none
    int Columns = 0;
    int Rows = 0;
    bool HasExcluded = false;
    IntRect Excluded;                 ///< in cells, inclusive
    const CDataBuffer* Floating = nullptr;
    IntPoint FloatPos;                ///< cell of the buffer's top-left
};

/** The layers DrawMap draws, bottom first, with the rules for the hidden current layer, the
 *  selected-layer-only mode and floating blocks. */
std::vector<LayerSource> MapLayerSources(const CQuelpDoc& doc, bool forScreen);

/** Composes cells of `range` (in cells, inclusive) from the prepared sheets, chips of
 *  cellWidth x cellHeight pixels, source over. Target pixel origin + (i, j) shows pixel
 *  (map.SourceX[i], map.SourceY[j]) of the range's full-size picture; pixels outside the target
 *  are skipped. target is Format_RGB32 or Format_ARGB32_Premultiplied. When groundIsBlack the
 *  covered target area must already be opaque black, which lets the bottom chip be copied. */
void ComposeLayers(const std::vector<LayerSource>& layers, const IntRect& range, int cellWidth,
                   int cellHeight, QImage& target, QPoint origin, const StretchMap& map,
                   bool groundIsBlack);
