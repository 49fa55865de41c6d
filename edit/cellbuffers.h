#pragma once

class CQuelpDoc;
struct CLayerData;
struct RegionSnapshot;

/** Fills the snapshot's buffers from every layer with a grid whose identity matches its LayerId
 *  (-1: every layer), over its rectangle in cells. With emptySource the copied cells become
 *  empty. Returns whether a buffer was made. Out of memory ends the program. */
bool CaptureRegion(CQuelpDoc& doc, RegionSnapshot& snapshot, bool emptySource);

/** Writes each buffer into the layer of its identity with its top-left at cell (x, y). A layer
 *  without a grid gets one, all empty, first. Cells outside the map are skipped. */
void RestoreRegion(CQuelpDoc& doc, const RegionSnapshot& snapshot, int x, int y);

/** Records an undo entry for a rectangle in cells (inclusive) of one layer identity, or of every
 *  layer with -1, before it is changed. Identities above 7 are ignored. */
void PushUndo(CQuelpDoc& doc, int layerId, int left, int top, int right, int bottom);

/** Gives the layer a grid of Columns x Rows empty cells unless it has one; false when the grid
 *  could not be allocated. */
bool EnsureGrid(const CQuelpDoc& doc, CLayerData& layer);

/** Command 57643: takes back the latest undo entry (cells found by layer identity); hint 7. */
void Undo(CQuelpDoc& doc);
/** Enabled while an entry can be undone. */
bool UndoEnabled(const CQuelpDoc& doc);
