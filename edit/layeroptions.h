#pragma once

#include "core/chippage.h"

#include <array>
#include <string>

struct CLayerData;

/** Values of the layer settings dialog. The list indices are -1 when no entry is chosen. */
struct LayerOptionDialogValues {
    std::string Name;        ///< CP932 bytes
    int ChipPage = 0;        ///< index of the page entry, 0..7
    int SaveType = 0;        ///< index of the save type entry, 0..3
    int DataSizeIndex = 0;   ///< data size minus 1: 0 one byte, 1 two bytes
};

/** The dialog's values for a layer. */
LayerOptionDialogValues LayerOptionValuesFrom(const CLayerData& layer);

/** Copies name, chip page, save type and data size (index + 1) into the layer where they differ;
 *  returns whether anything changed. A page or save type of -1 keeps the layer's value. With no
 *  data size chosen, a layer that is saved and whose page holds more than 256 chips gets 2 bytes;
 *  otherwise it keeps its size. */
bool ApplyLayerOptions(const LayerOptionDialogValues& values, CLayerData& layer,
                       const std::array<CChipPage, 8>& pages);
