#include "decimal.h"
#include "eventdata.h"
#include "memo.h"

bool ApplyEventDialog(const EventDialogValues& dialog, CEventData& event)
{
    bool changed = false;
    if (dialog.Type != event.Type) {
        event.Type = dialog.Type;
        changed = true;
    }
    if (dialog.Map != event.Map) {
        event.Map = dialog.Map;
        changed = true;
    }
    if (dialog.X != event.Pos.X || dialog.Y != event.Pos.Y) {
        event.Pos = {dialog.X, dialog.Y};
        changed = true;
    }
    if (dialog.Option1 != event.Option[0]) {
        event.Option[0] = dialog.Option1;
        changed = true;
    }
    if (dialog.Option2 != event.Option[1]) {
        event.Option[1] = dialog.Option2;
        changed = true;
    }
    if (dialog.Rem != event.Rem) {
        event.Rem = dialog.Rem;
        changed = true;
    }
    // An event without a number and without a destination does not count.
    if (event.Type == 0 && event.Map.empty())
        return false;
    return changed;
}

bool ApplyTextDialog(const TextDialogValues& dialog, CMemo& memo)
{
    bool changed = false;
    if (dialog.Color != memo.Color) {
        memo.Color = dialog.Color;
        changed = true;
    }
    if (dialog.Text != memo.Text) {
        memo.Text = dialog.Text;
        changed = true;
    }
    const int size = DecimalPrefix(dialog.SizeText);
    if (size != memo.Size) {
        memo.Size = size;
        changed = true;
    }
    return changed;
}
