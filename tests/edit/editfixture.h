#pragma once

#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "support/fakeuiport.h"

#include <gtest/gtest.h>

#include <vector>

/** A new 8 x 6 map of 16 x 16 chips at full size, watched by a hint recorder. */
struct EditFixture : ::testing::Test {
    MemorySettingsStore store;
    FakeUiPort ui;
    CQuelpDoc doc{store, ui};
    HintRecorder hints;

    void SetUp() override
    {
        doc.Columns = 8;
        doc.Rows = 6;
        doc.OnNewDocument();
        doc.AddView(&hints);
    }

    int16_t Cell(int position, int x, int y) const
    {
        const CLayerData& layer = doc.Layers[position];
        return layer.HasGrid() ? (*layer.Cells)[y * doc.Columns + x] : int16_t(-1);
    }

    /** Gives the layer at a position a grid whose cell (x, y) holds base + 10 y + x. */
    void FillPattern(int position, int base)
    {
        CellGrid grid(doc.Columns * doc.Rows);
        for (int y = 0; y < doc.Rows; ++y)
            for (int x = 0; x < doc.Columns; ++x)
                grid[y * doc.Columns + x] = static_cast<int16_t>(base + 10 * y + x);
        doc.Layers[position].Cells = grid;
    }

    std::vector<int> TakeHints()
    {
        std::vector<int> taken;
        taken.swap(hints.Hints);
        return taken;
    }
};

/** A press, moves and a release at map pixels, as the map view sends them. */
struct Gesture {
    int Button = 1;
    IntPoint Press;
    std::vector<IntPoint> Moves;
    IntPoint Release;
};

bool RunGesture(CQuelpDoc& doc, const Gesture& g);
