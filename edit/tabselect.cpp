#include "tabselect.h"

#include "core/quelpdoc.h"
#include "core/updatehint.h"

void SelectLayer(CQuelpDoc& doc, int tab)
{
    if (tab < 0 || tab > kTextsTab)
        return;
    doc.DiscardTypedText();
    doc.DropSelection();
    doc.CurrentTab = tab;
    doc.EditMode = 0;
    doc.UpdateAllViews(nullptr, HintPalette | HintMapView | HintNoView | HintErase);
}
