#pragma once

// The views' context menu ids (cmd::LayerShow and the others) live with their menus.
#include "views/contextmenus.h"

// Command ids of the menus, the tool bar and the shortcut keys. They keep the numbers of the
// program's resources so that tables, tests and status texts speak of the same commands.
namespace cmd {
inline constexpr int LoadChipPage0 = 32776;  ///< 32776..32783: pages 0..7
inline constexpr int LoadChipPage7 = 32783;
inline constexpr int MapSize = 32802;
inline constexpr int ChipSize = 32774;
inline constexpr int FileNew = 57600;
inline constexpr int FileOpen = 57601;
inline constexpr int FileSave = 57603;
inline constexpr int FileSaveAs = 57604;
inline constexpr int SaveImage = 32816;
inline constexpr int BinarySave = 32852;
inline constexpr int Print = 57607;
inline constexpr int Settings = 32821;
inline constexpr int RecentFile1 = 57616;  ///< 57616..57619: the four recent files
inline constexpr int RecentFileCount = 4;
inline constexpr int AppExit = 57665;
inline constexpr int Undo = 57643;
inline constexpr int ModeNormal = 32812;
inline constexpr int ModeLayerSelect = 32805;
inline constexpr int ModeAllSelect = 32807;
inline constexpr int Cut = 57635;
inline constexpr int Copy = 57634;
inline constexpr int Paste = 57637;
inline constexpr int Zoom4 = 32790;
inline constexpr int Zoom3 = 32832;
inline constexpr int Zoom2 = 32788;
inline constexpr int Zoom1 = 32786;
inline constexpr int SelectedLayerOnly = 32854;
inline constexpr int Grid = 32792;
inline constexpr int ViewToolBar = 59392;
inline constexpr int ViewStatusBar = 59393;
inline constexpr int Help = 57667;
inline constexpr int About = 57664;
inline constexpr int NextPane = 57680;
inline constexpr int PrevPane = 57681;

}  // namespace cmd
