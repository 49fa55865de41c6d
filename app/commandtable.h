#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <functional>
#include <vector>

class CMainFrame;
class CQuelpDoc;

/** What a command's rules and handler work on. */
struct CommandContext {
    CQuelpDoc& Doc;
    CMainFrame& Frame;
};

using CommandRule = std::function<bool(const CommandContext&)>;
using CommandHandler = std::function<void(CommandContext&)>;
using CommandTextRule = std::function<QString(const CommandContext&)>;

/** One command of the menus, the tool bar or the shortcut keys. */
struct CommandSpec {
    int Id = 0;
    QString Text;                 ///< menu text up to the tab, with its "&" mnemonic
    QString Shown;                ///< shortcut text shown at the right of the item
    QList<QKeySequence> Keys;     ///< keys bound to the command (the accelerator table)
    bool ToolBar = false;
    QString Status;               ///< status bar text
    QString ToolTip;              ///< tool tip: the part after "\n", else the status text
    CommandRule Enabled;          ///< empty: always enabled
    CommandRule Checked;          ///< empty: never checked (not checkable)
    CommandTextRule DynamicText;  ///< empty: the text is fixed
    CommandHandler Handler;
};

/** Runs the handler when there is one and the enable rule allows it. An invalid index thrown by
 *  the handler ends the command quietly. True when the handler ran. */
bool InvokeCommand(const CommandSpec& command, CommandContext& context);

/** An entry of a menu: a command, a separator (Id 0) or a sub-menu. */
struct MenuEntry {
    MenuEntry(int id = 0) : Id(id) {}  // NOLINT: a bare id reads best in the menu tables
    MenuEntry(QString title, std::vector<int> submenu)
        : SubmenuTitle(std::move(title)), Submenu(std::move(submenu)) {}
    int Id = 0;
    QString SubmenuTitle;         ///< non-empty for a sub-menu of the commands in Submenu
    std::vector<int> Submenu;
};

struct MenuSpec {
    QString Title;
    std::vector<MenuEntry> Entries;
};

/** Every command of the main window, in menu order, then those bound only to keys. */
const std::vector<CommandSpec>& CommandTable();
/** The command with that id, or nullptr. */
const CommandSpec* FindCommand(int id);
/** The menu bar, left to right. The entry of the first recent file stands for all four. */
const std::vector<MenuSpec>& MainMenus();
/** The tool bar "標準", left to right; 0 is a separator. */
const std::vector<int>& ToolBarLayout();

// The context menus "LAYER", "MENU_TEXT" and "MENU_EVENT" are the views' own, with their ids,
// texts and status texts: LayerMenuLayout(), TextMenuLayout() and EventMenuLayout() of
// views/contextmenus.h.
