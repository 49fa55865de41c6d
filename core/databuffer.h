#pragma once

#include <cstdint>
#include <vector>

/** One layer's rectangle of cells, row by row, top row first. */
struct CDataBuffer {
    int32_t LayerId = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    std::vector<int16_t> Data;
};

/** A rectangle of cells of one layer (LayerId) or of every layer (-1), with one buffer per
 *  captured layer. */
struct RegionSnapshot {
    int32_t LayerId = 0;
    int32_t Left = 0;     ///< in cells, inclusive on all sides
    int32_t Top = 0;
    int32_t Right = 0;
    int32_t Bottom = 0;
    int32_t NoGrid = 0;   ///< undo entries: the layer had no grid when the entry was made
    std::vector<CDataBuffer> Buffers;

    /** All fields 0, every buffer freed. */
    void Clear() { *this = RegionSnapshot(); }
};
