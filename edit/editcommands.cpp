#include "editcommands.h"

#include "textedit.h"

#include "core/quelpdoc.h"
#include "core/updatehint.h"

namespace {

constexpr int kHintEdit = HintPalette | HintMapView | HintNoView;  // 7

void SetMode(CQuelpDoc& doc, int mode)
{
    doc.DiscardTypedText();
    doc.EditMode = mode;
    doc.DropSelection();
    doc.UpdateAllViews(nullptr, kHintEdit);
}

int ClipboardLayerId(const CQuelpDoc& doc)
{
    const CLayerData* layer = doc.CurrentLayer();
    return doc.EditMode == 1 && layer ? layer->LayerId : -1;
}

}  // namespace

void SetNormalMode(CQuelpDoc& doc) { SetMode(doc, 0); }
bool SetNormalModeEnabled(const CQuelpDoc&) { return true; }
bool SetNormalModeChecked(const CQuelpDoc& doc) { return doc.EditMode == 0; }

void SetLayerSelectMode(CQuelpDoc& doc)
{
    if (SetLayerSelectModeEnabled(doc))
        SetMode(doc, 1);
}
bool SetLayerSelectModeEnabled(const CQuelpDoc& doc) { return doc.CurrentLayer() != nullptr; }
bool SetLayerSelectModeChecked(const CQuelpDoc& doc) { return doc.EditMode == 1; }

void SetAllLayerSelectMode(CQuelpDoc& doc)
{
    if (SetAllLayerSelectModeEnabled(doc))
        SetMode(doc, 2);
}
bool SetAllLayerSelectModeEnabled(const CQuelpDoc& doc) { return doc.CurrentLayer() != nullptr; }
bool SetAllLayerSelectModeChecked(const CQuelpDoc& doc) { return doc.EditMode == 2; }

void EditCopy(CQuelpDoc& doc)
{
    if (!EditCopyEnabled(doc))
        return;
    doc.Clipboard.LayerId = ClipboardLayerId(doc);
    doc.SelectPhase = 2;
    CaptureRegion(doc, doc.Clipboard, false);
    doc.UpdateAllViews(nullptr, kHintEdit);
}

bool EditCopyEnabled(const CQuelpDoc& doc)
{
    if (doc.SelectPhase != 1)
        return false;
    if (doc.EditMode == 1) {
        const CLayerData* layer = doc.CurrentLayer();
        return layer && layer->HasGrid();
    }
    return doc.EditMode == 2 && doc.AnyLayerHasGrid();
}

void EditCut(CQuelpDoc& doc)
{
    if (!EditCutEnabled(doc))
        return;
    RegionSnapshot& clip = doc.Clipboard;
    clip.LayerId = ClipboardLayerId(doc);
    PushUndo(doc, clip.LayerId, clip.Left, clip.Top, clip.Right, clip.Bottom);
    doc.SelectPhase = 2;
    CaptureRegion(doc, clip, true);
    doc.SetModifiedFlag();
    doc.UpdateAllViews(nullptr, kHintEdit);
}

bool EditCutEnabled(const CQuelpDoc& doc)
{
    return EditCopyEnabled(doc);
}

void EditPaste(CQuelpDoc& doc)
{
    if (doc.EditMode == 3 || doc.EditMode == 4) {
        CompleteTextFloat(doc);
        return;
    }
    if (!EditPasteEnabled(doc) || (doc.EditMode != 1 && doc.EditMode != 2))
        return;
    const RegionSnapshot& clip = doc.Clipboard;
    if (clip.LayerId == -1) {
        // A layer of the block whose grid undo has removed since gets an empty grid first, so
        // that the undo entry below captures it and can take this paste back.
        for (const CDataBuffer& buffer : clip.Buffers)
            if (CLayerData* layer = doc.FindLayer(buffer.LayerId))
                EnsureGrid(doc, *layer);
    }
    const IntPoint at = doc.PastePos;
    PushUndo(doc, clip.LayerId, at.X, at.Y, at.X + (clip.Right - clip.Left),
             at.Y + (clip.Bottom - clip.Top));
    RestoreRegion(doc, clip, at.X, at.Y);
    doc.SetModifiedFlag();
    doc.UpdateAllViews(nullptr, kHintEdit);
}

bool EditPasteEnabled(const CQuelpDoc& doc)
{
    return doc.SelectPhase == 2;
}
