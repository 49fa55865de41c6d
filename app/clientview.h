#pragma once

class CMainFrame;
class CQuelpDoc;
class QtUiPort;

/** Puts the views (the layer tabs holding the chip palette and the map view) into the frame,
 *  gives the frame its two panes and the UI port the map view's pointer mapping. */
void CreateClientView(CMainFrame& frame, CQuelpDoc& doc, QtUiPort& ui);
