#pragma once

// The map the drawing benchmarks share: 512 x 512 cells, all eight layers full of random chips
// from one 256 x 256 sheet of 16 x 16 chips.
//
// The sheet is 8-bit indexed like most tile sheets: its even chips are solid ground, its odd
// chips objects with key-colour holes around a diamond. The "all holes" map uses a sheet whose
// every chip has holes, so that no layer hides the ones beneath it (the worst case).

#include "core/chipsize.h"
#include "core/memorysettingsstore.h"
#include "core/nulluiport.h"
#include "core/quelpdoc.h"
#include "render/chippages.h"
#include "render/imagefile.h"

#include <cstdlib>
#include <memory>
#include <random>
#include <stdexcept>

inline CImage BenchSheet(bool allHoles)
{
    QVector<QRgb> table(256);
    table[0] = qRgb(255, 0, 255);
    for (int i = 1; i < 256; ++i)
        table[i] = qRgb((i * 37) % 256, (i * 91) % 256, (i * 53) % 256);
    CImage sheet;
    if (!CreateImage(sheet, 256, 256, 8, table))
        throw std::runtime_error("sheet");
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const int chip = (y / 16) * 16 + x / 16;
            const int cx = x % 16, cy = y % 16;
            const bool object = allHoles || chip % 2 == 1;
            const bool hole = object && std::abs(cx - 8) + std::abs(cy - 8) > 6;
            const int index = hole ? 0 : 1 + (chip * 7 + cx + cy * 3) % 255;
            sheet.Pixels.setPixel(x, y, static_cast<uint>(index));
        }
    return sheet;
}

struct BenchMap {
    MemorySettingsStore store;
    NullUiPort ui;
    std::unique_ptr<CQuelpDoc> doc;

    explicit BenchMap(bool allHoles)
    {
        ChipWidth = 16;
        ChipHeight = 16;
        doc = std::make_unique<CQuelpDoc>(store, ui);
        doc->Columns = 512;
        doc->Rows = 512;
        doc->OnNewDocument();
        CChipPage& page = doc->ChipPages[0];
        page.Image = BenchSheet(allHoles);
        int w = 16, h = 16;
        CutChipPage(page, w, h);
        std::mt19937 random(12345);
        std::uniform_int_distribution<int> chip(0, 255);
        for (CLayerData& layer : doc->Layers) {
            layer.Cells = CellGrid(512 * 512);
            for (int16_t& cell : *layer.Cells)
                cell = static_cast<int16_t>(chip(random));
        }
    }
};

/** The shared map, made on first use. */
inline BenchMap& Map(bool allHoles)
{
    static BenchMap typical(false);
    static BenchMap holes(true);
    return allHoles ? holes : typical;
}
