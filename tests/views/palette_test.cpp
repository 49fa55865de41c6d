#include "viewsfixture.h"

#include "edit/tabselect.h"
#include "views/palettelayout.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>

namespace {

using ChipPalette = ViewsFixture;

TEST_F(ChipPalette, HitTestScrollSizeAndTheExclusiveEdges)
{
    // 256 x 128 sheet of 16 x 16 chips: 16 columns, 8 rows.
    EXPECT_EQ(PaletteScrollSize(doc), QSize(289, 209));
    struct Case { QPoint at; bool hit; int chip; };
    const Case cases[] = {
        {{40, 100}, true, 33},      // column 1, row 2
        {{16, 64}, true, 0},
        {{15, 64}, false, -1},      // on the frame
        {{270, 190}, true, 127},    // last pixel inside the last chip
        {{271, 100}, false, -1},    // last pixel column of the sheet lies outside
        {{100, 191}, false, -1},    // and the last pixel row
        {{15, 15}, true, -1},       // the eraser, left and top inclusive
        {{79, 47}, true, -1},
        {{80, 30}, false, -1},      // right exclusive
        {{30, 48}, false, -1},      // bottom exclusive
    };
    for (const Case& c : cases) {
        const ChipHit hit = HitTestChip(doc, c.at);
        EXPECT_EQ(hit.Hit, c.hit) << c.at.x() << "," << c.at.y();
        if (c.hit) {
            EXPECT_EQ(hit.Chip, c.chip) << c.at.x() << "," << c.at.y();
        }
    }
}

TEST_F(ChipPalette, ScrollSizesOfTheOtherTabsAndOfAnEmptyPage)
{
    doc.Layers[1].ChipPage = 3;
    SelectLayer(doc, 1);
    EXPECT_EQ(PaletteScrollSize(doc), QSize(96, 81));
    EXPECT_EQ(Palette()->TotalSize(), QSize(96, 81));
    SelectLayer(doc, kEventsTab);
    EXPECT_EQ(Palette()->TotalSize(), QSize(96, 96));
    EXPECT_FALSE(HitTestChip(doc, {40, 100}).Hit);
    LoadSheet(2, 40, 40);   // 2 x 2 chips, narrower than 64: width 96
    doc.Layers[1].ChipPage = 2;
    SelectLayer(doc, 1);
    EXPECT_EQ(Palette()->TotalSize(), QSize(96, 32 + 81));
}

TEST_F(ChipPalette, ReleaseChoosesTheChipOfThatButtonOnce)
{
    HintRecorder hints;
    doc.AddView(&hints);
    QTest::mouseClick(Palette()->viewport(), Qt::LeftButton, {}, {40, 100});
    EXPECT_EQ(doc.ChipPages[0].LeftChip, 33);
    QTest::mouseClick(Palette()->viewport(), Qt::RightButton, {}, {60, 70});
    EXPECT_EQ(doc.ChipPages[0].RightChip, 2);
    EXPECT_EQ(hints.Hints, (std::vector<int>{1, 1}));
    // The same chip again sends nothing; a press alone chooses nothing.
    QTest::mouseClick(Palette()->viewport(), Qt::LeftButton, {}, {40, 100});
    QTest::mousePress(Palette()->viewport(), Qt::LeftButton, {}, {20, 70});
    EXPECT_EQ(doc.ChipPages[0].LeftChip, 33);
    QTest::mouseRelease(Palette()->viewport(), Qt::LeftButton, {}, {20, 70});
    EXPECT_EQ(doc.ChipPages[0].LeftChip, 0);
    // The eraser gives -1.
    QTest::mouseClick(Palette()->viewport(), Qt::LeftButton, {}, {40, 30});
    EXPECT_EQ(doc.ChipPages[0].LeftChip, -1);
    EXPECT_EQ(hints.Hints.size(), 4u);
    doc.RemoveView(&hints);
}

TEST_F(ChipPalette, StatusTextAndFocusOnMove)
{
    MoveMouse(Palette()->viewport(), {40, 100});
    EXPECT_EQ(status, QString::fromUtf8("チップID=33"));
    EXPECT_TRUE(Palette()->hasFocus());
    MoveMouse(Palette()->viewport(), {40, 30});
    EXPECT_EQ(status, QString::fromUtf8("チップID=-1"));
    MoveMouse(Palette()->viewport(), {5, 5});
    EXPECT_EQ(status, QString::fromUtf8("レディ"));
}

TEST_F(ChipPalette, DrawsSheetFrameAndOutlines)
{
    doc.ChipPages[0].LeftChip = 0;
    doc.ChipPages[0].RightChip = 17;
    doc.UpdateAllViews(nullptr, 1);
    const QImage shot = Palette()->viewport()->grab().toImage();
    EXPECT_EQ(shot.pixel(18, 18), qRgb(0, 0, 0));                     // eraser box
    EXPECT_EQ(shot.pixel(5, 5), qRgb(200, 200, 200));                 // background
    EXPECT_EQ(shot.pixel(15, 100), qRgb(0, 200, 200));                // frame
    EXPECT_EQ(shot.pixel(15, 70), qRgb(255, 0, 0));                   // left chip outline
    EXPECT_EQ(shot.pixel(40, 79), qRgb(255, 0, 255));                 // right chip outline
    EXPECT_EQ(shot.pixel(40, 100), doc.ChipPages[0].Image.Pixels.pixel(24, 36));  // sheet
}

TEST_F(ChipPalette, ShiftWheelScrollsSideways)
{
    LoadSheet(0, 1024, 64);
    doc.UpdateAllViews(nullptr, 1);
    Palette()->resize(200, 300);
    Palette()->setFixedWidth(200);
    QApplication::processEvents();
    QScrollBar* bar = Palette()->horizontalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    // A notch moves the desktop's wheel lines in chips, not a page of the whole sheet.
    const int step = QApplication::wheelScrollLines() * 16;
    const QPointF at(50, 50);
    QWheelEvent down(at, Palette()->viewport()->mapToGlobal(at), {}, {0, -120}, Qt::NoButton,
                     Qt::ShiftModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Palette()->viewport(), &down);
    EXPECT_EQ(bar->value(), step);
    QWheelEvent up(at, Palette()->viewport()->mapToGlobal(at), {}, {0, 120}, Qt::NoButton,
                   Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Palette()->viewport(), &up);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(Palette()->verticalScrollBar()->value(), 0);
}

TEST_F(ChipPalette, EscCancelsAFloatingBlock)
{
    doc.EditMode = 1;
    doc.SelectPhase = 1;
    Palette()->setFocus();
    QTest::keyClick(Palette(), Qt::Key_Escape);
    EXPECT_EQ(doc.SelectPhase, 0);
}

}  // namespace
