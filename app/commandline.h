#pragma once

#include <optional>
#include <string>
#include <vector>

/** What the command line asks for. */
struct CommandLineRequest {
    enum class Action { Help, Version, ExportBinary, ExportImage, Resave };
    Action What = Action::Help;
    std::string Map;      ///< the map file, local path
    std::string Output;   ///< the file to write, local path
    int Layer = -1;       ///< --layer N: a layer position 0..7; -1 for the whole map
};

/** True when the arguments hold an option of the command line ("--" first), so that the program
 *  runs headless instead of opening the editor. */
bool IsCommandLineRun(int argc, char** argv);

/** Reads the arguments after the program name; nothing with a one-line reason in error when
 *  they make no sense. */
std::optional<CommandLineRequest> ParseCommandLine(const std::vector<std::string>& args,
                                                   std::string& error);

/** Runs the command line without a display: the same document, map file reader and writers as
 *  the editor, the user's settings read but never written. Only --export-image starts the font
 *  system. Exit status 0 on success, 1 when a file is missing, a map cannot be read or an output
 *  cannot be written, 2 for wrong arguments; each failure says one line on stderr, and so does
 *  each tile sheet that could not be read (a warning: the status stays 0). */
int RunCommandLine(int argc, char** argv);

/** The text of --help. */
std::string CommandLineUsage();
