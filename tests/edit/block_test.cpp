#include "editfixture.h"

#include "edit/celledit.h"
#include "edit/editcommands.h"

namespace {

struct BlockFixture : EditFixture {
    void SetUp() override
    {
        EditFixture::SetUp();
        FillPattern(0, 100);
        SetLayerSelectMode(doc);
        // Select cells (1, 1) to (2, 2).
        RunGesture(doc, {1, {40, 40}, {{20, 20}}, {17, 30}});
        TakeHints();
        doc.SetModifiedFlag(false);
    }
};

}  // namespace

TEST_F(BlockFixture, SelectionIsYellowRectangleScaledByZoom)
{
    EXPECT_EQ(doc.SelectPhase, 1);
    EXPECT_EQ(doc.PastePos, (IntPoint{1, 1}));
    EXPECT_EQ(GetHighlightRect(doc), (HighlightRect{2, {16, 16, 48, 48}}));
    EXPECT_EQ(GetHighlightRect(doc, 2), (HighlightRect{2, {8, 8, 24, 24}}));
    EXPECT_EQ(GetHighlightRect(doc, 3), (HighlightRect{2, {12, 12, 36, 36}}));
    EXPECT_TRUE(EditCopyEnabled(doc));
    EXPECT_FALSE(EditPasteEnabled(doc));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(BlockFixture, RightButtonAndDraggedRectangle)
{
    EXPECT_FALSE(ButtonPress(doc, 2, 40, 40));
    ASSERT_TRUE(ButtonPress(doc, 1, 70, 40));
    EXPECT_EQ(doc.SelectPhase, 0);
    PointerMove(doc, 40, 90);
    EXPECT_EQ(GetHighlightRect(doc), (HighlightRect{1, {32, 32, 80, 96}}));
    ButtonRelease(doc, 40, 90);
    EXPECT_EQ(GetHighlightRect(doc).Kind, 2);
    EXPECT_EQ(Cell(0, 2, 3), 132);  // selecting writes nothing
    EXPECT_EQ(doc.UndoCount, 0);
}

TEST_F(BlockFixture, CopyIsNotModifiedCutAndPasteAre)
{
    struct Step {
        void (*Command)(CQuelpDoc&);
        bool Modified;
        int UndoCount;
    };
    const std::vector<std::pair<const char*, std::vector<Step>>> cases = {
        {"copy", {{EditCopy, false, 0}}},
        {"copy, paste", {{EditCopy, false, 0}, {EditPaste, true, 1}}},
        {"cut", {{EditCut, true, 1}}},
    };
    for (const auto& [name, steps] : cases) {
        SCOPED_TRACE(name);
        SetUp();
        for (const Step& step : steps) {
            step.Command(doc);
            EXPECT_EQ(doc.IsModified(), step.Modified);
            EXPECT_EQ(doc.UndoCount, step.UndoCount);
            EXPECT_EQ(doc.SelectPhase, 2);
        }
        EXPECT_EQ(TakeHints(), std::vector<int>(steps.size(), 7));
    }
}

TEST_F(BlockFixture, CutEmptiesCellsAndUndoBringsThemBack)
{
    EditCut(doc);
    EXPECT_EQ(Cell(0, 1, 1), -1);
    EXPECT_EQ(Cell(0, 2, 2), -1);
    EXPECT_EQ(Cell(0, 3, 2), 123);
    ASSERT_EQ(doc.Clipboard.Buffers.size(), 1u);
    EXPECT_EQ(doc.Clipboard.Buffers[0].Data, (std::vector<int16_t>{111, 112, 121, 122}));
    Undo(doc);
    EXPECT_EQ(Cell(0, 1, 1), 111);
    EXPECT_EQ(doc.SelectPhase, 2);  // the block survives undo and can still be pasted
    EXPECT_TRUE(EditPasteEnabled(doc));
}

TEST_F(BlockFixture, DragFloatingBlockByHalfCells)
{
    EditCopy(doc);
    EXPECT_EQ(GetHighlightRect(doc), (HighlightRect{3, {16, 16, 48, 48}}));
    ASSERT_TRUE(ButtonPress(doc, 1, 20, 44));
    EXPECT_EQ(doc.DragAnchor, (IntPoint{32, 32}));  // the block's centre
    EXPECT_EQ(ui.PointerMoves, (std::vector<IntPoint>{{32, 32}}));

    struct Move {
        IntPoint Pointer;
        IntPoint PastePos;
        bool PointerSnapsBack;
    };
    const std::vector<Move> moves = {
        {{40, 32}, {2, 1}, false},   // half a cell right
        {{24, 32}, {1, 1}, false},   // back over the start
        {{16, 32}, {1, 1}, false},   // one cell left is not enough
        {{8, 32}, {0, 1}, false},    // one and a half cells left
        {{-8, 32}, {0, 1}, true},    // would leave the map
        {{8, 104}, {0, 1}, true},    // would leave the map at the bottom
        {{8, 80}, {0, 4}, false},
    };
    for (const Move& m : moves) {
        SCOPED_TRACE(testing::Message() << m.Pointer.X << "," << m.Pointer.Y);
        ui.PointerMoves.clear();
        EXPECT_TRUE(PointerMove(doc, m.Pointer.X, m.Pointer.Y));
        EXPECT_EQ(doc.PastePos, m.PastePos);
        if (m.PointerSnapsBack)
            EXPECT_EQ(ui.PointerMoves, (std::vector<IntPoint>{{8, 32}}));
        else
            EXPECT_TRUE(ui.PointerMoves.empty());
    }
    ButtonRelease(doc, 8, 80);
    EXPECT_EQ(doc.SelectPhase, 2);
    EXPECT_EQ(GetHighlightRect(doc), (HighlightRect{3, {0, 64, 32, 96}}));

    EditPaste(doc);
    EXPECT_EQ(Cell(0, 0, 4), 111);
    EXPECT_EQ(Cell(0, 1, 5), 122);
    EXPECT_EQ(Cell(0, 1, 1), 111);  // copy left the source alone
    Undo(doc);
    EXPECT_EQ(Cell(0, 0, 4), 140);
    EXPECT_EQ(Cell(0, 1, 5), 151);
}

TEST_F(BlockFixture, TwoPastesAreTwoUndoEntries)
{
    EditCopy(doc);
    doc.PastePos = {4, 0};
    EditPaste(doc);
    doc.PastePos = {6, 4};
    EditPaste(doc);
    EXPECT_EQ(Cell(0, 4, 0), 111);
    EXPECT_EQ(Cell(0, 7, 5), 122);
    Undo(doc);
    Undo(doc);
    EXPECT_EQ(Cell(0, 4, 0), 104);
    EXPECT_EQ(Cell(0, 7, 5), 157);
    EXPECT_FALSE(UndoEnabled(doc));
}

TEST_F(BlockFixture, EscDiscardsFloatingBlock)
{
    EditCopy(doc);
    TakeHints();
    CancelFloating(doc);
    EXPECT_EQ(doc.SelectPhase, 0);
    EXPECT_TRUE(doc.Clipboard.Buffers.empty());
    EXPECT_EQ(GetHighlightRect(doc).Kind, 0);
    EXPECT_FALSE(EditPasteEnabled(doc));
    EXPECT_EQ(doc.EditMode, 1);
    EXPECT_EQ(TakeHints(), std::vector<int>{3});
    CancelFloating(doc);  // nothing selected: nothing happens
    EXPECT_TRUE(TakeHints().empty());
}

TEST_F(BlockFixture, PressOutsideDropsBlockAndSelectsAgain)
{
    EditCopy(doc);
    RunGesture(doc, {1, {100, 80}, {}, {120, 90}});
    EXPECT_EQ(doc.SelectPhase, 1);
    EXPECT_EQ(GetHighlightRect(doc), (HighlightRect{2, {96, 80, 128, 96}}));
    EXPECT_EQ(Cell(0, 6, 5), 156);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(EditFixture, AllLayerCopySkipsLayersWithoutGrid)
{
    FillPattern(0, 100);
    FillPattern(2, 300);
    doc.CurrentTab = 1;
    SetAllLayerSelectMode(doc);
    RunGesture(doc, {1, {0, 0}, {}, {16, 0}});
    ASSERT_TRUE(EditCopyEnabled(doc));
    EditCopy(doc);
    ASSERT_EQ(doc.Clipboard.LayerId, -1);
    ASSERT_EQ(doc.Clipboard.Buffers.size(), 2u);
    doc.PastePos = {5, 3};
    EditPaste(doc);
    EXPECT_EQ(Cell(0, 6, 3), 101);
    EXPECT_EQ(Cell(2, 5, 3), 300);
    EXPECT_FALSE(doc.Layers[1].HasGrid());
}

TEST_F(EditFixture, PasteIntoLayerWhoseGridUndoRemovedCanBeUndone)
{
    doc.ChipPages[0].LeftChip = 9;
    RunGesture(doc, {1, {0, 0}, {}, {0, 0}});  // layer 0 gets its first grid
    FillPattern(1, 200);
    SetAllLayerSelectMode(doc);
    RunGesture(doc, {1, {0, 0}, {}, {0, 0}});
    EditCopy(doc);
    Undo(doc);  // layer 0 loses its grid while the block floats
    ASSERT_FALSE(doc.Layers[0].HasGrid());
    doc.PastePos = {3, 3};
    EditPaste(doc);
    EXPECT_EQ(Cell(0, 3, 3), 9);
    EXPECT_EQ(Cell(1, 3, 3), 200);
    Undo(doc);
    EXPECT_EQ(Cell(0, 3, 3), -1);
    EXPECT_EQ(Cell(1, 3, 3), 233);
}

TEST_F(EditFixture, ModeCommandRules)
{
    struct Case {
        int Tab;
        bool LayerModesEnabled;
    };
    for (const Case c : {Case{0, true}, Case{7, true}, Case{8, false}, Case{9, false}}) {
        doc.CurrentTab = c.Tab;
        EXPECT_TRUE(SetNormalModeEnabled(doc));
        EXPECT_EQ(SetLayerSelectModeEnabled(doc), c.LayerModesEnabled);
        EXPECT_EQ(SetAllLayerSelectModeEnabled(doc), c.LayerModesEnabled);
    }
    doc.CurrentTab = 0;
    doc.TypedText = "ab";
    SetAllLayerSelectMode(doc);
    EXPECT_TRUE(doc.TypedText.empty());
    EXPECT_TRUE(SetAllLayerSelectModeChecked(doc));
    EXPECT_FALSE(SetNormalModeChecked(doc));
    RunGesture(doc, {1, {0, 0}, {}, {0, 0}});
    EXPECT_FALSE(EditCopyEnabled(doc));  // no layer has a grid
    SetNormalMode(doc);
    EXPECT_TRUE(SetNormalModeChecked(doc));
    EXPECT_EQ(doc.SelectPhase, 0);
    EXPECT_EQ(TakeHints(), (std::vector<int>{2, 7, 2, 2, 7}));
}
