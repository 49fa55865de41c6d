#include "fuzzbodies.h"

#include "fuzzcheck.h"
#include "core/nulluiport.h"

#include "core/chipsize.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "mapfile/mapfilereader.h"
#include "mapfile/mapfilewriter.h"

#include <string>
#include <string_view>

namespace {

// "[MapFolder]" resolves into a folder that does not exist, so relative sheets are never read.
const std::string kFolder = "/nonexistent-quelp-fuzz/";

void CheckDocument(const CQuelpDoc& doc)
{
    FUZZ_CHECK(doc.Columns >= 1 && doc.Columns <= 512, "columns out of range");
    FUZZ_CHECK(doc.Rows >= 1 && doc.Rows <= 512, "rows out of range");
    FUZZ_CHECK(ChipWidth >= 1 && ChipWidth <= 1024, "chip width out of range");
    FUZZ_CHECK(ChipHeight >= 1 && ChipHeight <= 1024, "chip height out of range");
    const size_t cells = static_cast<size_t>(doc.Columns) * static_cast<size_t>(doc.Rows);
    for (int i = 0; i < kLayerCount; ++i) {
        const CLayerData& layer = doc.Layers[i];
        FUZZ_CHECK(layer.LayerId == i, "layer identity is not its position");
        FUZZ_CHECK(layer.ChipPage >= 0 && layer.ChipPage < kChipPageCount, "chip page out of range");
        FUZZ_CHECK(!layer.HasGrid() || layer.Cells->size() == cells,
                   "a grid does not have Columns x Rows cells");
    }
    FUZZ_CHECK(doc.UndoCount == 0 && doc.EditMode == 0 && doc.SelectPhase == 0,
               "editing state survived the load");
    FUZZ_CHECK(doc.TypedText.empty(), "typed text survived the load");
}

}  // namespace

void FuzzMapFileInput(const uint8_t* data, size_t size)
{
    ChipWidth = 16;
    ChipHeight = 16;
    MemorySettingsStore store;
    NullUiPort ui;
    CQuelpDoc doc(store, ui);
    doc.OnNewDocument();
    ReadMapFile(doc, std::string_view(reinterpret_cast<const char*>(data), size), kFolder);
    CheckDocument(doc);

    // Whatever was read, the program's own file of it must read back as the same map.
    std::string first;
    WriteMapFile(doc, first, kFolder);
    CQuelpDoc again(store, ui);
    again.OnNewDocument();
    ReadMapFile(again, first, kFolder);
    CheckDocument(again);
    std::string second;
    WriteMapFile(again, second, kFolder);
    FUZZ_CHECK(first == second, "a map written by the program reads back differently");
}
