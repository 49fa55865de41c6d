#pragma once

#include <string>

class CByteWriter;
class CQuelpDoc;
struct CChipPage;
struct CEventData;
struct CLayerData;

/** The occupied part of a layer: the smallest and largest column and row holding a chip (both
 *  ends included) and the number of non-empty cells. Count 0 leaves the bounds meaningless. */
struct ValidRange {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Count = 0;
};

/** Scans a layer's grid of columns x rows cells (row by row); a layer without a grid has none. */
ValidRange FindValidRange(const CLayerData& layer, int columns, int rows);

/** The destination map name of an event as the binary file holds it, by method: 0 the file name
 *  without extension, 1 with it, 2 the path as held; empty for an empty name or another method.
 *  CP932. */
std::string GetEventMapName(const std::string& map, int method);

/** Bytes actually written per cell for a layer's data size: 0 for 0 or less, 1, else 2. */
int CellWidth(int dataSize);

/** One chip page entry: chip columns, chip rows, image file name (zeros and empty when the page
 *  holds no image). */
void WriteChipPageEntry(CByteWriter& out, const CChipPage& page);
/** One layer block at position; nothing for save type 0, a layer without grid or without a
 *  chip. */
void WriteLayerBlock(CByteWriter& out, const CLayerData& layer, int position, int columns,
                     int rows);
/** One event entry; the remark only when withRemark. */
void WriteEventEntry(CByteWriter& out, const CEventData& event, int mapNameMethod,
                     bool withRemark);

/** The whole binary map file of the document with the program's chip size, as bytes. */
std::string BuildBinaryMap(const CQuelpDoc& doc);

/** Writes the binary map file to a CP932 path, whole or not at all (temporary file renamed over
 *  the target). False when it could not be written; error (UTF-8) then says which file and why. */
bool WriteBinaryMap(const std::string& pathCp932, const CQuelpDoc& doc,
                    std::string* error = nullptr);
