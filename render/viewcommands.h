#pragma once

class CQuelpDoc;

// The view commands of the menu "表示(&V)": zoom 4/4 (id 32790), 3/4 (32832), 2/4 (32788),
// 1/4 (32786), selected layer only (32854) and grid (32792). All are always enabled and none
// marks the map modified.

/** Sets Zoom (quarters, 1..4): drops a typed text, then hint 50. Nothing when already current. */
void OnZoom(CQuelpDoc& doc, int zoom);
bool OnZoomChecked(const CQuelpDoc& doc, int zoom);

inline void OnZoom4(CQuelpDoc& doc) { OnZoom(doc, 4); }
inline void OnZoom3(CQuelpDoc& doc) { OnZoom(doc, 3); }
inline void OnZoom2(CQuelpDoc& doc) { OnZoom(doc, 2); }
inline void OnZoom1(CQuelpDoc& doc) { OnZoom(doc, 1); }
inline bool OnZoom4Checked(const CQuelpDoc& doc) { return OnZoomChecked(doc, 4); }
inline bool OnZoom3Checked(const CQuelpDoc& doc) { return OnZoomChecked(doc, 3); }
inline bool OnZoom2Checked(const CQuelpDoc& doc) { return OnZoomChecked(doc, 2); }
inline bool OnZoom1Checked(const CQuelpDoc& doc) { return OnZoomChecked(doc, 1); }

/** Inverts SelectedLayerOnly; hint 2. */
void OnSelectedLayerOnly(CQuelpDoc& doc);
bool OnSelectedLayerOnlyChecked(const CQuelpDoc& doc);

/** Inverts Grid; hint 2. */
void OnGrid(CQuelpDoc& doc);
bool OnGridChecked(const CQuelpDoc& doc);

/** Every view command is always enabled. */
bool OnViewCommandEnabled(const CQuelpDoc& doc);
