#pragma once

#include <string>

class CQuelpDoc;

// Chip page commands of the document: "マップチップ読込" > "ページ0".."ページ7" (ids 32776 to
// 32783, page = id - 32776) and "チップサイズ変更" (id 32774).

/** Asks the UI port for a sheet file and loads it into page 0..7 with the current chip size;
 *  marks the map modified and sends hint 23 whether or not the file loaded. Cancel does nothing. */
void OnLoadChipPage(CQuelpDoc& doc, int page);
/** The load commands are always enabled. */
bool OnLoadChipPageEnabled(const CQuelpDoc& doc);
/** Menu text of the load command of a page (CP932): its file name, or "ページ<n>". */
std::string LoadChipPageMenuText(const CQuelpDoc& doc, int page);

/** The chip size dialog: on OK sets the current chip size (16 + 8 x list index, 8 for no entry),
 *  re-cuts every loaded page, drops the selection, the typed text and the undo ring, marks the
 *  map modified, sends hint 19 and, when asked, stores the size as the default. */
void OnChipSize(CQuelpDoc& doc);
/** Enabled while no layer has a cell grid. */
bool OnChipSizeEnabled(const CQuelpDoc& doc);

/** The list index the chip size dialog shows for a size in pixels; -1 when no entry matches. */
int ChipSizeListIndex(int pixels);
