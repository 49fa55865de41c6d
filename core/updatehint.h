#pragma once

/** Bits of the hint that the document sends to its views after a change. */
enum UpdateHint : int {
    HintPalette = 0x01,    ///< chip palette: recompute scroll size, repaint
    HintMapView = 0x02,    ///< map view: recompute scroll size, repaint
    HintNoView = 0x04,     ///< no view reacts
    HintErase = 0x10,      ///< erase the background before repainting
    HintCaretFont = 0x20,  ///< re-create a shown typing caret (font or zoom changed)
    HintCaretShow = 0x40,  ///< show or hide the typing caret by tab and edit mode
};
