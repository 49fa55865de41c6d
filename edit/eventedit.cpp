#include "eventedit.h"

#include "celledit.h"

#include "core/quelpdoc.h"
#include "core/uiport.h"
#include "core/updatehint.h"

bool PlaceEvent(CQuelpDoc& doc, const IntRect& cells)
{
    EventDialogValues values;
    if (!doc.Ui().RunEventDialog(values))
        return false;
    CEventData event;
    if (!ApplyEventDialog(values, event))
        return false;
    event.Rect = cells;
    doc.Events.Append(event);
    return true;
}

void EditEvent(CQuelpDoc& doc, int index)
{
    CEventData copy = doc.Events.At(index);
    doc.EditMode = 0;
    doc.DropSelection();
    doc.UpdateAllViews(nullptr, HintPalette | HintMapView | HintNoView);

    EventDialogValues values;
    values.Type = copy.Type;
    values.Map = copy.Map;
    values.X = copy.Pos.X;
    values.Y = copy.Pos.Y;
    values.Rem = copy.Rem;
    values.Option1 = copy.Option[0];
    values.Option2 = copy.Option[1];
    if (!doc.Ui().RunEventDialog(values) || !ApplyEventDialog(values, copy))
        return;
    doc.Events.At(index) = copy;
    doc.SetModifiedFlag();
    doc.UpdateAllViews(nullptr, HintMapView);
}

void DeleteEvent(CQuelpDoc& doc, int index)
{
    doc.Events.RemoveAt(index);
    doc.SetModifiedFlag();
    doc.UpdateAllViews(nullptr, HintMapView);
}

int HitTestEvent(const CQuelpDoc& doc, int x, int y)
{
    if (doc.CurrentTab != kEventsTab)
        return -1;
    const IntPoint cell = CellFromPoint(doc, x, y);
    int index = 0;
    for (const CEventData& event : doc.Events) {
        const IntRect& r = event.Rect;
        if (cell.X >= r.Left && cell.X <= r.Right && cell.Y >= r.Top && cell.Y <= r.Bottom)
            return index;
        ++index;
    }
    return -1;
}
