#pragma once

#include <string>
#include <string_view>
#include <vector>

class CQuelpDoc;

/** A chip sheet the map names that could not be read; its page keeps the path. */
struct UnreadSheet {
    int Page = 0;
    std::string PathCp932;   ///< the path as the page keeps it
    std::string Reason;      ///< UTF-8, for the user (e.g. "ファイルが見つかりません")
};

/** What a read recognised, for callers that must tell a map from any other file. */
struct MapReadStats {
    int Blocks = 0;   ///< tag lines of blocks recognised (property, chip, map, event, text)
    std::vector<UnreadSheet> UnreadSheets;   ///< in page order
};

/** Loads map file bytes into the document: the load reset (layers LAY0..LAY7, chip pages
 *  emptied, defaults from the settings store; CurrentTab, Columns, Rows and the chip size kept),
 *  then the file's blocks, the chip sheets through LoadChipPage with the chip size in force, the
 *  after-load steps and hint 0x17. Lenient: unknown lines and unreadable values are skipped.
 *  A tag or key counts only where it opens its line (after blanks and tabs). A sheet that
 *  cannot be read keeps its path in its page (not in use) and is listed in UnreadSheets.
 *  folder is the map's folder (CP932, ending with its separator) or empty; a leading
 *  "[MapFolder]" of a sheet path (when the folder is not empty) or of an event's Map becomes it.
 *  Ignored as out of range: page numbers and ChipPage values outside 0..7, a MapSize outside
 *  1..512, a ChipSize outside 1..1024, and a MapSize after the first data block (the grids
 *  keep Columns x Rows cells). A data block with fewer values than cells leaves the
 *  rest empty; surplus values are dropped. */
MapReadStats ReadMapFile(CQuelpDoc& doc, std::string_view bytes, const std::string& folder);

/** True when some line opens a block of a map file, as the reader recognises it: what tells a
 *  map from a picture or any other file before the document is touched. */
bool HoldsMapBlock(std::string_view bytes);
