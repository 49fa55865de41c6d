#include "editfixture.h"

#include "edit/celledit.h"
#include "edit/editcommands.h"

namespace {

struct PaintCase {
    const char* Name;
    Gesture G;
    int16_t LeftChip;
    int16_t RightChip;
    IntRect Filled;          // cells, inclusive
    int16_t Value;
    bool GridAfter;
    std::vector<int> Hints;
};

// A gesture with moves, built by a call: GCC 12 takes one written in place in the list below
// for a vector used uninitialised (-Wmaybe-uninitialized).
Gesture Drag(int button, IntPoint press, std::vector<IntPoint> moves, IntPoint release)
{
    return {button, press, std::move(moves), release};
}

// Full size, 16 x 16 chips: cell = pixel / 16; the map is 8 x 6 cells.
const std::vector<PaintCase> kPaintCases = {
    {"click paints one cell", {1, {20, 20}, {}, {21, 22}}, 5, 9, {1, 1, 1, 1}, 5, true, {2, 2}},
    {"drag fills the rectangle", Drag(1, {50, 35}, {{40, 40}}, {5, 5}), 5, 9, {0, 0, 3, 2}, 5, true,
     {2, 2, 2}},
    {"release outside clamps", {1, {100, 60}, {}, {500, -30}}, 5, 9, {6, 0, 7, 3}, 5, true,
     {2, 2}},
    {"right button chip", {2, {20, 20}, {}, {36, 20}}, 5, 9, {1, 1, 2, 1}, 9, true, {2, 2}},
    {"empty chip makes no grid", {1, {20, 20}, {}, {20, 20}}, -1, 9, {1, 1, 1, 1}, -1, false,
     {2, 2}},
};

class PaintTest : public EditFixture, public ::testing::WithParamInterface<PaintCase> {};

}  // namespace

TEST_P(PaintTest, GestureFillsRectangle)
{
    const PaintCase& c = GetParam();
    doc.CurrentTab = 2;
    doc.Layers[2].ChipPage = 3;
    doc.ChipPages[3].LeftChip = c.LeftChip;
    doc.ChipPages[3].RightChip = c.RightChip;

    ASSERT_TRUE(RunGesture(doc, c.G));
    EXPECT_EQ(doc.ButtonDown, 0);
    EXPECT_EQ(doc.Layers[2].HasGrid(), c.GridAfter);
    for (int y = 0; y < doc.Rows; ++y)
        for (int x = 0; x < doc.Columns; ++x) {
            const bool in = x >= c.Filled.Left && x <= c.Filled.Right && y >= c.Filled.Top &&
                            y <= c.Filled.Bottom;
            EXPECT_EQ(Cell(2, x, y), in ? c.Value : -1) << x << "," << y;
        }
    EXPECT_EQ(hints.Hints, c.Hints);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.UndoCount, 1);
    for (int other : {0, 1, 3})
        EXPECT_FALSE(doc.Layers[other].HasGrid());
}

INSTANTIATE_TEST_SUITE_P(Cases, PaintTest, ::testing::ValuesIn(kPaintCases),
                         [](const auto& info) {
                             std::string name = info.param.Name;
                             for (char& ch : name)
                                 if (ch == ' ')
                                     ch = '_';
                             return name;
                         });

TEST_F(EditFixture, SecondButtonDuringGestureIsIgnored)
{
    doc.ChipPages[0].LeftChip = 1;
    ASSERT_TRUE(ButtonPress(doc, 1, 0, 0));
    EXPECT_FALSE(ButtonPress(doc, 2, 40, 40));
    ButtonRelease(doc, 0, 0);
    EXPECT_EQ(Cell(0, 0, 0), 1);
    EXPECT_EQ(Cell(0, 1, 1), -1);
}

TEST_F(EditFixture, CellFromPointUsesZoomAndClamps)
{
    doc.Zoom = 2;  // 8 map pixels a cell
    EXPECT_EQ(CellFromPoint(doc, 7, 8), (IntPoint{0, 1}));
    EXPECT_EQ(CellFromPoint(doc, -3, 1000), (IntPoint{0, 5}));
    doc.Zoom = 3;  // 12 map pixels a cell
    EXPECT_EQ(CellFromPoint(doc, 95, 12), (IntPoint{7, 1}));
}

