#include "soakmodel.h"

#include <algorithm>

namespace {

constexpr int kRingDepth = 10;

size_t Index(int columns, int x, int y)
{
    return static_cast<size_t>(y) * static_cast<size_t>(columns) + static_cast<size_t>(x);
}

}  // namespace

void SoakModel::Reset(int columns, int rows)
{
    *this = SoakModel();
    Columns = columns;
    Rows = rows;
}

int16_t SoakModel::At(int id, int x, int y) const
{
    const ModelGrid& grid = Grids[id];
    return grid ? (*grid)[Index(Columns, x, y)] : int16_t(-1);
}

void SoakModel::EnsureGrid(int id)
{
    if (!Grids[id])
        Grids[id].emplace(static_cast<size_t>(Columns) * Rows, int16_t(-1));
}

bool SoakModel::AnyGrid() const
{
    return std::any_of(Grids.begin(), Grids.end(), [](const ModelGrid& g) { return g.has_value(); });
}

void SoakModel::Push(int layerId, const IntRect& rect)
{
    ModelUndoEntry entry;
    entry.LayerId = layerId;
    entry.Rect = rect;
    entry.NoGrid = layerId != -1 && !Grids[layerId];
    entry.Before = Grids;
    Ring.push_back(std::move(entry));
    if (static_cast<int>(Ring.size()) > kRingDepth)
        Ring.pop_front();
    Next = (Next + 1) % kRingDepth;
}

void SoakModel::Undo()
{
    if (Ring.empty())
        return;
    const ModelUndoEntry entry = std::move(Ring.back());
    Ring.pop_back();
    Next = (Next + kRingDepth - 1) % kRingDepth;
    if (entry.NoGrid) {
        Grids[entry.LayerId].reset();
        return;
    }
    for (int id = 0; id < 8; ++id) {
        if ((entry.LayerId != -1 && entry.LayerId != id) || !entry.Before[id])
            continue;
        EnsureGrid(id);
        for (int y = entry.Rect.Top; y <= entry.Rect.Bottom; ++y)
            for (int x = entry.Rect.Left; x <= entry.Rect.Right; ++x)
                (*Grids[id])[Index(Columns, x, y)] = (*entry.Before[id])[Index(Columns, x, y)];
    }
}

void SoakModel::ClearUndo()
{
    Ring.clear();
    Next = 0;
}

void SoakModel::Paint(int id, const IntRect& rect, int16_t value)
{
    Push(id, rect);
    if (value == -1 && !Grids[id])
        return;
    EnsureGrid(id);
    for (int y = rect.Top; y <= rect.Bottom; ++y)
        for (int x = rect.Left; x <= rect.Right; ++x)
            (*Grids[id])[Index(Columns, x, y)] = value;
}

void SoakModel::Capture(int layerId, bool emptySource)
{
    BlockLayerId = layerId;
    if (emptySource)
        Push(layerId, Selection);
    const IntRect& r = Selection;
    for (int id = 0; id < 8; ++id) {
        Block[id].reset();
        if ((layerId != -1 && layerId != id) || !Grids[id])
            continue;
        std::vector<int16_t> cells;
        for (int y = r.Top; y <= r.Bottom; ++y)
            for (int x = r.Left; x <= r.Right; ++x) {
                cells.push_back((*Grids[id])[Index(Columns, x, y)]);
                if (emptySource)
                    (*Grids[id])[Index(Columns, x, y)] = -1;
            }
        Block[id] = std::move(cells);
    }
    Phase = 2;
}

void SoakModel::Paste(IntPoint at)
{
    const int w = Selection.Right - Selection.Left + 1;
    const int h = Selection.Bottom - Selection.Top + 1;
    // An all-layer block first gives its layers back the grids undo may have taken, so that the
    // entry captures them.
    if (BlockLayerId == -1)
        for (int id = 0; id < 8; ++id)
            if (Block[id])
                EnsureGrid(id);
    Push(BlockLayerId, {at.X, at.Y, at.X + w - 1, at.Y + h - 1});
    for (int id = 0; id < 8; ++id) {
        if (!Block[id])
            continue;
        EnsureGrid(id);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                (*Grids[id])[Index(Columns, at.X + x, at.Y + y)] =
                    (*Block[id])[Index(w, x, y)];
    }
}

void SoakModel::DropSelection()
{
    if (Mode == 3 || Mode == 4)
        Mode = 0;  // a text move cannot outlive the place it would go to
    Phase = 0;
    Selection = {};
    PastePos = {};
    BlockLayerId = 0;
    for (ModelGrid& b : Block)
        b.reset();
}

void SoakModel::Resize(int columns, int rows)
{
    for (ModelGrid& grid : Grids) {
        if (!grid)
            continue;
        std::vector<int16_t> cells(static_cast<size_t>(columns) * rows, int16_t(-1));
        for (int y = 0; y < std::min(rows, Rows); ++y)
            for (int x = 0; x < std::min(columns, Columns); ++x)
                cells[Index(columns, x, y)] = (*grid)[Index(Columns, x, y)];
        grid = std::move(cells);
    }
    Columns = columns;
    Rows = rows;
    Mode = 0;
    DropSelection();
    ClearUndo();
    Typed.clear();
}

void SoakModel::Reload()
{
    ModelLayers renumbered;
    for (int pos = 0; pos < 8; ++pos) {
        ModelGrid grid = Grids[IdAt[pos]];
        if (grid && std::all_of(grid->begin(), grid->end(), [](int16_t c) { return c == -1; }))
            grid.reset();
        renumbered[pos] = std::move(grid);
        IdAt[pos] = pos;
    }
    Grids = std::move(renumbered);
    Zoom = 4;
    Mode = 0;
    DropSelection();
    ClearUndo();
    Typed.clear();
}

