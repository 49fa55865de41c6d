#include "viewsfixture.h"

#include "core/cp932.h"
#include "edit/editcommands.h"
#include "edit/tabselect.h"
#include "views/mapviewgeometry.h"

#include <QMenu>

namespace {

using MapView = ViewsFixture;

TEST_F(MapView, GeometryScrollRangeOnMapTestAndCellRange)
{
    // The fixture's map: 20 x 15 cells of 16 x 16 at full size.
    const IntSize drawn = doc.GetMapPixelSize(4);
    EXPECT_EQ(MapScrollRange(drawn), QSize(320 + 33, 240 + 33));
    ChipWidth = ChipHeight = 24;
    doc.Columns = doc.Rows = 10;
    EXPECT_EQ(MapScrollRange(doc.GetMapPixelSize(1)), QSize(60 + 33, 60 + 33));
    ChipWidth = ChipHeight = 16;
    // The last drawn pixel column and row are not on the map; the margin is not either.
    struct Case { QPoint at; bool on; };
    for (const Case& c : {Case{{16, 16}, true}, Case{{15, 16}, false}, Case{{334, 254}, true},
                          Case{{335, 100}, false}, Case{{100, 255}, false}})
        EXPECT_EQ(IsOnMap(drawn, c.at), c.on) << c.at.x() << "," << c.at.y();
    const MapViewGeometry g{4, 16, 16, 20, 15};
    // A window larger than the map takes the whole map.
    const IntRect all = VisibleCellRange(g, QRect(0, 0, 2000, 2000));
    EXPECT_EQ(all, (IntRect{0, 0, 19, 14}));
    // Scrolled by 100 x 50 in a 64 x 64 window at zoom 2: cells 10.. and 4.. plus one beyond.
    const MapViewGeometry half{2, 16, 16, 100, 100};
    EXPECT_EQ(VisibleCellRange(half, QRect(100, 50, 64, 64)), (IntRect{10, 4, 19, 13}));
    EXPECT_EQ(WindowToMapPixel({20, 30}, {100, 50}), (IntPoint{104, 64}));
    EXPECT_EQ(MapPixelToWindow({104, 64}, {100, 50}), QPoint(20, 30));
    EXPECT_EQ(CaretHeight(19, 1), 4);
    EXPECT_EQ(CaretHeight(-5, 1), 2);
    EXPECT_EQ(CaretWindowPos({40, 20}, 2, {0, 0}), QPoint(36, 26));
}

TEST_F(MapView, ClickPaintsOneCellWithTheButtonsChip)
{
    doc.ChipPages[0].LeftChip = 5;
    doc.ChipPages[0].RightChip = 9;
    ClickMap(Qt::LeftButton, CellCentre(3, 2));
    EXPECT_EQ(Cell(0, 3, 2), 5);
    EXPECT_EQ(Cell(0, 2, 2), -1);
    EXPECT_EQ(Cell(0, 3, 3), -1);
    ClickMap(Qt::RightButton, CellCentre(4, 2));
    EXPECT_EQ(Cell(0, 4, 2), 9);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.ButtonDown, 0);
}

TEST_F(MapView, DragFillsTheRectangleAndPaintsItOnScreen)
{
    doc.ChipPages[0].LeftChip = 17;   // column 1, row 1 of the sheet
    DragMap(Qt::LeftButton, CellCentre(1, 1), CellCentre(4, 3));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(Cell(0, x, y), (x >= 1 && x <= 4 && y >= 1 && y <= 3) ? 17 : -1)
                << x << "," << y;
    // The painted cells show the chip's colour; an empty cell stays black.
    const QImage shot = MapPort()->grab().toImage();
    const QRgb chip = doc.ChipPages[0].Image.Pixels.pixel(16 + 5, 16 + 5);
    EXPECT_EQ(shot.pixel(CellCentre(2, 2)) & 0xFFFFFF, chip & 0xFFFFFF);
    EXPECT_EQ(shot.pixel(CellCentre(6, 6)) & 0xFFFFFF, 0u);
}

TEST_F(MapView, LastPixelOfTheMapIsNotOnTheMap)
{
    doc.ChipPages[0].LeftChip = 1;
    const QPoint last(16 + 20 * 16 - 1, 16 + 10);
    ClickMap(Qt::LeftButton, last);
    EXPECT_FALSE(doc.Layers[0].HasGrid());
    EXPECT_FALSE(doc.IsModified());
    ClickMap(Qt::LeftButton, last - QPoint(1, 0));
    EXPECT_EQ(Cell(0, 19, 0), 1);
}

