#pragma once

#include "mapfile/mappaths.h"

#include <string>

class CQuelpDoc;

/** Stores the map as map file text (CP932 bytes, lines ended by "\r\n") into out. First cancels
 *  the floating state and throws away typed text (hint 0x02 when there was some). folder is the
 *  map's folder ending with its separator, CP932; when not empty it is written as "[MapFolder]"
 *  where it opens a chip sheet path or an event destination. A chip block is written for every
 *  page with a path, also one whose sheet could not be read (the map keeps naming it). */
void WriteMapFile(CQuelpDoc& doc, std::string& out, const std::string& folder);

/** The blocks of the map file as WriteMapFile writes them, without its first steps: the
 *  selection, the floating block and typed text stay as they are (the recovery copy is written
 *  while the user keeps editing). */
void WriteMapFileText(const CQuelpDoc& doc, std::string& out, const std::string& folder);
