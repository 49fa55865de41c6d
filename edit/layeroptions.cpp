#include "layeroptions.h"

#include "core/layerdata.h"

LayerOptionDialogValues LayerOptionValuesFrom(const CLayerData& layer)
{
    return {layer.Name, layer.ChipPage, layer.SaveType, layer.DataSize - 1};
}

bool ApplyLayerOptions(const LayerOptionDialogValues& values, CLayerData& layer,
                       const std::array<CChipPage, 8>& pages)
{
    bool changed = false;
    auto set = [&changed](int& field, int value) {
        if (field != value) {
            field = value;
            changed = true;
        }
    };
    if (values.Name != layer.Name) {
        layer.Name = values.Name;
        changed = true;
    }
    if (values.ChipPage >= 0 && values.ChipPage < static_cast<int>(pages.size()))
        set(layer.ChipPage, values.ChipPage);
    if (values.SaveType >= 0 && values.SaveType <= 3)
        set(layer.SaveType, values.SaveType);
    if (values.DataSizeIndex == 0 || values.DataSizeIndex == 1) {
        set(layer.DataSize, values.DataSizeIndex + 1);
    } else if (layer.SaveType != 0 && layer.ChipPage >= 0
               && layer.ChipPage < static_cast<int>(pages.size())
               && pages[layer.ChipPage].ChipCount() > 256) {
        set(layer.DataSize, 2);
    }
    return changed;
}
