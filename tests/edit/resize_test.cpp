#include "editfixture.h"

#include "core/cp932.h"
#include "edit/editcommands.h"

namespace {

FakeUiPort::Answer<MapSizeDialogValues> Size(int columns, int rows)
{
    return {true, {columns, rows}, {}};
}

const std::string kTruncate =
    Cp932("作成されているデータが切り捨てられる可能性が有ります。よろしいですか？");

}  // namespace

TEST_F(EditFixture, ResizeQuestionsAndOutcomes)
{
    struct Case {
        const char* Name;
        bool WithData;
        IntSize NewSize;
        std::vector<bool> YesNo;   // answers queued; asked exactly when not empty
        IntSize Result;
    };
    const std::vector<Case> cases = {
        {"grow asks nothing", true, {10, 9}, {}, {10, 9}},
        {"shrink columns grow rows, No", true, {5, 9}, {false}, {8, 6}},
        {"shrink rows, Yes", true, {8, 4}, {true}, {8, 4}},
        {"no grid shrinks silently", false, {3, 2}, {}, {3, 2}},
        {"same size changes nothing", true, {8, 6}, {}, {8, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        SetUp();
        if (c.WithData)
            FillPattern(3, 300);
        doc.SetModifiedFlag(false);
        TakeHints();
        ui.MapSizeAnswers.push_back(Size(c.NewSize.Width, c.NewSize.Height));
        for (bool yes : c.YesNo)
            ui.YesNoAnswers.push_back(yes);
        ui.Questions.clear();

        ResizeMap(doc);
        EXPECT_EQ(ui.MapSizeShown.back().Columns, 8);
        EXPECT_EQ(ui.MapSizeShown.back().Rows, 6);
        EXPECT_EQ(ui.Questions.size(), c.YesNo.size());
        if (!ui.Questions.empty()) {
            EXPECT_EQ(ui.Questions[0], kTruncate);
        }
        EXPECT_EQ((IntSize{doc.Columns, doc.Rows}), c.Result);
        const bool changed = !(c.Result == IntSize{8, 6});
        EXPECT_EQ(doc.IsModified(), changed);
        EXPECT_EQ(TakeHints(), changed ? std::vector<int>{18} : std::vector<int>{});
        if (c.WithData) {
            const CLayerData& layer = doc.Layers[3];
            ASSERT_EQ(layer.Cells->size(), size_t(doc.Columns * doc.Rows));
            for (int y = 0; y < doc.Rows; ++y)
                for (int x = 0; x < doc.Columns; ++x)
                    EXPECT_EQ(Cell(3, x, y), x < 8 && y < 6 ? 300 + 10 * y + x : -1);
        }
        EXPECT_FALSE(doc.Layers[2].HasGrid());
    }
}

TEST_F(EditFixture, ResizeRefusesZeroAnd513)
{
    ui.MapSizeAnswers = {Size(0, 10), Size(513, 10), Size(300, 512)};
    ResizeMap(doc);
    const std::string refused = Cp932("1 から 512 までの整数を入力してください。");
    EXPECT_EQ(ui.Messages, (std::vector<std::string>{refused, refused}));
    // The dialog opened again with what was typed.
    EXPECT_EQ(ui.MapSizeShown[1].Columns, 0);
    EXPECT_EQ(ui.MapSizeShown[2].Columns, 513);
    EXPECT_EQ(doc.Columns, 300);
    EXPECT_EQ(doc.Rows, 512);

    ui.MapSizeAnswers = {Size(-1, 1), {false, {}, {}}};
    ResizeMap(doc);
    EXPECT_EQ(doc.Columns, 300);
}

TEST_F(EditFixture, ResizeResetsEditingStateButKeepsEvents)
{
    FillPattern(0, 100);
    doc.ChipPages[0].LeftChip = 1;
    doc.CurrentTab = 0;
    doc.Events.Append(CEventData{1, {40, 2, 41, 3}, "", {}, {0, 0}, ""});
    doc.EditMode = 1;
    doc.SelectPhase = 2;
    doc.Clipboard.Buffers.push_back({0, 1, 1, {5}});
    doc.UndoCount = 3;
    doc.UndoNext = 3;
    doc.TypedText = "x";
    doc.PendingLead = 0x82;
    ui.MapSizeAnswers.push_back(Size(9, 7));
    ResizeMap(doc);
    EXPECT_EQ(doc.EditMode, 0);
    EXPECT_EQ(doc.SelectPhase, 0);
    EXPECT_TRUE(doc.Clipboard.Buffers.empty());
    EXPECT_FALSE(UndoEnabled(doc));
    EXPECT_TRUE(doc.TypedText.empty());
    EXPECT_EQ(doc.PendingLead, 0);
    EXPECT_EQ(doc.Events.GetCount(), 1);
    EXPECT_EQ(doc.Events.At(0).Rect.Left, 40);
    EXPECT_EQ(doc.CurrentTab, 0);
    EXPECT_TRUE(ResizeMapEnabled(doc));
}
