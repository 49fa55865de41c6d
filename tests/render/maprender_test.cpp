#include "chipfixture.h"
#include "core/cp932.h"
#include "render/mapfont.h"
#include "render/maprender.h"
#include "render/stretchmap.h"

#include <QFontInfo>
#include <QPainter>

namespace {

// Palette of the test sheet: entry 0 the key, then distinct colours.
const QRgb kKey = qRgb(255, 0, 255);
const QRgb kA = qRgb(200, 30, 30);
const QRgb kB = qRgb(30, 200, 30);
const QRgb kC = qRgb(30, 30, 200);
const QRgb kD = qRgb(250, 250, 250);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kYellow = qRgb(255, 255, 0);
const QRgb kRed = qRgb(255, 0, 0);

/** A 64 x 16 sheet of four 16 x 16 chips: chip 0 is A with its left half the key, chips 1, 2
 *  and 3 are solid B, C and D. */
CImage FourChipSheet()
{
    CImage sheet;
    EXPECT_TRUE(CreateImage(sheet, 64, 16, 8, {kKey, kA, kB, kC, kD}));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 64; ++x) {
            const int chip = x / 16;
            const int index = chip == 0 ? (x < 8 ? 0 : 1) : chip + 1;
            sheet.Pixels.setPixel(x, y, static_cast<uint>(index));
        }
    return sheet;
}

struct MapRender : RenderDocFixture {
    void SetUp() override
    {
        RenderDocFixture::SetUp();
        doc.Columns = 6;
        doc.Rows = 6;
        LoadSheet(0, FourChipSheet(), "four.png");
    }
    void Fill(int position, int16_t value)
    {
        doc.Layers[static_cast<size_t>(position)].Cells = CellGrid(36, value);
    }
    void Set(int position, int c, int r, int16_t value)
    {
        auto& cells = doc.Layers[static_cast<size_t>(position)].Cells;
        if (!cells)
            cells = CellGrid(36, -1);
        (*cells)[static_cast<size_t>(r * 6 + c)] = value;
    }
    QImage Picture(bool forScreen, IntRect range = {0, 0, 5, 5})
    {
        CImage image;
        EXPECT_TRUE(CreateImage(image, (range.Right - range.Left + 1) * 16,
                                (range.Bottom - range.Top + 1) * 16, 24));
        EXPECT_TRUE(DrawMapToImage(image, doc, range, forScreen));
        return image.Pixels;
    }
    static QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }
};

TEST_F(MapRender, KeyColourShowsThroughToTheLayerBelow)
{
    Fill(0, 2);           // C everywhere
    Set(1, 1, 0, 0);      // chip 0 at cell (1, 0): left half key, right half A
    const QImage p = Picture(false);
    EXPECT_EQ(At(p, 16 + 3, 5), kC);
    EXPECT_EQ(At(p, 16 + 12, 5), kA);
    EXPECT_EQ(At(p, 3, 5), kC);
}

TEST_F(MapRender, ValuesThatNameNoChipDrawNothingAndStay)
{
    Set(0, 0, 0, 40);
    Set(0, 1, 0, -2);
    Set(0, 2, 0, 3);
    const QImage p = Picture(false);
    EXPECT_EQ(At(p, 4, 4), kBlack);
    EXPECT_EQ(At(p, 20, 4), kBlack);
    EXPECT_EQ(At(p, 36, 4), kD);
    EXPECT_EQ((*doc.Layers[0].Cells)[0], 40);
}

