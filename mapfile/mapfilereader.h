#pragma once

#include <string>
#include <string_view>

class CQuelpDoc;

/** What a read recognised, for callers that must tell a map from any other file. */
struct MapReadStats {
    int Blocks = 0;   ///< tag lines of blocks recognised (property, chip, map, event, text)
};

/** Loads map file bytes into the document: the load reset (layers LAY0..LAY7, chip pages
 *  emptied, defaults from the settings store; CurrentTab, Columns, Rows and the chip size kept),
 *  then the file's blocks, the chip sheets through LoadChipPage with the chip size in force, the
 *  after-load steps and hint 0x17. Lenient: unknown lines and unreadable values are skipped.
 *  folder is the map's folder (CP932, ending with its separator) or empty.
 *  Ignored as out of range: page numbers and ChipPage values outside 0..7, a MapSize outside
 *  1..512, a ChipSize outside 1..1024, and a MapSize after the first data block (the grids
 *  keep Columns x Rows cells). A data block with fewer values than cells leaves the
 *  rest empty; surplus values are dropped. */
MapReadStats ReadMapFile(CQuelpDoc& doc, std::string_view bytes, const std::string& folder);