TEST_F(MapView, SelectCopyDragTheBlockAndPaste)
{
    doc.ChipPages[0].LeftChip = 7;
    DragMap(Qt::LeftButton, CellCentre(0, 0), CellCentre(1, 1));
    SetLayerSelectMode(doc);
    DragMap(Qt::LeftButton, CellCentre(0, 0), CellCentre(1, 1));
    ASSERT_EQ(doc.SelectPhase, 1);
    EditCopy(doc);
    ASSERT_EQ(doc.SelectPhase, 2);
    // Grab the block at its centre (the document moves the pointer there) and drag it by
    // three columns and two rows.
    const QPoint grab = CellCentre(1, 1) - QPoint(8, 8);
    QTest::mousePress(MapPort(), Qt::LeftButton, {}, grab);
    ASSERT_FALSE(ui.PointerMoves.empty());
    const QPoint to = grab + QPoint(3 * 16, 2 * 16);
    MoveMouse(MapPort(), grab + QPoint(24, 16), Qt::LeftButton);
    MoveMouse(MapPort(), to, Qt::LeftButton);
    QTest::mouseRelease(MapPort(), Qt::LeftButton, {}, to);
    EXPECT_EQ(doc.PastePos, (IntPoint{3, 2}));
    EditPaste(doc);
    for (const IntPoint c : {IntPoint{3, 2}, IntPoint{4, 2}, IntPoint{3, 3}, IntPoint{4, 3}})
        EXPECT_EQ(Cell(0, c.X, c.Y), 7) << c.X << "," << c.Y;
    EXPECT_EQ(Cell(0, 0, 0), 7);   // copied, not moved
    EXPECT_EQ(Cell(0, 5, 2), -1);
    // The floating block is outlined in magenta on screen.
    const QImage shot = MapPort()->grab().toImage();
    EXPECT_EQ(shot.pixel(16 + 3 * 16, 16 + 2 * 16 + 10) & 0xFFFFFF, 0xFF00FFu);
}

TEST_F(MapView, MoveShowsCellAndPixelInTheStatusAndTakesTheFocus)
{
    view->TabBar()->setFocus();
    MoveMouse(MapPort(), {16 + 40, 16 + 20});
    EXPECT_EQ(status, QString::fromUtf8("マップ座標(2,1) グラフィック座標(40,20)"));
    EXPECT_TRUE(Map()->hasFocus());
    MoveMouse(MapPort(), {4, 6});
    EXPECT_EQ(status, QString::fromUtf8("マップ座標(0,0) グラフィック座標(-12,-10)"));
}

TEST_F(MapView, TypedTextAndEnterMakeATextWhereTheCaretWas)
{
    SelectLayer(doc, kTextsTab);
    Map()->setFocus();
    ClickMap(Qt::LeftButton, {16 + 40, 16 + 20});
    ASSERT_TRUE(Map()->CaretShown());
    EXPECT_EQ(Map()->CaretRect().topLeft(), QPoint(16 + 40, 16 + 20));
    QTest::keyClicks(Map(), "ab");
    QTest::keyClick(Map(), Qt::Key_Backspace);
    QTest::keyClicks(Map(), "c");
    EXPECT_EQ(doc.TypedText, "ac");
    // The caret follows the typed text (the fake port measures 8 x points / 2 per byte).
    EXPECT_EQ(Map()->CaretRect().left(), 16 + 40 + 2 * doc.FontSize / 2);
    QTest::keyClick(Map(), Qt::Key_Return);
    ASSERT_EQ(doc.Texts.GetCount(), 1);
    EXPECT_EQ(doc.Texts.At(0).Text, "ac");
    EXPECT_EQ(doc.Texts.At(0).Rect.Left, 40);
    EXPECT_EQ(doc.Texts.At(0).Rect.Top, 20);
    EXPECT_TRUE(doc.TypedText.empty());
}

TEST_F(MapView, InputMethodCommitsArriveAsCp932Bytes)
{
    SelectLayer(doc, kTextsTab);
    Map()->setFocus();
    ClickMap(Qt::LeftButton, {16 + 8, 16 + 8});
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("地図"));
    QApplication::sendEvent(Map(), &commit);
    EXPECT_EQ(doc.TypedText, Cp932("地図"));
    EXPECT_EQ(doc.PendingLead, 0);
    // A character outside CP932 is refused with a message and types nothing.
    QInputMethodEvent emoji;
    emoji.setCommitString(QString::fromUtf8("\U0001F600"));
    QApplication::sendEvent(Map(), &emoji);
    EXPECT_EQ(doc.TypedText, Cp932("地図"));
    EXPECT_EQ(ui.Messages.size(), 1u);
}

