#pragma once

class CQuelpDoc;

/** One CP932 byte typed on the map (texts tab, normal mode). Returns whether the view must
 *  move the caret. A lead byte waits for its trail byte; Backspace removes a whole character;
 *  Enter commits; Esc discards. */
bool TypeChar(CQuelpDoc& doc, unsigned char code);

/** Turns the typed text into a text record at TypePos (full-size map pixels), measured in the
 *  map's font at the current font size; an empty text still makes a record. */
void CommitTypedText(CQuelpDoc& doc);

/** The release of a press on the texts tab: the typing point becomes the press point in
 *  full-size map pixels. */
void PlaceTypingPoint(CQuelpDoc& doc);

/** Command 32829: the text dialog for text index; a change re-measures it, keeping its
 *  top-left. */
void EditText(CQuelpDoc& doc, int index);
/** Command 32827: removes text index. */
void DeleteText(CQuelpDoc& doc, int index);

/** Starts moving (mode 3) or copying (mode 4) text index: it floats at its own place. */
void StartTextFloat(CQuelpDoc& doc, int index, int mode);
/** Command 32834. */
void MoveText(CQuelpDoc& doc, int index);
/** Command 32836. */
void CopyText(CQuelpDoc& doc, int index);

/** A grabbed text follows the pointer (map pixel at the current zoom), centred on it; the pointer
 *  is kept on the map. */
void DragFloatingText(CQuelpDoc& doc, int x, int y);
/** Puts the moving text (or a new copy of it) at PastePos and ends the move; hint 66. */
void CompleteTextFloat(CQuelpDoc& doc);
/** Abandons the move or copy: the text stays where it was; hint 66. */
void CancelTextFloat(CQuelpDoc& doc);
/** The Enter key released in the map view: completes a pending text move or copy. */
void EnterKey(CQuelpDoc& doc);

/** Index of the first text holding a map pixel at the current zoom (texts tab only), or -1. */
int HitTestText(const CQuelpDoc& doc, int x, int y);
