#include "celledit.h"

#include "cellbuffers.h"
#include "eventedit.h"
#include "textedit.h"

#include "core/chipsize.h"
#include "core/quelpdoc.h"
#include "core/uiport.h"
#include "core/updatehint.h"

#include <algorithm>

namespace {

IntRect Normalised(IntPoint a, IntPoint b)
{
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

int ClampedCell(int pixel, int zoom, int chip, int count)
{
    const int cell = static_cast<int>(pixel * 4.0 / (zoom * chip));
    return std::clamp(cell, 0, std::max(count - 1, 0));
}

bool IsBlockMode(int editMode)
{
    return editMode == 1 || editMode == 2;
}

bool IsTextMode(int editMode)
{
    return editMode == 3 || editMode == 4;
}

void Paint(CQuelpDoc& doc, const IntRect& cells)
{
    CLayerData& layer = doc.Layers[doc.CurrentTab];
    PushUndo(doc, layer.LayerId, cells.Left, cells.Top, cells.Right, cells.Bottom);
    const int slot = std::clamp(layer.ChipPage, 0, kChipPageCount - 1);
    const CChipPage& page = doc.ChipPages[slot];
    FillCells(doc, doc.ButtonDown == 2 ? page.RightChip : page.LeftChip, layer, cells);
}

// A grabbed block follows the pointer in whole cells and never leaves the map; the pointer
// snaps back to the last accepted place when it would.
void DragBlock(CQuelpDoc& doc, int x, int y)
{
    const RegionSnapshot& clip = doc.Clipboard;
    const int dx = static_cast<int>((x - doc.DragAnchor.X) * 4.0 / (doc.Zoom * ChipWidth) + 0.5);
    const int dy = static_cast<int>((y - doc.DragAnchor.Y) * 4.0 / (doc.Zoom * ChipHeight) + 0.5);
    const IntPoint candidate{clip.Left + dx, clip.Top + dy};
    // Back over its starting cell the block returns there; only when it is already there is
    // there nothing to do.
    if (dx == 0 && dy == 0 && doc.PastePos == candidate)
        return;
    const bool inside = candidate.X >= 0 && candidate.X + (clip.Right - clip.Left) < doc.Columns &&
                        candidate.Y >= 0 && candidate.Y + (clip.Bottom - clip.Top) < doc.Rows;
    if (inside) {
        doc.PastePos = candidate;
        doc.DragPoint = {x, y};
    } else {
        doc.Ui().MovePointer(doc.DragPoint);
    }
    doc.UpdateAllViews(nullptr, HintMapView);
}

}  // namespace

IntPoint CellFromPoint(const CQuelpDoc& doc, int x, int y)
{
    return {ClampedCell(x, doc.Zoom, ChipWidth, doc.Columns),
            ClampedCell(y, doc.Zoom, ChipHeight, doc.Rows)};
}

bool ButtonPress(CQuelpDoc& doc, int button, int x, int y)
{
    if (doc.ButtonDown != 0)
        return false;
    if (doc.SelectPhase != 2 && doc.CurrentTab == kTextsTab) {
        doc.ButtonDown = button;
        doc.DragAnchor = {x, y};
        doc.DiscardTypedText();
        return true;
    }
    if (doc.EditMode != 0) {
        if (button == 2)
            return false;
        if (doc.SelectPhase == 2) {
            const IntRect r = GetHighlightRect(doc).Rect;
            if (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom) {
                doc.DragAnchor = {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
                doc.Ui().MovePointer(doc.DragAnchor);
            } else {
                // Dropped without being written; the mode stays.
                doc.SelectPhase = 0;
            }
        }
    }
    doc.ButtonDown = button;
    if (doc.SelectPhase < 2) {
        doc.SelectPhase = 0;
        doc.DragAnchor = CellFromPoint(doc, x, y);
    }
    doc.DragPoint = doc.DragAnchor;
    doc.UpdateAllViews(nullptr, HintMapView);
    return true;
}

bool PointerMove(CQuelpDoc& doc, int x, int y)
{
    if (doc.ButtonDown == 0)
        return false;
    if (doc.SelectPhase != 2) {
        if (doc.CurrentTab == kTextsTab)
            return false;
        doc.DragPoint = CellFromPoint(doc, x, y);
        doc.UpdateAllViews(nullptr, HintMapView);
        return true;
    }
    if (IsTextMode(doc.EditMode))
        DragFloatingText(doc, x, y);
    else
        DragBlock(doc, x, y);
    return true;
}

bool ButtonRelease(CQuelpDoc& doc, int x, int y)
{
    if (doc.ButtonDown == 0)
        return true;
    if (doc.CurrentTab == kTextsTab && doc.SelectPhase != 2) {
        PlaceTypingPoint(doc);
        doc.ButtonDown = 0;
        return true;
    }
    doc.DragPoint = CellFromPoint(doc, x, y);
    const IntRect rect = Normalised(doc.DragAnchor, doc.DragPoint);
    bool changed = false;
    if (doc.EditMode == 0) {
        if (doc.CurrentTab >= 0 && doc.CurrentTab < kLayerCount) {
            Paint(doc, rect);
            changed = true;
        } else if (doc.CurrentTab == kEventsTab) {
            changed = PlaceEvent(doc, rect);
        }
    } else if (IsBlockMode(doc.EditMode)) {
        RegionSnapshot& clip = doc.Clipboard;
        if (doc.SelectPhase < 2) {
            clip.Left = rect.Left;
            clip.Top = rect.Top;
            clip.Right = rect.Right;
            clip.Bottom = rect.Bottom;
            doc.PastePos = {rect.Left, rect.Top};
            doc.SelectPhase = 1;
        } else {
            clip.Right = doc.PastePos.X + (clip.Right - clip.Left);
            clip.Bottom = doc.PastePos.Y + (clip.Bottom - clip.Top);
            clip.Left = doc.PastePos.X;
            clip.Top = doc.PastePos.Y;
        }
    }
    doc.ButtonDown = 0;
    if (changed)
        doc.SetModifiedFlag();
    doc.UpdateAllViews(nullptr, HintMapView);
    return true;
}

void FillCells(const CQuelpDoc& doc, int16_t value, CLayerData& layer, const IntRect& cells)
{
    if (value == -1 && !layer.HasGrid())
        return;
    if (!EnsureGrid(doc, layer))
        return;
    CellGrid& grid = *layer.Cells;
    const int left = std::max(cells.Left, 0);
    const int right = std::min(cells.Right, doc.Columns - 1);
    for (int y = std::max(cells.Top, 0); y <= std::min(cells.Bottom, doc.Rows - 1); ++y)
        for (int x = left; x <= right; ++x)
            grid[static_cast<size_t>(y) * doc.Columns + x] = value;
}

void CancelFloating(CQuelpDoc& doc)
{
    if (doc.SelectPhase == 0)
        return;
    doc.SelectPhase = 0;
    if (IsTextMode(doc.EditMode)) {
        CancelTextFloat(doc);
        return;
    }
    doc.Clipboard.Clear();
    doc.UpdateAllViews(nullptr, HintPalette | HintMapView);
}

HighlightRect GetHighlightRect(const CQuelpDoc& doc, int zoom)
{
    HighlightRect out;
    IntRect& r = out.Rect;
    const RegionSnapshot& clip = doc.Clipboard;
    if (doc.SelectPhase == 2) {
        int w = clip.Right - clip.Left;
        int h = clip.Bottom - clip.Top;
        if (IsTextMode(doc.EditMode)) {
            if (doc.MovingText < 0 || doc.MovingText >= doc.Texts.GetCount())
                return {};
            const IntRect& text = doc.Texts.At(doc.MovingText).Rect;
            w = text.Right - text.Left;
            h = text.Bottom - text.Top;
        }
        out.Kind = 3;
        r = {doc.PastePos.X, doc.PastePos.Y, doc.PastePos.X + w, doc.PastePos.Y + h};
    } else if (doc.SelectPhase == 1) {
        out.Kind = 2;
        r = {clip.Left, clip.Top, clip.Right, clip.Bottom};
    } else if (doc.ButtonDown != 0 && doc.CurrentTab >= 0 && doc.CurrentTab < kTextsTab) {
        out.Kind = 1;
        r = Normalised(doc.DragAnchor, doc.DragPoint);
    } else {
        return {};
    }
    if (!IsTextMode(doc.EditMode))
        r = {r.Left * ChipWidth, r.Top * ChipHeight, (r.Right + 1) * ChipWidth,
             (r.Bottom + 1) * ChipHeight};
    const double scale = 4.0 / zoom;
    r = {static_cast<int>(r.Left / scale), static_cast<int>(r.Top / scale),
         static_cast<int>(r.Right / scale), static_cast<int>(r.Bottom / scale)};
    return out;
}

HighlightRect GetHighlightRect(const CQuelpDoc& doc)
{
    return GetHighlightRect(doc, doc.Zoom);
}
