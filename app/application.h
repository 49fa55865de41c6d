#pragma once

/** The editor: starts the window on a new map, or on the map named by the first argument.
 *  Returns the exit status; non-zero when the named map cannot be read. */
int RunEditor(int& argc, char** argv);