TEST_F(MapRender, EventMarkerBorderHatchAndGaps)
{
    Fill(0, 1);  // B shows in the gaps
    CEventData event;
    event.Type = 3;
    event.Rect = {2, 2, 3, 4};
    doc.Events.Append(event);
    doc.ViewEvent = 1;
    const QImage p = Picture(false);
    // Rectangle (32, 32)-(64, 80), right and bottom excluded.
    for (const QPoint pt : {QPoint(32, 32), QPoint(63, 32), QPoint(32, 79), QPoint(63, 79),
                            QPoint(32, 50), QPoint(63, 50), QPoint(45, 32), QPoint(45, 79)})
        EXPECT_EQ(At(p, pt.x(), pt.y()), kYellow) << pt.x() << "," << pt.y();
    for (const QPoint pt : {QPoint(31, 40), QPoint(64, 40), QPoint(40, 31), QPoint(40, 80)})
        EXPECT_EQ(At(p, pt.x(), pt.y()), kB) << pt.x() << "," << pt.y();
    // Backward diagonal: pixels with x + y = 7 (mod 8) are hatched, lines rising to the right.
    EXPECT_EQ(At(p, 33, 38), kRed);
    EXPECT_EQ(At(p, 34, 37), kRed);
    EXPECT_EQ(At(p, 40, 39), kRed);
    EXPECT_EQ(At(p, 34, 38), kB);
    EXPECT_EQ(At(p, 33, 39), kB);
    EXPECT_EQ(At(p, 50, 50), kB);

    doc.Events.At(0).Type = 0;  // a plain transfer: yellow hatch
    const QImage q = Picture(false);
    EXPECT_EQ(At(q, 33, 38), kYellow);
    EXPECT_EQ(At(q, 34, 38), kB);
}

TEST_F(MapRender, EventsShowWhenViewEventOrEventsTab)
{
    CEventData event;
    event.Rect = {0, 0, 0, 0};
    doc.Events.Append(event);
    doc.ViewEvent = 0;
    EXPECT_EQ(At(Picture(false), 0, 0), kBlack);
    doc.CurrentTab = kEventsTab;
    EXPECT_EQ(At(Picture(false), 0, 0), kYellow);
    EXPECT_EQ(At(Picture(true), 0, 0), kYellow);
}

TEST_F(MapRender, HiddenCurrentLayerOnScreenOnly)
{
    Fill(0, 1);
    Set(1, 2, 2, 2);
    doc.Layers[1].View = 0;
    doc.CurrentTab = 1;
    EXPECT_EQ(At(Picture(true), 40, 40), kC);
    EXPECT_EQ(At(Picture(false), 40, 40), kB);
    doc.CurrentTab = 0;
    EXPECT_EQ(At(Picture(true), 40, 40), kB);
}

TEST_F(MapRender, SelectedLayerOnlyHonoursTheTab)
{
    Fill(0, 1);
    Set(1, 2, 2, 2);
    doc.SelectedLayerOnly = 1;
    doc.CurrentTab = 0;
    EXPECT_EQ(At(Picture(false), 40, 40), kB);
    doc.CurrentTab = 1;
    EXPECT_EQ(At(Picture(false), 40, 40), kC);
    EXPECT_EQ(At(Picture(false), 4, 4), kBlack);
    for (int tab : {kEventsTab, kTextsTab}) {
        doc.CurrentTab = tab;
        EXPECT_EQ(At(Picture(false), 40, 40), kC);
        EXPECT_EQ(At(Picture(false), 4, 4), kB);
    }
}

TEST_F(MapRender, FloatingBlockCoversItsOwnLayerOnly)
{
    Fill(0, 1);           // B below
    Fill(1, 2);           // C above
    doc.Layers[1].LayerId = 5;
    doc.SelectPhase = 2;
    doc.EditMode = 1;
    doc.Clipboard.Left = 0;
    doc.Clipboard.Top = 0;
    doc.Clipboard.Right = 1;
    doc.Clipboard.Bottom = 0;
    doc.Clipboard.Buffers.push_back(CDataBuffer{5, 2, 1, {-1, 3}});
    doc.PastePos = {3, 4};
    const QImage screen = Picture(true);
    EXPECT_EQ(At(screen, 3 * 16 + 8, 4 * 16 + 8), kB);   // hole of the block: layer 0 shows
    EXPECT_EQ(At(screen, 4 * 16 + 8, 4 * 16 + 8), kD);   // the block's chip
    EXPECT_EQ(At(screen, 5 * 16 + 8, 4 * 16 + 8), kC);   // outside the block
    // Not in pictures, and not while a text floats.
    EXPECT_EQ(At(Picture(false), 3 * 16 + 8, 4 * 16 + 8), kC);
    doc.EditMode = 3;
    EXPECT_EQ(At(Picture(true), 4 * 16 + 8, 4 * 16 + 8), kC);
    // With only the selected layer shown, other layers' blocks still show.
    doc.EditMode = 1;
    doc.SelectedLayerOnly = 1;
    doc.CurrentTab = 0;
    const QImage only = Picture(true);
    EXPECT_EQ(At(only, 4 * 16 + 8, 4 * 16 + 8), kD);
    EXPECT_EQ(At(only, 5 * 16 + 8, 4 * 16 + 8), kB);
}

