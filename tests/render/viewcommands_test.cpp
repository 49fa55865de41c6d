#include "chipfixture.h"
#include "render/defaultext.h"
#include "render/viewcommands.h"

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

}  // namespace
