// The map view's painter on its own: what a paint of an area puts on the window.

#include "core/chipsize.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "render/chippages.h"
#include "support/fakeuiport.h"
#include "views/mapviewgeometry.h"
#include "views/mapviewpainter.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

const QRgb kFrame = qRgb(0, 200, 200);
const QRgb kMargin = qRgb(200, 200, 200);
const QRgb kBlack = qRgb(0, 0, 0);

/** A new 10 x 8 map of 16 x 16 chips; the program-wide chip size is put back afterwards. */
struct MapPainter : ::testing::Test {
    MemorySettingsStore store;
    FakeUiPort ui;
    CQuelpDoc doc{store, ui};
    int savedWidth = ChipWidth;
    int savedHeight = ChipHeight;

    void SetUp() override
    {
        ChipWidth = 16;
        ChipHeight = 16;
        doc.OnNewDocument();
        doc.Columns = 10;
        doc.Rows = 8;
    }
    void TearDown() override
    {
        ChipWidth = savedWidth;
        ChipHeight = savedHeight;
    }

    /** A window of that size showing the view scrolled to `scroll`, painted whole. */
    QImage Paint(QSize window, QPoint scroll = {}) const
    {
        QImage image(window, QImage::Format_RGB32);
        image.fill(qRgb(1, 2, 3));
        QPainter painter(&image);
        painter.translate(-scroll);
        PaintMapArea(painter, doc, QRect(scroll, window));
        return image;
    }
    MapViewGeometry Geometry() const
    {
        return {doc.Zoom, ChipWidth, ChipHeight, doc.Columns, doc.Rows};
    }
};

TEST_F(MapPainter, WindowLargerThanMapFramesTheWholeMap)
{
    for (int z = 1; z <= 4; ++z) {
        doc.Zoom = z;
        EXPECT_EQ(VisibleCellRange(Geometry(), QRect(0, 0, 1000, 800)), (IntRect{0, 0, 9, 7}));
        const QImage shot = Paint({1000, 800});
        const int w = z * 10 * 16 / 4, h = z * 8 * 16 / 4;
        EXPECT_EQ(shot.pixel(16, 16), kFrame) << z;
        EXPECT_EQ(shot.pixel(16 + w - 1, 16 + 3), kFrame) << z;
        EXPECT_EQ(shot.pixel(16 + 3, 16 + h - 1), kFrame) << z;
        EXPECT_EQ(shot.pixel(16 + w - 2, 16 + h - 2), kBlack) << z;  // inside the last cell
        EXPECT_EQ(shot.pixel(16 + w, 16 + 3), kMargin) << z;
        EXPECT_EQ(shot.pixel(16 + 3, 16 + h), kMargin) << z;
        EXPECT_EQ(shot.pixel(15, 16), kMargin) << z;
    }
}

TEST_F(MapPainter, GridEveryZoomedChip)
{
    doc.Zoom = 1;
    QImage shot = Paint({1000, 800});
    EXPECT_EQ(shot.pixel(16 + 4, 16 + 10), kFrame);
    EXPECT_EQ(shot.pixel(16 + 8, 16 + 10), kFrame);
    EXPECT_EQ(shot.pixel(16 + 6, 16 + 10), kBlack);
    EXPECT_EQ(shot.pixel(16 + 6, 16 + 4), kFrame);
    doc.Grid = 0;
    shot = Paint({1000, 800});
    EXPECT_EQ(shot.pixel(16 + 4, 16 + 10), kBlack);
    // Zoom 3 with 24-pixel chips: every 18 pixels.
    ChipWidth = ChipHeight = 24;
    doc.Zoom = 3;
    doc.Grid = 1;
    shot = Paint({1000, 800});
    EXPECT_EQ(shot.pixel(16 + 18, 16 + 10), kFrame);
    EXPECT_EQ(shot.pixel(16 + 36, 16 + 10), kFrame);
    EXPECT_EQ(shot.pixel(16 + 27, 16 + 10), kBlack);
}

TEST_F(MapPainter, ScrolledAreaGoesOneCellBeyondAndMeetsTheWholeView)
{
    doc.Columns = 100;
    doc.Rows = 100;
    doc.Zoom = 2;
    // Chips of their own colour in every cell, so that a misplaced cell shows.
    QImage sheet(256, 128, QImage::Format_RGB32);
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            sheet.setPixel(x, y, qRgb(x / 16 * 13 % 256, y / 16 * 29 % 256, (x + y) % 7 * 30));
    CChipPage& page = doc.ChipPages[0];
    page.Image.Pixels = sheet;
    page.Image.BitsPerPixel = 32;
    page.FilePath = "sheet.png";
    int w = 16, h = 16;
    ASSERT_TRUE(CutChipPage(page, w, h));
    doc.Layers[0].Cells = CellGrid(100 * 100);
    for (size_t i = 0; i < doc.Layers[0].Cells->size(); ++i)
        (*doc.Layers[0].Cells)[i] = static_cast<int16_t>(i * 7 % 128);

    // View pixels 16 + map x 2/4: 100 view pixels wide from 80.
    const QRect area(80, 48, 100, 100);
    const IntRect range = VisibleCellRange(Geometry(), area);
    EXPECT_EQ(range, (IntRect{(4 * 80 - 64) / 32, (4 * 48 - 64) / 32, (4 * 180 - 64) / 32 + 1,
                              (4 * 148 - 64) / 32 + 1}));
    const QImage scrolled = Paint(area.size(), area.topLeft());
    // The grid line after the first cell shown sits where that cell's zoomed edge is.
    const int edgeX = 2 * 16 * (range.Left + 1) / 4 + 16, edgeY = 2 * 16 * (range.Top + 1) / 4 + 16;
    EXPECT_EQ(scrolled.pixel(edgeX - area.left(), 50), kFrame);
    EXPECT_EQ(scrolled.pixel(50, edgeY - area.top()), kFrame);
    EXPECT_NE(scrolled.pixel(edgeX - area.left() - 1, 50), kFrame);
    // Every pixel, up to the partly shown cells on the right and bottom and the grid lines on the
    // area's first edges, is the whole view's.
    const QImage whole = Paint({area.right() + 1, area.bottom() + 1});
    EXPECT_EQ(scrolled, whole.copy(area));
}

}  // namespace
