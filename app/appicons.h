#pragma once

#include <QIcon>

/** The tool bar picture of a command (16 x 16 logical pixels, drawn in code at 1x, 2x and 3x so
 *  it stays sharp on scaled screens); a null icon for a command without one. */
QIcon ToolBarIcon(int commandId);

/** The program's icon: a small tile map with a pen. */
QIcon ProgramIcon();
