#include "core/chipsize.h"
#include "core/cp932.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "support/fakeuiport.h"

#include <gtest/gtest.h>

namespace {
struct DocFixture : ::testing::Test {
    MemorySettingsStore store;
    FakeUiPort ui;
    CQuelpDoc doc{store, ui};
    HintRecorder hints;
    void SetUp() override { doc.AddView(&hints); }
};
}  // namespace

TEST_F(DocFixture, NewMapKeepsSizeAndResetsLayers)
{
    doc.Columns = 100;
    doc.Rows = 80;
    doc.Layers[3].Cells = CellGrid(100 * 80, 5);
    doc.Events.Append(CEventData{});
    doc.Texts.Append(CMemo{});
    doc.CurrentTab = 9;
    doc.SetModifiedFlag();
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.Columns, 100);
    EXPECT_EQ(doc.Rows, 80);
    for (int i = 0; i < kLayerCount; ++i) {
        EXPECT_EQ(doc.Layers[i].LayerId, i);
        EXPECT_EQ(doc.Layers[i].Name, "LY" + std::to_string(i));
        EXPECT_FALSE(doc.Layers[i].HasGrid());
        EXPECT_EQ(doc.Layers[i].SaveType, 1);
    }
    EXPECT_EQ(doc.Events.GetCount(), 0);
    EXPECT_EQ(doc.Texts.GetCount(), 0);
    EXPECT_EQ(doc.CurrentTab, 0);
    EXPECT_EQ(doc.Grid, 1);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(hints.Hints, std::vector<int>{0x17});
}

TEST_F(DocFixture, ConstructionValues)
{
    EXPECT_EQ(doc.Columns, 50);
    EXPECT_EQ(doc.Rows, 50);
    EXPECT_EQ(doc.Zoom, 4);
    EXPECT_EQ(doc.SaveText, 1);
    EXPECT_EQ(doc.ViewText, 1);
    EXPECT_EQ(doc.ViewEvent, 0);
    EXPECT_EQ(doc.FontFace, Cp932("ＭＳ Ｐゴシック"));
    EXPECT_EQ(doc.Layers[5].LayerId, 0);
    EXPECT_TRUE(doc.Layers[5].Name.empty());
}

TEST_F(DocFixture, FindLayerFollowsExchangedRecords)
{
    doc.OnNewDocument();
    std::swap(doc.Layers[2], doc.Layers[3]);
    EXPECT_EQ(doc.Layers[2].LayerId, 3);
    EXPECT_EQ(doc.FindLayer(3), &doc.Layers[2]);
    EXPECT_EQ(doc.FindLayer(8), nullptr);
    doc.OnNewDocument();
    EXPECT_EQ(doc.Layers[2].LayerId, 2);
}

TEST_F(DocFixture, MapPixelSize)
{
    struct Case { int columns, rows, chipW, chipH, zoom; IntSize expected; };
    const Case cases[] = {
        {50, 50, 16, 16, 3, {600, 600}},
        {5, 5, 17, 17, 1, {21, 21}},
        {50, 50, 16, 16, 4, {800, 800}},
        {3, 7, 16, 24, 2, {24, 84}},
    };
    const int savedW = ChipWidth, savedH = ChipHeight;
    for (const Case& c : cases) {
        doc.Columns = c.columns;
        doc.Rows = c.rows;
        ChipWidth = c.chipW;
        ChipHeight = c.chipH;
        EXPECT_EQ(doc.GetMapPixelSize(c.zoom), c.expected) << c.columns << "x" << c.rows << " z" << c.zoom;
    }
    ChipWidth = savedW;
    ChipHeight = savedH;
}

TEST_F(DocFixture, DiscardTypedTextOnlyNotifiesWhenSomethingWasTyped)
{
    doc.DiscardTypedText();
    EXPECT_TRUE(hints.Hints.empty());
    doc.TypedText = "ab";
    doc.TypePos = {3, 4};
    doc.PendingLead = 0x82;
    doc.DiscardTypedText();
    EXPECT_TRUE(doc.TypedText.empty());
    EXPECT_EQ(doc.TypePos, (IntPoint{0, 0}));
    EXPECT_EQ(doc.PendingLead, 0);
    EXPECT_EQ(hints.Hints, std::vector<int>{2});
}

TEST_F(DocFixture, DropSelectionKeepsEditMode)
{
    doc.EditMode = 2;
    doc.SelectPhase = 2;
    doc.Clipboard.LayerId = -1;
    doc.Clipboard.Buffers.push_back(CDataBuffer{1, 1, 1, {5}});
    doc.PastePos = {4, 4};
    doc.DropSelection();
    EXPECT_EQ(doc.EditMode, 2);
    EXPECT_EQ(doc.SelectPhase, 0);
    EXPECT_TRUE(doc.Clipboard.Buffers.empty());
    EXPECT_EQ(doc.Clipboard.LayerId, 0);
    EXPECT_EQ(doc.PastePos, (IntPoint{0, 0}));
}

TEST_F(DocFixture, DropSelectionAbandonsATextMoveWhosePlaceItDrops)
{
    for (int mode : {3, 4}) {
        doc.EditMode = mode;
        doc.SelectPhase = 2;
        doc.PastePos = {40, 30};
        doc.DropSelection();
        EXPECT_EQ(doc.EditMode, 0) << mode;
    }
}

TEST(RecordList, InvalidIndexThrowsAndRemoveClosesGap)
{
    RecordList<CEventData> list;
    for (int i = 0; i < 3; ++i) {
        CEventData e;
        e.Type = i + 1;
        EXPECT_EQ(list.Append(e), i);
    }
    EXPECT_THROW(list.At(3), InvalidIndexError);
    EXPECT_THROW(list.At(-1), InvalidIndexError);
    EXPECT_THROW(list.RemoveAt(5), InvalidIndexError);
    list.RemoveAt(0);
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.At(0).Type, 2);
    EXPECT_EQ(list.At(1).Type, 3);
    EXPECT_EQ(list.GrowByOne().Type, 0);
    EXPECT_EQ(list.GetCount(), 3);
}
