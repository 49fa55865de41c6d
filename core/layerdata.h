#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

/** Columns x Rows signed 16-bit cells, row-major; -1 is an empty cell. */
using CellGrid = std::vector<int16_t>;

/** A layer record; eight of them in tab order. */
struct CLayerData {
    int LayerId = 0;            ///< identity; travels with the record when layers are reordered
    int ChipPage = 0;           ///< 0..7
    int View = 1;               ///< drawn when 1
    std::string Name;           ///< CP932 bytes
    std::optional<CellGrid> Cells;  ///< absent until first needed
    int SaveType = 1;           ///< binary export mode 0..3
    int DataSize = 1;           ///< bytes per cell in the binary export

    bool HasGrid() const { return Cells.has_value(); }

    /** The record a reset gives position id: defaults, name emptied, grid freed. */
    void Reset(int id)
    {
        LayerId = id;
        ChipPage = 0;
        View = 1;
        Name.clear();
        SaveType = 1;
        DataSize = 1;
        Cells.reset();
    }
    friend bool operator==(const CLayerData&, const CLayerData&) = default;
};
