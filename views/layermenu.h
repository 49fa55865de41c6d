#pragma once

// The layer menu of the tab view and the document operations behind it. The menu tab is the
// tab last right-clicked: 0..7 a layer position, 8 "Event", 9 "Text", 10 no tab.
//   32793 "表示" ToggleTabShown, 32794 "設定変更" ApplyLayerSettings (after the dialog),
//   32795 "左(下)へ移動" MoveLayerLeft, 32796 "右(上)へ移動" MoveLayerRight,
//   32797 "イメージ保存" (the layer image save of the export side).

struct LayerOptionDialogValues;
class CQuelpDoc;

inline constexpr int kNoTab = 10;

/** Image of a tab: 1 added when its content is hidden, 2 when it is the current tab. */
int TabImage(const CQuelpDoc& doc, int tab);

/** Exchanges the whole layer records at two positions (identity, page, shown flag, name, cells,
 *  binary properties); typed text is discarded; the current tab index stays. */
void SwapLayers(CQuelpDoc& doc, int a, int b);

/** 32793: inverts the shown flag of the menu tab's layer, the events or the texts; marks the
 *  map modified (also with no tab); hint 7. */
void ToggleTabShown(CQuelpDoc& doc, int menuTab);
bool ToggleTabShownEnabled(const CQuelpDoc& doc, int menuTab);
/** The shown flag of the menu tab's content; false when no tab was hit. */
bool ToggleTabShownChecked(const CQuelpDoc& doc, int menuTab);

/** 32794 after OK: applies the dialog to layer position i; when something changed, marks the map
 *  modified and sends hint 19. Returns whether something changed. */
bool ApplyLayerSettings(CQuelpDoc& doc, int i, const LayerOptionDialogValues& values);
bool LayerSettingsEnabled(const CQuelpDoc& doc, int menuTab);

/** 32795: swaps layer position i with i - 1; marks modified; hint 3. */
void MoveLayerLeft(CQuelpDoc& doc, int i);
bool MoveLayerLeftEnabled(const CQuelpDoc& doc, int menuTab);
/** 32796: swaps layer position i with i + 1; marks modified; hint 3. */
void MoveLayerRight(CQuelpDoc& doc, int i);
bool MoveLayerRightEnabled(const CQuelpDoc& doc, int menuTab);

/** 32797 is enabled on a layer that has a cell grid. */
bool SaveLayerImageEnabled(const CQuelpDoc& doc, int menuTab);