TEST_F(MapRender, RangeOriginShiftsEverything)
{
    Set(0, 3, 2, 3);
    CEventData event;
    event.Type = 1;
    event.Rect = {3, 2, 3, 2};
    doc.Events.Append(event);
    doc.ViewEvent = 1;
    const QImage p = Picture(false, {2, 1, 4, 3});
    EXPECT_EQ(At(p, 16, 16), kYellow);
    EXPECT_EQ(At(p, 20, 20), kD);
    EXPECT_EQ(At(p, 16 + 2, 16 + 5), kRed);  // map pixel (50, 37): 87 = 7 mod 8
}

TEST_F(MapRender, TrueColourSheetsHaveNoKeyAndAlphaBlends)
{
    CImage rgb;
    ASSERT_TRUE(CreateImage(rgb, 16, 16, 24));  // all black, drawn opaque
    LoadSheet(1, rgb, "black.bmp");
    CImage alpha;
    ASSERT_TRUE(CreateImage(alpha, 16, 16, 32));
    alpha.Pixels.fill(qRgba(255, 255, 255, 128));
    LoadSheet(2, alpha, "half.png");
    Fill(0, 1);                       // B
    doc.Layers[1].ChipPage = 1;
    Set(1, 0, 0, 0);                  // black, opaque
    doc.Layers[2].ChipPage = 2;
    Set(2, 1, 0, 0);                  // white at half alpha over B
    const QImage p = Picture(false);
    EXPECT_EQ(At(p, 5, 5), kBlack);
    const QRgb mixed = At(p, 20, 5);
    EXPECT_NEAR(qRed(mixed), (255 + 30) / 2, 2);
    EXPECT_NEAR(qGreen(mixed), (255 + 200) / 2, 2);
}

TEST_F(MapRender, IndexedLayerPictureKeepsIndices)
{
    Set(0, 1, 1, 0);
    Set(0, 2, 1, 3);
    doc.Layers[0].View = 0;  // a layer picture ignores View
    const CChipPage& page = doc.ChipPages[0];
    CImage image;
    ASSERT_TRUE(CreateImage(image, 96, 96, 8, page.Image.ColorTable));
    ASSERT_TRUE(DrawLayerToImage(image, doc.Layers[0], doc.ChipPages, WholeMapRange(doc), 6, 6));
    EXPECT_EQ(image.Pixels.pixelIndex(0, 0), 0);    // empty cell
    EXPECT_EQ(image.Pixels.pixelIndex(17, 17), 0);  // key half of chip 0
    EXPECT_EQ(image.Pixels.pixelIndex(28, 17), 1);  // A
    EXPECT_EQ(image.Pixels.pixelIndex(40, 20), 4);  // D
    // No cells, or a page without an image: nothing drawn, false.
    EXPECT_FALSE(DrawLayerToImage(image, doc.Layers[3], doc.ChipPages, WholeMapRange(doc), 6, 6));
    doc.Layers[0].ChipPage = 6;
    EXPECT_FALSE(DrawLayerToImage(image, doc.Layers[0], doc.ChipPages, WholeMapRange(doc), 6, 6));
}

TEST_F(MapRender, FloatingBlockExcludesItsRectangleFromItsLayer)
{
    Fill(0, 3);
    doc.SelectPhase = 2;
    doc.EditMode = 1;
    doc.Clipboard.Right = 1;
    doc.Clipboard.Bottom = 1;
    doc.Clipboard.Buffers.push_back(CDataBuffer{doc.Layers[0].LayerId, 2, 2, {-1, -1, -1, -1}});
    doc.PastePos = {1, 1};
    const QImage surface = Picture(true);
    EXPECT_EQ(At(surface, 8, 8), kD);
    EXPECT_EQ(At(surface, 24, 24), kBlack);
    EXPECT_EQ(At(surface, 40, 40), kBlack);
    EXPECT_EQ(At(surface, 56, 40), kD);
}

