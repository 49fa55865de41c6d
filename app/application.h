#pragma once

/** The editor: starts the window on a new map, or on the map named by the first argument.
 *  Returns the exit status; non-zero when the named map cannot be read. */
int RunEditor(int& argc, char** argv);

class QApplication;
class QTranslator;

/** Loads Qt's Japanese translation into the translator and installs it, so that Qt's own
 *  dialogs and buttons speak the program's language. False when it is not installed. */
bool InstallQtTranslation(QApplication& app, QTranslator& translator);
