#include "chipfixture.h"
#include "render/defaultext.h"
#include "render/viewcommands.h"
#include "render/viewpicture.h"

namespace {

using ViewCommands = RenderDocFixture;

TEST_F(ViewCommands, ZoomDropsTypedTextAndSendsHint50)
{
    doc.TypedText = "ab";
    doc.SelectPhase = 2;
    OnZoom2(doc);
    EXPECT_EQ(doc.Zoom, 2);
    EXPECT_TRUE(doc.TypedText.empty());
    EXPECT_EQ(doc.SelectPhase, 2);  // the selection and a floating block survive
    EXPECT_EQ(hints.Hints, (std::vector<int>{2, 50}));
    EXPECT_TRUE(OnZoom2Checked(doc));
    EXPECT_FALSE(OnZoom4Checked(doc));
    EXPECT_FALSE(doc.IsModified());
    hints.Hints.clear();
    OnZoom2(doc);  // already current
    EXPECT_TRUE(hints.Hints.empty());
    OnZoom1(doc);
    OnZoom3(doc);
    OnZoom4(doc);
    EXPECT_EQ(hints.Hints, (std::vector<int>{50, 50, 50}));
    EXPECT_TRUE(OnZoom4Checked(doc));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(ViewCommands, TogglesInvertAndSendHint2)
{
    EXPECT_TRUE(OnGridChecked(doc));
    OnGrid(doc);
    EXPECT_EQ(doc.Grid, 0);
    EXPECT_FALSE(OnGridChecked(doc));
    EXPECT_FALSE(OnSelectedLayerOnlyChecked(doc));
    OnSelectedLayerOnly(doc);
    EXPECT_EQ(doc.SelectedLayerOnly, 1);
    EXPECT_TRUE(OnSelectedLayerOnlyChecked(doc));
    OnSelectedLayerOnly(doc);
    EXPECT_EQ(doc.SelectedLayerOnly, 0);
    EXPECT_EQ(hints.Hints, (std::vector<int>{2, 2, 2}));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(OnViewCommandEnabled(doc));
}

TEST(DefaultExt, FromPatterns)
{
    struct Case {
        const char* Pattern;
        const char* Ext;
    };
    for (const Case c : {Case{"*.mpx", "mpx"}, Case{"*.jpg", "jpg"}, Case{"*.dat", "dat"},
                         Case{"*.", ""}, Case{"**..png", "png"}, Case{".bmp", "bmp"},
                         Case{"png", "png"}, Case{"", ""}})
        EXPECT_EQ(DefaultExtFromPattern(c.Pattern), c.Ext) << c.Pattern;
}

TEST(DefaultExt, FollowsTheSelectedType)
{
    const std::string filter =
        "PNG (*.png)|*.png|GIF (*.gif)|*.gif|BMP (*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg||";
    EXPECT_EQ(DefaultExtForFilter(filter, 1), "png");
    EXPECT_EQ(DefaultExtForFilter(filter, 4), "jpg");
    EXPECT_EQ(DefaultExtForFilter(filter, 5), "");
    EXPECT_EQ(DefaultExtForFilter(filter, 0), "");
    EXPECT_EQ(DefaultExtForFilter("Binary (*.)|*.||", 1), "");
}

struct ViewPictureTest : RenderDocFixture {
    void SetUp() override
    {
        RenderDocFixture::SetUp();
        doc.Columns = 10;
        doc.Rows = 8;
    }
};

TEST_F(ViewPictureTest, WindowLargerThanMapFramesTheWholeMap)
{
    for (int z = 1; z <= 4; ++z) {
        doc.Zoom = z;
        ViewPicture picture;
        ASSERT_TRUE(ComposeViewPicture(doc, {0, 0, 1000, 800}, picture));
        EXPECT_EQ(picture.Cells, (IntRect{0, 0, 9, 7}));
        EXPECT_EQ(picture.TopLeft, QPoint(16, 16));
        EXPECT_EQ(picture.Image.size(), QSize(z * 10 * 16 / 4, z * 8 * 16 / 4));
        EXPECT_EQ(picture.Image.pixel(0, 0), qRgb(0, 200, 200));
        EXPECT_EQ(picture.Image.pixel(picture.Image.width() - 1, 3), qRgb(0, 200, 200));
    }
}

TEST_F(ViewPictureTest, GridEveryZoomedChip)
{
    doc.Zoom = 1;
    ViewPicture picture;
    ASSERT_TRUE(ComposeViewPicture(doc, {0, 0, 1000, 800}, picture));
    const QRgb grid = qRgb(0, 200, 200), black = qRgb(0, 0, 0);
    EXPECT_EQ(picture.Image.pixel(4, 10), grid);
    EXPECT_EQ(picture.Image.pixel(8, 10), grid);
    EXPECT_EQ(picture.Image.pixel(6, 10), black);
    EXPECT_EQ(picture.Image.pixel(6, 4), grid);
    doc.Grid = 0;
    ASSERT_TRUE(ComposeViewPicture(doc, {0, 0, 1000, 800}, picture));
    EXPECT_EQ(picture.Image.pixel(4, 10), black);
    // Zoom 3 with 24-pixel chips: every 18 pixels.
    ChipWidth = ChipHeight = 24;
    doc.Zoom = 3;
    doc.Grid = 1;
    ASSERT_TRUE(ComposeViewPicture(doc, {0, 0, 1000, 800}, picture));
    EXPECT_EQ(picture.Image.pixel(18, 10), grid);
    EXPECT_EQ(picture.Image.pixel(36, 10), grid);
    EXPECT_EQ(picture.Image.pixel(27, 10), black);
}

TEST_F(ViewPictureTest, ScrolledRangeGoesOneCellBeyond)
{
    doc.Columns = 100;
    doc.Rows = 100;
    doc.Zoom = 2;
    // View pixels 16 + map x 2/4: 100 view pixels wide from 80.
    const IntRect range = ViewCellRange(doc, {80, 48, 180, 148});
    EXPECT_EQ(range, (IntRect{(4 * 80 - 64) / 32, (4 * 48 - 64) / 32, (4 * 180 - 64) / 32 + 1,
                              (4 * 148 - 64) / 32 + 1}));
    ViewPicture picture;
    ASSERT_TRUE(ComposeViewPicture(doc, {80, 48, 180, 148}, picture));
    EXPECT_EQ(picture.TopLeft, QPoint(2 * 16 * range.Left / 4 + 16, 2 * 16 * range.Top / 4 + 16));
}

}  // namespace
