#include "cellbuffers.h"

#include "core/cp932.h"
#include "core/quelpdoc.h"
#include "core/uiport.h"
#include "core/updatehint.h"

#include <algorithm>
#include <new>

bool EnsureGrid(const CQuelpDoc& doc, CLayerData& layer)
{
    if (layer.HasGrid())
        return true;
    try {
        layer.Cells.emplace(static_cast<size_t>(doc.Columns) * static_cast<size_t>(doc.Rows),
                            int16_t(-1));
    } catch (const std::bad_alloc&) {
        layer.Cells.reset();
        return false;
    }
    return true;
}

bool CaptureRegion(CQuelpDoc& doc, RegionSnapshot& snapshot, bool emptySource)
{
    snapshot.NoGrid = 0;
    const int w = snapshot.Right - snapshot.Left + 1;
    const int h = snapshot.Bottom - snapshot.Top + 1;
    snapshot.Buffers.clear();
    if (w <= 0 || h <= 0)
        return false;

    for (CLayerData& layer : doc.Layers) {
        if (!layer.HasGrid() || (snapshot.LayerId != -1 && snapshot.LayerId != layer.LayerId))
            continue;
        CDataBuffer buffer;
        buffer.LayerId = layer.LayerId;
        buffer.Width = w;
        buffer.Height = h;
        try {
            buffer.Data.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
        } catch (const std::bad_alloc&) {
            FatalOutOfMemory(doc.Ui(), Cp932("メモリー不足です"));
        }
        CellGrid& cells = *layer.Cells;
        size_t out = 0;
        for (int y = snapshot.Top; y <= snapshot.Bottom; ++y) {
            for (int x = snapshot.Left; x <= snapshot.Right; ++x) {
                // Cells outside the map (never asked for by the callers) read as empty.
                const bool inside = x >= 0 && x < doc.Columns && y >= 0 && y < doc.Rows;
                const size_t at = static_cast<size_t>(y) * doc.Columns + x;
                buffer.Data[out++] = inside ? cells[at] : int16_t(-1);
                if (inside && emptySource)
                    cells[at] = -1;
            }
        }
        try {
            snapshot.Buffers.push_back(std::move(buffer));
        } catch (const std::bad_alloc&) {
            FatalOutOfMemory(doc.Ui(), Cp932("メモリー不足です"));
        }
    }
    return !snapshot.Buffers.empty();
}

void RestoreRegion(CQuelpDoc& doc, const RegionSnapshot& snapshot, int x, int y)
{
    for (CLayerData& layer : doc.Layers) {
        const auto buffer = std::find_if(
            snapshot.Buffers.begin(), snapshot.Buffers.end(),
            [&](const CDataBuffer& b) { return b.LayerId == layer.LayerId; });
        if (buffer == snapshot.Buffers.end())
            continue;
        // Undo may have removed the grid of a layer whose block still floats.
        if (!EnsureGrid(doc, layer))
            continue;
        CellGrid& cells = *layer.Cells;
        // The buffer's own size bounds the copy; the map bounds the writes.
        for (int row = 0; row < buffer->Height; ++row) {
            const int ty = y + row;
            if (ty < 0 || ty >= doc.Rows)
                continue;
            for (int col = 0; col < buffer->Width; ++col) {
                const int tx = x + col;
                if (tx < 0 || tx >= doc.Columns)
                    continue;
                cells[static_cast<size_t>(ty) * doc.Columns + tx] =
                    buffer->Data[static_cast<size_t>(row) * buffer->Width + col];
            }
        }
    }
}

void PushUndo(CQuelpDoc& doc, int layerId, int left, int top, int right, int bottom)
{
    if (layerId > 7)
        return;
    RegionSnapshot& entry = doc.UndoRing[doc.UndoNext];
    entry.Clear();
    entry.LayerId = layerId;
    entry.Left = left;
    entry.Top = top;
    entry.Right = right;
    entry.Bottom = bottom;
    if (layerId != -1) {
        const CLayerData* layer = doc.FindLayer(layerId);
        if (layer && !layer->HasGrid())
            entry.NoGrid = 1;
    }
    if (entry.NoGrid == 0) {
        CaptureRegion(doc, entry, false);
    }
    doc.UndoNext = (doc.UndoNext + 1) % kUndoDepth;
    if (doc.UndoCount < kUndoDepth)
        ++doc.UndoCount;
}

void Undo(CQuelpDoc& doc)
{
    if (!UndoEnabled(doc))
        return;
    doc.UndoNext = doc.UndoNext == 0 ? kUndoDepth - 1 : doc.UndoNext - 1;
    --doc.UndoCount;
    const RegionSnapshot& entry = doc.UndoRing[doc.UndoNext];
    if (entry.NoGrid == 1) {
        // The layer had no grid before: every cell of it was empty.
        if (CLayerData* layer = doc.FindLayer(entry.LayerId))
            layer->Cells.reset();
    } else {
        RestoreRegion(doc, entry, entry.Left, entry.Top);
    }
    doc.SetModifiedFlag();
    doc.UpdateAllViews(nullptr, HintPalette | HintMapView | HintNoView);
}

bool UndoEnabled(const CQuelpDoc& doc)
{
    return doc.UndoCount > 0;
}
