#include "mapresize.h"

#include "core/cp932.h"
#include "core/dialogvalues.h"
#include "core/quelpdoc.h"
#include "core/uiport.h"
#include "core/updatehint.h"

#include <algorithm>
#include <new>

bool MapSizeValid(const MapSizeDialogValues& values)
{
    auto inRange = [](int n) { return n >= kMinMapCells && n <= kMaxMapCells; };
    return inRange(values.Columns) && inRange(values.Rows);
}

std::string MapSizeRangeMessage()
{
    return Cp932("1 から 512 までの整数を入力してください。");
}

bool ResizeLayerGrid(CLayerData& layer, int oldColumns, int oldRows, int newColumns,
                     int newRows)
{
    if (!layer.HasGrid())
        return true;
    CellGrid grid;
    try {
        grid.assign(static_cast<size_t>(newColumns) * static_cast<size_t>(newRows), int16_t(-1));
    } catch (const std::bad_alloc&) {
        return false;
    }
    const CellGrid& old = *layer.Cells;
    const int keepColumns = std::min(oldColumns, newColumns);
    const int keepRows = std::min(oldRows, newRows);
    for (int y = 0; y < keepRows; ++y)
        std::copy_n(old.begin() + static_cast<std::ptrdiff_t>(y) * oldColumns, keepColumns,
                    grid.begin() + static_cast<std::ptrdiff_t>(y) * newColumns);
    layer.Cells = std::move(grid);
    return true;
}

void ResizeMap(CQuelpDoc& doc)
{
    MapSizeDialogValues values{doc.Columns, doc.Rows};
    // The dialog stays open on a count outside the range.
    for (;;) {
        if (!doc.Ui().RunMapSizeDialog(values))
            return;
        if (MapSizeValid(values))
            break;
        doc.Ui().ShowMessage(MapSizeRangeMessage());
    }

    const int oldColumns = doc.Columns;
    const int oldRows = doc.Rows;
    const bool shrinks = oldColumns > values.Columns || oldRows > values.Rows;
    if (doc.AnyLayerHasGrid() && shrinks &&
        !doc.Ui().AskYesNo(
            Cp932("作成されているデータが切り捨てられる可能性が有ります。よろしいですか？")))
        return;
    if (values.Columns == oldColumns && values.Rows == oldRows)
        return;

    doc.Columns = values.Columns;
    doc.Rows = values.Rows;
    for (CLayerData& layer : doc.Layers)
        if (!ResizeLayerGrid(layer, oldColumns, oldRows, values.Columns, values.Rows))
            FatalOutOfMemory(doc.Ui(), Cp932("メモリー確保に失敗しました。"));

    doc.DiscardTypedText();
    doc.EditMode = 0;
    doc.DropSelection();
    doc.ClearUndo();
    doc.TypedText.clear();
    doc.TypePos = {0, 0};
    doc.PendingLead = 0;
    doc.SetModifiedFlag();
    doc.UpdateAllViews(nullptr, HintMapView | HintErase);
}

bool ResizeMapEnabled(const CQuelpDoc&)
{
    return true;
}