TEST_F(MapRender, ScaledCompositionEqualsTheStretchedFullPicture)
{
    CImage alpha = AlphaSheet(64, 16);
    LoadSheet(1, alpha, "alpha.png");
    for (int i = 0; i < 36; ++i) {
        Set(0, i % 6, i / 6, static_cast<int16_t>(i % 5 - 1));
        Set(1, i % 6, i / 6, static_cast<int16_t>((i * 7) % 4));
    }
    doc.Layers[1].ChipPage = 1;
    CEventData event;
    event.Type = 2;
    event.Rect = {1, 1, 4, 2};
    doc.Events.Append(event);
    doc.ViewEvent = 1;
    CMemo memo;
    memo.Text = Cp932("地図 Map");
    memo.Rect = {20, 30, 90, 50};
    memo.Size = 12;
    memo.Color = 0x0000FF;
    doc.Texts.Append(memo);
    const IntRect range{1, 0, 5, 4};
    const QImage full = Picture(true, range);
    for (const QSize size : {QSize(80, 80), QSize(78, 78), QSize(60, 60), QSize(40, 40),
                             QSize(20, 20), QSize(123, 57)}) {
        QImage target(size.width() + 4, size.height() + 4, QImage::Format_RGB32);
        target.fill(qRgb(1, 2, 3));
        DrawMapScaled(doc, range, true, target, QRect(QPoint(2, 2), size));
        const StretchMap map = StretchMap::Fit(80, 80, size.width(), size.height());
        for (int j = 0; j < size.height(); ++j)
            for (int i = 0; i < size.width(); ++i)
                ASSERT_EQ(At(target, i + 2, j + 2),
                          At(full, map.SourceX[static_cast<size_t>(i)],
                             map.SourceY[static_cast<size_t>(j)]))
                    << size.width() << "x" << size.height() << " at " << i << "," << j;
        EXPECT_EQ(target.pixel(1, 1), qRgb(1, 2, 3));
        EXPECT_EQ(target.pixel(size.width() + 2, size.height() + 2), qRgb(1, 2, 3));
    }
}

TEST_F(MapRender, FloatingCellsAtTheirPastePosition)
{
    const IntRect range{1, 0, 5, 5};
    const QImage empty = Picture(true, range);
    doc.SelectPhase = 2;
    doc.EditMode = 1;
    doc.Clipboard.Right = 1;
    doc.Clipboard.Bottom = 1;
    doc.Clipboard.Buffers.push_back(CDataBuffer{doc.Layers[0].LayerId, 2, 2, {3, -1, 0, 40}});
    doc.PastePos = {2, 1};
    const QImage surface = Picture(true, range);
    // Cell (2, 1) is drawn at (16, 16) for a range starting at cell (1, 0).
    EXPECT_EQ(At(surface, 20, 20), kD);
    EXPECT_EQ(At(surface, 36, 20), kBlack);      // -1
    EXPECT_EQ(At(surface, 20, 36), kBlack);      // the key half of chip 0
    EXPECT_EQ(At(surface, 28, 36), kA);
    EXPECT_EQ(At(surface, 40, 40), kBlack);      // 40 names no chip
    EXPECT_EQ(At(surface, 4, 4), kBlack);
    doc.Layers[0].ChipPage = 7;                  // no image: nothing
    EXPECT_EQ(Picture(true, range), empty);
}

TEST_F(MapRender, WholeMapEqualsLayersDrawnOneByOne)
{
    // Chips of every kind (holes, solid, half alpha, empty) stacked on all eight layers.
    CImage alpha = AlphaSheet(64, 16);
    LoadSheet(1, alpha, "alpha.png");
    for (int l = 0; l < kLayerCount; ++l) {
        doc.Layers[static_cast<size_t>(l)].ChipPage = l % 2;
        for (int i = 0; i < 36; ++i) {
            const int value = l % 2 ? ((i + l) % 3 == 0 ? 1 : -1) : (i * 3 + l) % 7 - 1;
            Set(l, i % 6, i / 6, static_cast<int16_t>(value));
        }
    }
    const QImage whole = Picture(false);
    QImage layered(96, 96, QImage::Format_RGB32);
    layered.fill(kBlack);
    for (const CLayerData& layer : doc.Layers)
        ASSERT_TRUE(DrawLayerCells(doc.ChipPages, WholeMapRange(doc), layer, layered, 6, 6));
    EXPECT_EQ(whole, layered);
}

