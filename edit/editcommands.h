#pragma once

// Handlers of the edit commands with their enable and check rules, for the command table:
//   32812 SetNormalMode, 32805 SetLayerSelectMode, 32807 SetAllLayerSelectMode,
//   57634 EditCopy, 57635 EditCut, 57637 EditPaste, 57643 Undo (cellbuffers.h),
//   32802 ResizeMap (mapresize.h).
// The context menu commands of texts and events take an index: textedit.h, eventedit.h.

#include "cellbuffers.h"
#include "mapresize.h"

class CQuelpDoc;

/** 32812: normal mode; typed text discarded, selection dropped; hint 7. */
void SetNormalMode(CQuelpDoc& doc);
bool SetNormalModeEnabled(const CQuelpDoc& doc);
bool SetNormalModeChecked(const CQuelpDoc& doc);

/** 32805: selection on the current layer. */
void SetLayerSelectMode(CQuelpDoc& doc);
bool SetLayerSelectModeEnabled(const CQuelpDoc& doc);
bool SetLayerSelectModeChecked(const CQuelpDoc& doc);

/** 32807: selection over all layers. */
void SetAllLayerSelectMode(CQuelpDoc& doc);
bool SetAllLayerSelectModeEnabled(const CQuelpDoc& doc);
bool SetAllLayerSelectModeChecked(const CQuelpDoc& doc);

/** 57634: the selection becomes a floating block; the map is not modified; hint 7. */
void EditCopy(CQuelpDoc& doc);
bool EditCopyEnabled(const CQuelpDoc& doc);

/** 57635: as copy, emptying the selected cells (one undo entry). */
void EditCut(CQuelpDoc& doc);
bool EditCutEnabled(const CQuelpDoc& doc);

/** 57637: stamps the floating block at PastePos (one undo entry; it keeps floating), or
 *  completes a text move or copy. */
void EditPaste(CQuelpDoc& doc);
bool EditPasteEnabled(const CQuelpDoc& doc);
