#pragma once

// A plain reference model of the map's cells and of the editing state that the soak drives the
// document through. It keys grids by layer identity, keeps a full copy of the cells for every
// undo entry, and knows nothing of the document's own buffers: where the two disagree, one of
// them is wrong.

#include "core/eventdata.h"
#include "core/geometry.h"
#include "core/memo.h"

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

/** A layer's cells, row-major; absent when the layer has no grid (every cell empty). */
using ModelGrid = std::optional<std::vector<int16_t>>;
using ModelLayers = std::array<ModelGrid, 8>;  ///< indexed by layer identity 0..7

/** An undo entry as the model sees it: what was about to change and every cell before it. */
struct ModelUndoEntry {
    int LayerId = 0;   ///< -1: every layer
    IntRect Rect;      ///< cells, inclusive
    bool NoGrid = false;
    ModelLayers Before;
};

struct SoakModel {
    int Columns = 0;
    int Rows = 0;
    ModelLayers Grids;
    std::array<int, 8> IdAt{0, 1, 2, 3, 4, 5, 6, 7};  ///< layer identity at each position

    std::deque<ModelUndoEntry> Ring;  ///< oldest first; at most 10
    int Next = 0;                     ///< ring slot written next

    int Tab = 0;
    int Zoom = 4;
    int Mode = 0;
    int Phase = 0;
    IntRect Selection;      ///< cells, inclusive: the clipboard's rectangle
    IntPoint PastePos;
    int BlockLayerId = 0;   ///< -1 all layers
    ModelLayers Block;      ///< captured rectangles by identity, Selection's size
    int MovingText = 0;

    std::vector<CEventData> Events;
    std::vector<CMemo> Texts;
    std::string Typed;

    /** Resets to a new map of columns x rows cells. */
    void Reset(int columns, int rows);

    int16_t At(int id, int x, int y) const;
    void EnsureGrid(int id);
    bool AnyGrid() const;
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < Columns && y < Rows; }

    /** An undo entry before a change of rect of one layer (or all with -1). */
    void Push(int layerId, const IntRect& rect);
    /** Takes the latest entry back: a layer that had no grid loses it; otherwise the captured
     *  layers get the rectangle's old cells. */
    void Undo();
    void ClearUndo();

    /** Fills rect with a chip; the empty chip on a layer without a grid changes nothing. */
    void Paint(int id, const IntRect& rect, int16_t value);
    /** Copy (emptySource false) or cut of Selection into the floating block. */
    void Capture(int layerId, bool emptySource);
    /** Writes the block with its top-left at cell at (one undo entry). */
    void Paste(IntPoint at);
    void DropSelection();
    /** Keeps the top-left cells of every grid at a new size; ends every edit. */
    void Resize(int columns, int rows);
    /** What a save and reload does: layers renumbered by position, all-empty grids dropped,
     *  editing state reset. */
    void Reload();
};