TEST_F(MapRender, PainterPathMatchesImagePath)
{
    for (int i = 0; i < 36; ++i)
        Set(0, i % 6, i / 6, static_cast<int16_t>(i % 5 - 1));
    CEventData event;
    event.Type = 1;
    event.Rect = {0, 1, 2, 3};
    doc.Events.Append(event);
    doc.ViewEvent = 1;
    const QImage direct = Picture(false);
    QImage painted(96, 96, QImage::Format_RGB32);
    painted.fill(kBlack);
    {
        QPainter painter(&painted);
        DrawMap(doc, painter, WholeMapRange(doc), false);
    }
    EXPECT_EQ(painted, direct);
    // The marker alone, from the second column on: its hatch stays on the map's pixels.
    doc.Layers[0].Cells.reset();
    QImage marker(80, 96, QImage::Format_RGB32);
    marker.fill(kBlack);
    {
        QPainter painter(&marker);
        DrawMap(doc, painter, {1, 0, 5, 5}, false);
    }
    EXPECT_EQ(At(marker, 0, 16), kYellow);    // map pixel (16, 16): inside, on the edge row
    EXPECT_EQ(At(marker, 1, 22), kRed);       // map pixel (17, 22): 39 = 7 mod 8, hatched
    EXPECT_EQ(At(marker, 1, 23), kBlack);     // a gap
}

TEST_F(MapRender, TypedTextDrawsWhereTheCommittedTextWill)
{
    doc.FontSize = 14;
    doc.TextColor = 0x00FFFF;  // yellow
    doc.TypedText = Cp932("あいう");
    doc.TypePos = {40, 30};
    const IntRect scrolled{1, 1, 5, 5};
    const QImage typed = Picture(true, scrolled);
    doc.TypedText.clear();
    CMemo memo;
    memo.Text = Cp932("あいう");
    memo.Rect = {40, 30, 100, 50};
    memo.Size = 14;
    memo.Color = 0x00FFFF;
    doc.Texts.Append(memo);
    const QImage committed = Picture(true, scrolled);
    EXPECT_EQ(typed, committed);
    // The text starts at its rectangle's top-left, shifted by the range origin.
    bool inked = false;
    for (int y = 30 - 16; y < 30 - 16 + 20; ++y)
        for (int x = 40 - 16; x < 40 - 16 + 50; ++x)
            inked |= qRed(At(committed, x, y)) > 128 && qGreen(At(committed, x, y)) > 128;
    EXPECT_TRUE(inked);
    for (int x = 0; x < 80; ++x)
        EXPECT_EQ(At(committed, x, 30 - 16 - 2), kBlack);
}

TEST_F(MapRender, MovingTextIsDrawnAtThePastePosition)
{
    CMemo memo;
    memo.Text = "MMMM";
    memo.Rect = {0, 0, 40, 20};
    memo.Size = 20;
    memo.Color = 0xFFFFFF;
    doc.Texts.Append(memo);
    doc.ViewText = 0;
    doc.EditMode = 3;
    doc.MovingText = 0;
    doc.PastePos = {48, 48};
    const QImage p = Picture(false);
    int inkedNear = 0, inkedAtOrigin = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x) {
            inkedNear += qGreen(At(p, 48 + x, 48 + y)) > 128;
            inkedAtOrigin += qGreen(At(p, x, y)) > 128;
        }
    EXPECT_GT(inkedNear, 0);
    EXPECT_EQ(inkedAtOrigin, 0);
}

TEST(MapFont, FaceIsSubstitutedAndSizedAtScreenDpi)
{
    InstallFontSubstitutions();
    const QFont font = MapFont(MapFontFace(), 12);
    EXPECT_EQ(font.pixelSize(), (12 * ScreenDpi() + 36) / 72);
    EXPECT_EQ(QFontInfo(font).family(), "IPAPGothic");
    EXPECT_EQ(QFontInfo(MapFont(Cp932("MS ゴシック"), 9)).family(), "IPAGothic");
    const IntSize one = MeasureMapText("A", MapFontFace(), 12);
    const IntSize three = MeasureMapText("AAA", MapFontFace(), 12);
    const IntSize big = MeasureMapText("A", MapFontFace(), 24);
    EXPECT_GT(one.Width, 0);
    EXPECT_NEAR(three.Width, 3 * one.Width, 2);
    EXPECT_GT(big.Height, one.Height);
    EXPECT_EQ(MeasureMapText("", MapFontFace(), 12).Width, 0);
}

}  // namespace
