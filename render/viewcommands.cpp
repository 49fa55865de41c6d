#include "viewcommands.h"

#include "core/quelpdoc.h"
#include "core/updatehint.h"

namespace {

constexpr int kHintZoomChanged = HintMapView | HintErase | HintCaretFont;  // 50

}  // namespace

void OnZoom(CQuelpDoc& doc, int zoom)
{
    if (zoom < 1 || zoom > 4 || doc.Zoom == zoom)
        return;
    doc.DiscardTypedText();
    doc.Zoom = zoom;
    doc.UpdateAllViews(nullptr, kHintZoomChanged);
}

bool OnZoomChecked(const CQuelpDoc& doc, int zoom)
{
    return doc.Zoom == zoom;
}

void OnSelectedLayerOnly(CQuelpDoc& doc)
{
    doc.SelectedLayerOnly = doc.SelectedLayerOnly ? 0 : 1;
    doc.UpdateAllViews(nullptr, HintMapView);
}

bool OnSelectedLayerOnlyChecked(const CQuelpDoc& doc)
{
    return doc.SelectedLayerOnly == 1;
}

void OnGrid(CQuelpDoc& doc)
{
    doc.Grid = doc.Grid ? 0 : 1;
    doc.UpdateAllViews(nullptr, HintMapView);
}

bool OnGridChecked(const CQuelpDoc& doc)
{
    return doc.Grid == 1;
}

bool OnViewCommandEnabled(const CQuelpDoc&)
{
    return true;
}
