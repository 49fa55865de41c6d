#pragma once

#include <string>

class CQuelpDoc;

/** Stores the map as map file text (CP932 bytes, lines ended by "\r\n") into out. First cancels
 *  the floating state and throws away typed text (hint 0x02 when there was some). folder is the
 *  map's folder ending with its separator, CP932; when not empty it is written as "[MapFolder]"
 *  in chip sheet paths and event destinations. */
void WriteMapFile(CQuelpDoc& doc, std::string& out, const std::string& folder);

/** The blocks of the map file as WriteMapFile writes them, without its first steps: the
 *  selection, the floating block and typed text stay as they are (the recovery copy is written
 *  while the user keeps editing). */
void WriteMapFileText(const CQuelpDoc& doc, std::string& out, const std::string& folder);

/** The placeholder that stands for the map's own folder in stored paths. */
inline constexpr const char* kMapFolderPlaceholder = "[MapFolder]";
