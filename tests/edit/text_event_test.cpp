#include "editfixture.h"

#include "core/cp932.h"
#include "edit/celledit.h"
#include "edit/editcommands.h"
#include "edit/eventedit.h"
#include "edit/tabselect.h"
#include "edit/textedit.h"

namespace {

struct TextFixture : EditFixture {
    void SetUp() override
    {
        EditFixture::SetUp();
        doc.CurrentTab = kTextsTab;
        doc.FontSize = 14;        // the fake measures 7 pixels a byte, 18 high
        doc.TextColor = 0x0000FF;
    }
    /** A text of 40 x 20 full-size pixels at (10, 10). */
    void AddText(const char* text = "abcd")
    {
        doc.Texts.Append(CMemo{text, {10, 10, 50, 30}, 12, 0});
        doc.SetModifiedFlag(false);
        TakeHints();
    }
};

}  // namespace

TEST_F(TextFixture, TypingLettersDoubleByteAndBackspace)
{
    const std::string a = Cp932("あ");   // 82 A0
    const std::string so = Cp932("ソ");  // 83 5C: the trail byte is a backslash
    struct Step {
        unsigned char Code;
        bool MoveCaret;
        std::string Text;
        unsigned char Lead;
    };
    const std::vector<Step> steps = {
        {'A', true, "A", 0},
        {0x82, false, "A", 0x82},  // waits for its trail byte
        {0xA0, true, "A" + a, 0},
        {0x83, false, "A" + a, 0x83},
        {0x5C, true, "A" + a + so, 0},
        {8, true, "A" + a, 0},
        {8, true, "A", 0},
        {0x01, false, "A", 0},
        {0x82, false, "A", 0x82},
        {0x7F, false, "A", 0},  // no trail byte: the lead is dropped
        {'b', true, "Ab", 0},
        {8, true, "A", 0},
        {0xB1, true, "A\xB1", 0},  // half-width katakana are single-byte characters
        {8, true, "A", 0},
        {8, true, "", 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(int(s.Code));
        EXPECT_EQ(TypeChar(doc, s.Code), s.MoveCaret);
        EXPECT_EQ(doc.TypedText, s.Text);
        EXPECT_EQ(doc.PendingLead, s.Lead);
    }
    EXPECT_EQ(TakeHints(), std::vector<int>(10, 2));
    EXPECT_EQ(doc.Texts.GetCount(), 0);
}

TEST_F(TextFixture, EnterWithNothingTypedAddsEmptyText)
{
    doc.Zoom = 2;
    RunGesture(doc, {1, {10, 20}, {{30, 30}}, {99, 99}});
    EXPECT_EQ(doc.TypePos, (IntPoint{20, 40}));  // the press point at full size
    EXPECT_TRUE(TypeChar(doc, 13));
    ASSERT_EQ(doc.Texts.GetCount(), 1);
    const CMemo& memo = doc.Texts.At(0);
    EXPECT_EQ(memo.Text, "");
    EXPECT_EQ(memo.Rect, (IntRect{20, 40, 20, 58}));
    EXPECT_EQ(memo.Size, 14);
    EXPECT_EQ(memo.Color, 0x0000FFu);
    EXPECT_EQ(ui.MeasuredFaces, std::vector<std::string>{doc.FontFace});
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(TakeHints(), std::vector<int>{2});
}

TEST_F(TextFixture, EnterCommitsTypedText)
{
    RunGesture(doc, {1, {16, 8}, {}, {16, 8}});
    for (unsigned char c : std::string("ab\r"))
        TypeChar(doc, c);
    ASSERT_EQ(doc.Texts.GetCount(), 1);
    EXPECT_EQ(doc.Texts.At(0).Text, "ab");
    EXPECT_EQ(doc.Texts.At(0).Rect, (IntRect{16, 8, 30, 26}));
    EXPECT_TRUE(doc.TypedText.empty());
    EXPECT_EQ(doc.TypePos, (IntPoint{0, 0}));
}

TEST_F(TextFixture, TypedTextIsThrownAwayUnlessCommitted)
{
    struct Case {
        const char* Name;
        void (*Action)(CQuelpDoc&);
    };
    const std::vector<Case> cases = {
        {"Esc", [](CQuelpDoc& d) { TypeChar(d, 27); }},
        {"press elsewhere", [](CQuelpDoc& d) { ButtonPress(d, 1, 50, 50); }},
        {"tab change", [](CQuelpDoc& d) { SelectLayer(d, 2); }},
        {"mode command", [](CQuelpDoc& d) { SetNormalMode(d); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        SetUp();
        TypeChar(doc, 'x');
        TypeChar(doc, 0x82);
        c.Action(doc);
        EXPECT_TRUE(doc.TypedText.empty());
        EXPECT_EQ(doc.Texts.GetCount(), 0);
        EXPECT_EQ(doc.PendingLead, 0);
    }
}

TEST_F(TextFixture, TabChangeResetsModeAndSelection)
{
    AddText();
    MoveText(doc, 0);
    TakeHints();
    SelectLayer(doc, 3);
    EXPECT_EQ(doc.CurrentTab, 3);
    EXPECT_EQ(doc.EditMode, 0);
    EXPECT_EQ(doc.SelectPhase, 0);
    EXPECT_EQ(doc.Texts.At(0).Rect.Left, 10);
    SetLayerSelectMode(doc);
    SelectLayer(doc, 4);  // another layer: the mode goes back to normal as well
    EXPECT_EQ(doc.EditMode, 0);
    EXPECT_EQ(TakeHints(), (std::vector<int>{23, 7, 23}));
}

TEST_F(TextFixture, TextDraggedToCornerHangsHalfOutside)
{
    AddText();
    MoveText(doc, 0);
    EXPECT_EQ(doc.EditMode, 3);
    EXPECT_EQ(GetHighlightRect(doc), (HighlightRect{3, {10, 10, 50, 30}}));
    EXPECT_TRUE(doc.IsModified());
    doc.Zoom = 2;
    EXPECT_EQ(GetHighlightRect(doc), (HighlightRect{3, {5, 5, 25, 15}}));

    ASSERT_TRUE(ButtonPress(doc, 1, 6, 6));
    EXPECT_EQ(ui.PointerMoves, (std::vector<IntPoint>{{15, 10}}));
    PointerMove(doc, 20, 11);  // full size (40, 22)
    EXPECT_EQ(doc.PastePos, (IntPoint{20, 12}));
    PointerMove(doc, 500, 300);  // beyond the bottom-right corner (128, 96)
    EXPECT_EQ(ui.PointerMoves.back(), (IntPoint{64, 48}));
    EXPECT_EQ(doc.PastePos, (IntPoint{108, 86}));
    ButtonRelease(doc, 500, 300);
    EXPECT_EQ(doc.SelectPhase, 2);  // still floating
    TakeHints();

    EnterKey(doc);
    EXPECT_EQ(doc.Texts.At(0).Rect, (IntRect{108, 86, 148, 106}));
    EXPECT_EQ(doc.EditMode, 0);
    EXPECT_EQ(doc.SelectPhase, 0);
    EXPECT_EQ(TakeHints(), std::vector<int>{66});
}

TEST_F(TextFixture, CancelledTextMoveMarksModified)
{
    AddText();
    MoveText(doc, 0);
    PointerMove(doc, 90, 90);  // no button held: nothing moves
    CancelFloating(doc);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.EditMode, 0);
    EXPECT_EQ(doc.Texts.At(0).Rect, (IntRect{10, 10, 50, 30}));
    EXPECT_EQ(TakeHints(), (std::vector<int>{66, 66}));
}

TEST_F(TextFixture, CopyByPasteAndPressOutsideStillCompletes)
{
    AddText();
    CopyText(doc, 0);
    RunGesture(doc, {1, {20, 20}, {{100, 50}}, {100, 50}});
    ASSERT_TRUE(EditPasteEnabled(doc));
    EditPaste(doc);
    ASSERT_EQ(doc.Texts.GetCount(), 2);
    EXPECT_EQ(doc.Texts.At(0).Rect, (IntRect{10, 10, 50, 30}));
    EXPECT_EQ(doc.Texts.At(1).Rect, (IntRect{80, 40, 120, 60}));
    EXPECT_EQ(doc.EditMode, 0);

    MoveText(doc, 1);
    RunGesture(doc, {1, {0, 100}, {}, {0, 100}});  // outside the outline
    EXPECT_EQ(doc.SelectPhase, 0);
    EXPECT_EQ(doc.EditMode, 3);
    EXPECT_FALSE(EditPasteEnabled(doc));
    CancelFloating(doc);  // Esc no longer cancels
    EXPECT_EQ(doc.EditMode, 3);
    EnterKey(doc);
    EXPECT_EQ(doc.EditMode, 0);
    EXPECT_EQ(doc.Texts.At(1).Rect.Left, 80);
    EXPECT_EQ(doc.Texts.GetCount(), 2);
}

TEST_F(TextFixture, DeletingTextsDuringMoveKeepsTheMovingOne)
{
    AddText("a");
    AddText("b");
    AddText("c");
    MoveText(doc, 2);
    DeleteText(doc, 0);
    EXPECT_EQ(doc.MovingText, 1);
    EXPECT_EQ(doc.Texts.At(doc.MovingText).Text, "c");
    EXPECT_EQ(GetHighlightRect(doc).Kind, 3);
    DeleteText(doc, 1);  // the moving text itself: the move ends
    EXPECT_EQ(doc.EditMode, 0);
    EXPECT_EQ(doc.SelectPhase, 0);
    EXPECT_EQ(doc.Texts.GetCount(), 1);
    EXPECT_THROW(DeleteText(doc, 1), InvalidIndexError);
}

TEST_F(TextFixture, EditTextRemeasuresKeepingTopLeft)
{
    AddText();
    ui.TextAnswers.push_back({true, {}, [](TextDialogValues& v) { v.SizeText = "20pt"; }});
    EditText(doc, 0);
    EXPECT_EQ(ui.TextShown[0].Text, "abcd");
    EXPECT_EQ(ui.TextShown[0].SizeText, "12");
    const CMemo& memo = doc.Texts.At(0);
    EXPECT_EQ(memo.Size, 20);
    EXPECT_EQ(memo.Rect, (IntRect{10, 10, 50, 36}));  // 4 bytes x 10, 20 + 6 high
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(TakeHints(), (std::vector<int>{7, 66}));

    doc.SetModifiedFlag(false);
    ui.TextAnswers.push_back({true, {}, [](TextDialogValues&) {}});
    EditText(doc, 0);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(TakeHints(), std::vector<int>{7});
}

TEST_F(TextFixture, HitTestTextAtZoom)
{
    AddText();
    doc.Texts.Append(CMemo{"", {0, 0, 100, 100}, 10, 0});
    doc.Zoom = 2;
    EXPECT_EQ(HitTestText(doc, 5, 5), 0);    // (10, 10) full size: the first in order wins
    EXPECT_EQ(HitTestText(doc, 25, 5), 1);   // (50, 10): right edge excluded
    EXPECT_EQ(HitTestText(doc, 50, 5), -1);
    doc.CurrentTab = kEventsTab;
    EXPECT_EQ(HitTestText(doc, 5, 5), -1);
}

TEST_F(EditFixture, PlacingEventsOnRelease)
{
    struct Case {
        const char* Name;
        Gesture G;
        FakeUiPort::Answer<EventDialogValues> Answer;
        bool Added;
        IntRect Rect;
    };
    EventDialogValues numbered;
    numbered.Type = 3;
    EventDialogValues named;
    named.Map = "town.mpx";
    EventDialogValues coordinatesOnly;
    coordinatesOnly.X = 4;
    coordinatesOnly.Y = 5;
    coordinatesOnly.Option1 = 1;
    coordinatesOnly.Rem = "note";
    const std::vector<Case> cases = {
        {"click numbered", {1, {20, 20}, {}, {20, 20}}, {true, numbered, {}}, true, {1, 1, 1, 1}},
        {"drag named", {1, {70, 50}, {{10, 10}}, {20, 5}}, {true, named, {}}, true, {1, 0, 4, 3}},
        {"needs number or map", {1, {20, 20}, {}, {20, 20}}, {true, coordinatesOnly, {}}, false,
         {}},
        {"cancel", {1, {20, 20}, {}, {20, 20}}, {false, numbered, {}}, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        SetUp();
        doc.CurrentTab = kEventsTab;
        doc.SetModifiedFlag(false);
        TakeHints();
        ui.EventAnswers.push_back(c.Answer);
        RunGesture(doc, c.G);
        EXPECT_EQ(ui.EventShown.back().Type, 0);  // a new dialog starts empty
        ASSERT_EQ(doc.Events.GetCount(), c.Added ? 1 : 0);
        if (c.Added) {
            EXPECT_EQ(doc.Events.At(0).Rect, c.Rect);
        }
        EXPECT_EQ(doc.IsModified(), c.Added);
        EXPECT_EQ(TakeHints().back(), 2);
        EXPECT_FALSE(doc.AnyLayerHasGrid());
        EXPECT_EQ(doc.UndoCount, 0);
    }
}

TEST_F(EditFixture, EditHitTestAndDeleteEvents)
{
    doc.CurrentTab = kEventsTab;
    doc.Events.Append(CEventData{5, {1, 1, 2, 2}, "a.mpx", {3, 4}, {7, 8}, "r"});
    doc.Events.Append(CEventData{6, {0, 0, 7, 5}, "", {}, {0, 0}, ""});
    EXPECT_EQ(HitTestEvent(doc, 40, 40), 0);
    EXPECT_EQ(HitTestEvent(doc, 48, 40), 1);
    EXPECT_EQ(HitTestEvent(doc, 900, 900), 1);  // clamped to the last cell

    const CEventData before = doc.Events.At(0);
    ui.EventAnswers.push_back({true, {}, [](EventDialogValues& v) {
                                   v.Type = 0;
                                   v.Map.clear();
                               }});
    EditEvent(doc, 0);
    EXPECT_EQ(ui.EventShown[0].Option2, 8);
    EXPECT_EQ(ui.EventShown[0].Rem, "r");
    EXPECT_EQ(doc.Events.At(0), before);
    EXPECT_FALSE(doc.IsModified());

    ui.EventAnswers.push_back({true, {}, [](EventDialogValues& v) { v.Y = 9; }});
    TakeHints();
    EditEvent(doc, 0);
    EXPECT_EQ(doc.Events.At(0).Pos, (IntPoint{3, 9}));
    EXPECT_EQ(doc.Events.At(0).Rect, before.Rect);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(TakeHints(), (std::vector<int>{7, 2}));

    DeleteEvent(doc, 0);
    ASSERT_EQ(doc.Events.GetCount(), 1);
    EXPECT_EQ(doc.Events.At(0).Type, 6);
    EXPECT_THROW(EditEvent(doc, 3), InvalidIndexError);
    doc.CurrentTab = kTextsTab;
    EXPECT_EQ(HitTestEvent(doc, 40, 40), -1);
}
