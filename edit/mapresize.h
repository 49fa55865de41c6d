#pragma once

#include <string>

class CQuelpDoc;
struct CLayerData;
struct MapSizeDialogValues;

inline constexpr int kMinMapCells = 1;
inline constexpr int kMaxMapCells = 512;

/** Command 32802: asks for a new size in cells, warns before cells may be cut off, reallocates
 *  every grid keeping the cells that still fit and resets the editing state; hint 18. */
void ResizeMap(CQuelpDoc& doc);
bool ResizeMapEnabled(const CQuelpDoc& doc);

/** Whether both counts lie in 1..512. */
bool MapSizeValid(const MapSizeDialogValues& values);
/** The refusal of a count outside the range, CP932. */
std::string MapSizeRangeMessage();

/** Reallocates a layer's grid from old to new columns x rows, every kept cell keeping its column
 *  and row, new cells empty. A layer without a grid keeps none. False when out of memory (the
 *  old grid stays). */
bool ResizeLayerGrid(CLayerData& layer, int oldColumns, int oldRows, int newColumns,
                     int newRows);
