#include "layermenu.h"

#include "core/quelpdoc.h"
#include "core/updatehint.h"
#include "edit/layeroptions.h"

#include <utility>

namespace {
bool IsLayerTab(int tab) { return tab >= 0 && tab < kLayerCount; }

int* ShownFlag(CQuelpDoc& doc, int tab)
{
    if (IsLayerTab(tab))
        return &doc.Layers[tab].View;
    if (tab == kEventsTab)
        return &doc.ViewEvent;
    if (tab == kTextsTab)
        return &doc.ViewText;
    return nullptr;
}
}  // namespace

int TabImage(const CQuelpDoc& doc, int tab)
{
    const int* shown = ShownFlag(const_cast<CQuelpDoc&>(doc), tab);
    int image = (shown && *shown == 0) ? 1 : 0;
    if (tab == doc.CurrentTab)
        image += 2;
    return image;
}

void SwapLayers(CQuelpDoc& doc, int a, int b)
{
    if (!IsLayerTab(a) || !IsLayerTab(b))
        return;
    doc.DiscardTypedText();
    // The grid storage moves with its record; nothing is copied cell by cell.
    std::swap(doc.Layers[a], doc.Layers[b]);
}

void ToggleTabShown(CQuelpDoc& doc, int menuTab)
{
    if (int* shown = ShownFlag(doc, menuTab))
        *shown = *shown ? 0 : 1;
    doc.SetModifiedFlag();
    doc.UpdateAllViews(nullptr, HintPalette | HintMapView | HintNoView);
}

bool ToggleTabShownEnabled(const CQuelpDoc&, int) { return true; }

bool ToggleTabShownChecked(const CQuelpDoc& doc, int menuTab)
{
    const int* shown = ShownFlag(const_cast<CQuelpDoc&>(doc), menuTab);
    return shown && *shown != 0;
}

bool ApplyLayerSettings(CQuelpDoc& doc, int i, const LayerOptionDialogValues& values)
{
    if (!IsLayerTab(i) || !ApplyLayerOptions(values, doc.Layers[i], doc.ChipPages))
        return false;
    doc.SetModifiedFlag();
    doc.UpdateAllViews(nullptr, HintPalette | HintMapView | HintErase);
    return true;
}

bool LayerSettingsEnabled(const CQuelpDoc&, int menuTab) { return IsLayerTab(menuTab); }

void MoveLayerLeft(CQuelpDoc& doc, int i)
{
    if (i < 1 || i >= kLayerCount)
        return;
    SwapLayers(doc, i, i - 1);
    doc.SetModifiedFlag();
    doc.UpdateAllViews(nullptr, HintPalette | HintMapView);
}

bool MoveLayerLeftEnabled(const CQuelpDoc&, int menuTab)
{
    return IsLayerTab(menuTab) && menuTab > 0;
}

void MoveLayerRight(CQuelpDoc& doc, int i)
{
    if (i < 0 || i >= kLayerCount - 1)
        return;
    SwapLayers(doc, i, i + 1);
    doc.SetModifiedFlag();
    doc.UpdateAllViews(nullptr, HintPalette | HintMapView);
}

bool MoveLayerRightEnabled(const CQuelpDoc&, int menuTab)
{
    return IsLayerTab(menuTab) && menuTab < kLayerCount - 1;
}

bool SaveLayerImageEnabled(const CQuelpDoc& doc, int menuTab)
{
    return IsLayerTab(menuTab) && doc.Layers[menuTab].HasGrid();
}
