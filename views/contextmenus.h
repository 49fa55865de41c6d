#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QMenu;
class QWidget;

// Command ids of the views' context menus. They keep the numbers of the program's resources, as
// the main window's ids do (app/commandids.h, which brings these into the same namespace).
namespace cmd {
inline constexpr int LayerShow = 32793;
inline constexpr int LayerOptions = 32794;
inline constexpr int LayerMoveLeft = 32795;
inline constexpr int LayerMoveRight = 32796;
inline constexpr int LayerSaveImage = 32797;
inline constexpr int TextEdit = 32829;
inline constexpr int TextDelete = 32827;
inline constexpr int TextMove = 32834;
inline constexpr int TextCopy = 32836;
inline constexpr int EventEdit = 32849;
inline constexpr int EventDelete = 32848;
inline constexpr int EventOpenDestination = 32850;
}  // namespace cmd

/** An item of a context menu: its command id (0 for a separator), its text and the text the
 *  status bar shows while the pointer is on it (empty for none). */
struct ContextMenuItem {
    int Id = 0;
    QString Text;
    QString Status;
};

struct ContextMenuLayout {
    QString Title;
    std::vector<ContextMenuItem> Items;
};

/** "LAYER", the menu of a right click on the layer tabs. */
const ContextMenuLayout& LayerMenuLayout();
/** "MENU_TEXT", the menu of a text under a right click on the texts tab. */
const ContextMenuLayout& TextMenuLayout();
/** "MENU_EVENT", the menu of an event under a right click on the events tab. */
const ContextMenuLayout& EventMenuLayout();

/** Builds a menu from its description, a child of owner; choosing an item calls run with its
 *  id, and each item carries its id as data. While the pointer is on an item, its status text
 *  travels from owner up to the main window (a status tip), and is cleared when the menu
 *  closes. */
std::unique_ptr<QMenu> BuildContextMenu(const ContextMenuLayout& layout, QWidget* owner,
                                        const std::function<void(int id)>& run);
