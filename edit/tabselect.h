#pragma once

class CQuelpDoc;

/** Makes tab 0..9 current (a layer position, 8 events, 9 texts): the typed text is discarded,
 *  the selection dropped and the mode returns to normal, so that no selection or text move
 *  outlives its tab; hint 23. Called by the layer tab view. */
void SelectLayer(CQuelpDoc& doc, int tab);
