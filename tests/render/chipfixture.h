#pragma once

#include "core/chipsize.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "render/chippages.h"
#include "sheets.h"
#include "support/fakeuiport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

/** A document with hints recorded; the program-wide chip size is put back afterwards. */
struct RenderDocFixture : ::testing::Test {
    MemorySettingsStore store;
    FakeUiPort ui;
    CQuelpDoc doc{store, ui};
    HintRecorder hints;
    QTemporaryDir dir;
    int savedWidth = ChipWidth;
    int savedHeight = ChipHeight;

    void SetUp() override
    {
        ChipWidth = 16;
        ChipHeight = 16;
        doc.OnNewDocument();
        doc.AddView(&hints);
    }
    void TearDown() override
    {
        ChipWidth = savedWidth;
        ChipHeight = savedHeight;
    }

    /** Saves the sheet and loads it into a page slot at the current chip size. */
    void LoadSheet(int slot, const CImage& sheet, const char* name)
    {
        const std::string path = SaveSheet(dir, sheet, name);
        ASSERT_TRUE(LoadChipPage(doc.ChipPages[static_cast<size_t>(slot)], path, ChipWidth,
                                 ChipHeight));
    }
};