TEST_F(MapView, LosingTheFocusDiscardsTypedText)
{
    SelectLayer(doc, kTextsTab);
    Map()->setFocus();
    ClickMap(Qt::LeftButton, {16 + 40, 16 + 20});
    QTest::keyClicks(Map(), "xyz");
    ASSERT_EQ(doc.TypedText, "xyz");
    Palette()->setFocus();
    EXPECT_TRUE(doc.TypedText.empty());
    EXPECT_FALSE(Map()->CaretShown());
    EXPECT_EQ(status, QString::fromUtf8("レディ"));
    EXPECT_EQ(doc.Texts.GetCount(), 0);
}

TEST_F(MapView, ContextMenuActsOnTheTextUnderTheRightClick)
{
    SelectLayer(doc, kTextsTab);
    doc.Texts.Append(CMemo{"first", {0, 0, 40, 16}, 10, 0});
    doc.Texts.Append(CMemo{"second", {64, 32, 120, 48}, 10, 0});
    Map()->MenuRunner = [this](QMenu& menu, QPoint) {
        EXPECT_EQ(menu.title(), QStringLiteral("MENU_TEXT"));
        // The pointer moves away before an item is chosen: the item still acts on the text
        // under the click.
        MoveMouse(MapPort(), {16 + 2, 16 + 2});
        for (QAction* action : menu.actions())
            if (action->data().toInt() == 32827)
                action->trigger();
    };
    QTest::mouseClick(MapPort(), Qt::RightButton, {}, {16 + 70, 16 + 40});
    EXPECT_EQ(Map()->TargetIndex(), 1);
    ASSERT_EQ(doc.Texts.GetCount(), 1);
    EXPECT_EQ(doc.Texts.At(0).Text, "first");
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(MapView, EventMenuOpensNothingOffEventsAndGreysOutAnEmptyDestination)
{
    SelectLayer(doc, kEventsTab);
    CEventData event;
    event.Type = 3;
    event.Rect = {2, 2, 3, 4};
    doc.Events.Append(event);
    int shown = 0;
    Map()->MenuRunner = [&](QMenu& menu, QPoint) {
        ++shown;
        EXPECT_EQ(menu.title(), QStringLiteral("MENU_EVENT"));
        for (QAction* action : menu.actions()) {
            if (action->data().toInt() == 32850) {
                EXPECT_FALSE(action->isEnabled());
            }
        }
    };
    QTest::mouseClick(MapPort(), Qt::RightButton, {}, CellCentre(0, 0));
    EXPECT_EQ(shown, 0);
    QTest::mouseClick(MapPort(), Qt::RightButton, {}, CellCentre(3, 4));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(Map()->TargetIndex(), 0);
    // The right button never paints on the events tab.
    EXPECT_FALSE(doc.Layers[0].HasGrid());
}

TEST_F(MapView, OpenDestinationLaunchesAnExistingMapOrSaysItIsMissing)
{
    CEventData event;
    event.Type = 1;
    event.Map = "no-such-map.mpx";
    doc.Events.Append(event);
    event.Map = QUELP_SOURCE_DIR "/CMakeLists.txt";
    doc.Events.Append(event);
    std::vector<QString> launched;
    const MapLauncher launcher = [&](const QString& path) {
        launched.push_back(path);
        return true;
    };
    EXPECT_FALSE(OpenDestination(doc, 0, launcher));
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0], Cp932("マップファイルが存在しません。"));
    EXPECT_TRUE(OpenDestination(doc, 1, launcher));
    ASSERT_EQ(launched.size(), 1u);
    EXPECT_TRUE(launched[0].endsWith("CMakeLists.txt"));
}

TEST_F(MapView, GridAndFrameLinesAtZoomOne)
{
    doc.Zoom = 1;
    doc.UpdateAllViews(nullptr, 50);
    const QImage shot = MapPort()->grab().toImage();
    const QRgb frame = qRgb(0, 200, 200);
    EXPECT_EQ(shot.pixel(16, 30), frame);            // left edge of the frame
    EXPECT_EQ(shot.pixel(16 + 4, 30), frame);        // grid line every 4 pixels
    EXPECT_EQ(shot.pixel(16 + 8, 30), frame);
    EXPECT_EQ(shot.pixel(16 + 6, 30), qRgb(0, 0, 0));
    EXPECT_EQ(shot.pixel(16 + 80 - 1, 30), frame);   // right edge: 20 cells of 4 pixels
    EXPECT_EQ(shot.pixel(16 + 80 + 2, 30), qRgb(200, 200, 200));
}

}  // namespace
