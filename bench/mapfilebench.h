#pragma once

#include "core/nulluiport.h"
#include "core/chipsize.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "core/uiport.h"

#include <memory>
#include <string>

/** Answers nothing: benchmarks never show a dialog. */

/** A 512 x 512 map with all eight layers full of chips 0..1023, a few events and texts. */
struct CBigMap {
    MemorySettingsStore Store;
    NullUiPort Ui;
    CQuelpDoc Doc{Store, Ui};

    CBigMap()
    {
        ChipWidth = 16;
        ChipHeight = 16;
        Doc.OnNewDocument();
        Doc.Columns = 512;
        Doc.Rows = 512;
        for (int layer = 0; layer < kLayerCount; ++layer) {
            CellGrid cells(512 * 512);
            for (std::size_t i = 0; i < cells.size(); ++i)
                cells[i] = static_cast<int16_t>((i * 7 + static_cast<std::size_t>(layer) * 13) % 1024);
            Doc.Layers[static_cast<std::size_t>(layer)].Cells = std::move(cells);
            Doc.Layers[static_cast<std::size_t>(layer)].SaveType = 1 + layer % 3;
            Doc.Layers[static_cast<std::size_t>(layer)].DataSize = 2;
        }
        for (int i = 0; i < 50; ++i) {
            CEventData event;
            event.Type = i;
            event.Rect = {i, i, i + 1, i + 1};
            event.Map = "/maps/next" + std::to_string(i) + ".mpx";
            event.Rem = "remark";
            Doc.Events.Append(event);
            CMemo memo;
            memo.Text = "label" + std::to_string(i);
            memo.Rect = {i * 16, i * 16, i * 16 + 60, i * 16 + 14};
            Doc.Texts.Append(memo);
        }
    }
};