TEST_F(EditFixture, UndoOfFirstStrokeRemovesGrid)
{
    doc.ChipPages[0].LeftChip = 4;
    RunGesture(doc, {1, {0, 0}, {}, {20, 20}});
    RunGesture(doc, {1, {64, 64}, {}, {64, 64}});
    ASSERT_EQ(doc.UndoCount, 2);
    TakeHints();
    doc.SetModifiedFlag(false);

    Undo(doc);
    EXPECT_EQ(Cell(0, 4, 4), -1);
    EXPECT_EQ(Cell(0, 1, 1), 4);
    EXPECT_EQ(TakeHints(), std::vector<int>{7});
    EXPECT_TRUE(doc.IsModified());

    Undo(doc);
    EXPECT_FALSE(doc.Layers[0].HasGrid());
    EXPECT_FALSE(UndoEnabled(doc));
    Undo(doc);  // nothing left: no change, no hint
    EXPECT_EQ(doc.UndoCount, 0);
    EXPECT_EQ(TakeHints(), std::vector<int>{7});
}

TEST_F(EditFixture, ElevenPushesLeaveTen)
{
    FillPattern(0, 100);
    for (int i = 0; i < 11; ++i)
        PushUndo(doc, 0, i % 8, 0, i % 8, 0);
    EXPECT_EQ(doc.UndoCount, 10);
    EXPECT_EQ(doc.UndoNext, 1);
    for (int i = 0; i < 10; ++i) {
        ASSERT_TRUE(UndoEnabled(doc));
        Undo(doc);
    }
    EXPECT_FALSE(UndoEnabled(doc));
    EXPECT_EQ(doc.UndoNext, 1);  // the oldest entry was overwritten
}

TEST_F(EditFixture, UndoThenNewEditLosesOverwrittenEntry)
{
    doc.ChipPages[0].LeftChip = 1;
    RunGesture(doc, {1, {0, 0}, {}, {0, 0}});    // A: no grid before
    RunGesture(doc, {1, {16, 0}, {}, {16, 0}});  // B
    Undo(doc);                                   // takes B back
    doc.ChipPages[0].LeftChip = 2;
    RunGesture(doc, {1, {32, 0}, {}, {32, 0}});  // C overwrites B's slot
    Undo(doc);
    EXPECT_EQ(Cell(0, 2, 0), -1);
    EXPECT_EQ(Cell(0, 0, 0), 1);
    Undo(doc);
    EXPECT_FALSE(doc.Layers[0].HasGrid());
    EXPECT_FALSE(UndoEnabled(doc));
}

TEST_F(EditFixture, UndoFindsLayerAfterExchange)
{
    doc.CurrentTab = 2;
    doc.ChipPages[0].LeftChip = 7;
    FillPattern(2, 100);
    FillPattern(3, 200);
    RunGesture(doc, {1, {16, 16}, {}, {16, 16}});
    ASSERT_EQ(Cell(2, 1, 1), 7);
    std::swap(doc.Layers[2], doc.Layers[3]);  // what moving a layer does
    Undo(doc);
    EXPECT_EQ(Cell(3, 1, 1), 111);  // layer id 2, now at position 3
    EXPECT_EQ(Cell(2, 1, 1), 211);
}

TEST_F(EditFixture, AllLayerCaptureSkipsLayersWithoutGrid)
{
    FillPattern(0, 100);
    FillPattern(5, 500);
    PushUndo(doc, -1, 1, 1, 2, 3);
    const RegionSnapshot& entry = doc.UndoRing[0];
    ASSERT_EQ(entry.Buffers.size(), 2u);
    EXPECT_EQ(entry.Buffers[0].LayerId, 0);
    EXPECT_EQ(entry.Buffers[1].LayerId, 5);
    EXPECT_EQ(entry.Buffers[1].Width, 2);
    EXPECT_EQ(entry.Buffers[1].Height, 3);
    EXPECT_EQ(entry.Buffers[1].Data, (std::vector<int16_t>{511, 512, 521, 522, 531, 532}));

    (*doc.Layers[0].Cells)[1 * 8 + 1] = 0;
    (*doc.Layers[5].Cells)[3 * 8 + 2] = 0;
    doc.Layers[3].Cells = CellGrid(48, 3);  // made after the entry: left alone
    Undo(doc);
    EXPECT_EQ(Cell(0, 1, 1), 111);
    EXPECT_EQ(Cell(5, 2, 3), 532);
    EXPECT_EQ(Cell(3, 1, 1), 3);
}

TEST_F(EditFixture, RestoreGivesLayerWithoutGridAnEmptyGrid)
{
    RegionSnapshot block;
    block.LayerId = 4;
    block.Right = 1;
    block.Buffers.push_back({4, 2, 1, {8, 9}});
    RestoreRegion(doc, block, 6, 5);
    ASSERT_TRUE(doc.Layers[4].HasGrid());
    EXPECT_EQ(Cell(4, 6, 5), 8);
    EXPECT_EQ(Cell(4, 7, 5), 9);
    EXPECT_EQ(std::count(doc.Layers[4].Cells->begin(), doc.Layers[4].Cells->end(), -1), 46);
}
