#include "viewsfixture.h"

#include "edit/layeroptions.h"
#include "views/layermenu.h"

#include <QMenu>
#include <QSplitter>
#include <QTabBar>

namespace {

using TabView = ViewsFixture;

/** Picks the item with a command id from the layer menu as it is shown. */
struct MenuPick {
    explicit MenuPick(int id = 0) : Id(id) {}
    int Id = 0;
    std::map<int, std::pair<bool, bool>> Seen;   // id -> enabled, checked
    void operator()(QMenu& menu, QPoint)
    {
        Seen.clear();
        QAction* chosen = nullptr;
        for (QAction* action : menu.actions()) {
            Seen[action->data().toInt()] = {action->isEnabled(), action->isChecked()};
            if (action->data().toInt() == Id)
                chosen = action;
        }
        if (chosen && chosen->isEnabled())
            chosen->trigger();
    }
};

TEST_F(TabView, TenTabsAndTheirImagesAtStart)
{
    ASSERT_EQ(view->TabBar()->count(), 10);
    EXPECT_EQ(view->TabBar()->tabText(0), QStringLiteral("LY0"));
    EXPECT_EQ(view->TabBar()->tabText(8), QStringLiteral("Event"));
    EXPECT_EQ(view->TabBar()->tabText(9), QStringLiteral("Text"));
    EXPECT_EQ(view->TabImageIndex(0), 2);
    EXPECT_EQ(view->TabImageIndex(1), 0);
    EXPECT_EQ(view->TabImageIndex(8), 1);   // events hidden
    EXPECT_EQ(view->TabImageIndex(9), 0);
}

TEST_F(TabView, SplitterStartsAtOneThirdAndTwoThirds)
{
    const QList<int> sizes = view->Splitter()->sizes();
    ASSERT_EQ(sizes.size(), 2);
    const int total = sizes[0] + sizes[1];
    EXPECT_NEAR(sizes[0], total / 3, 4);
    EXPECT_GE(view->LeftView()->minimumWidth(), 74);
    EXPECT_GE(view->RightView()->minimumWidth(), 74);
}

TEST_F(TabView, ClickingATabSelectsItAndMovesTheCurrentMark)
{
    doc.EditMode = 1;
    view->TabBar()->setCurrentIndex(3);
    EXPECT_EQ(doc.CurrentTab, 3);
    EXPECT_EQ(view->TabImageIndex(0), 0);
    EXPECT_EQ(view->TabImageIndex(3), 2);
    view->TabBar()->setCurrentIndex(8);
    EXPECT_EQ(doc.EditMode, 0);
    EXPECT_EQ(view->TabImageIndex(8), 3);
}

TEST_F(TabView, HidingTheEventsAndTheTextsFlipsTheirImages)
{
    MenuPick pick(32793);
    view->MenuRunner = std::ref(pick);
    view->OpenLayerMenu(8, {});
    EXPECT_EQ(doc.ViewEvent, 1);
    EXPECT_EQ(view->TabImageIndex(8), 0);
    EXPECT_TRUE(doc.IsModified());
    view->OpenLayerMenu(9, {});
    EXPECT_EQ(doc.ViewText, 0);
    EXPECT_EQ(view->TabImageIndex(9), 1);
    view->OpenLayerMenu(0, {});   // the current layer: 2 -> 3
    EXPECT_EQ(view->TabImageIndex(0), 3);
    EXPECT_TRUE(pick.Seen[32793].second);   // it was shown when the menu opened
}

TEST_F(TabView, LayerMenuEnableAndCheckRules)
{
    doc.Layers[5].Cells = CellGrid(doc.Columns * doc.Rows, -1);
    doc.Layers[2].View = 0;
    MenuPick pick;   // choose nothing
    view->MenuRunner = std::ref(pick);
    struct Case { int tab; bool settings, left, right, save, checked; };
    const Case cases[] = {
        {0, true, false, true, false, true},
        {2, true, true, true, false, false},
        {5, true, true, true, true, true},
        {7, true, true, false, false, true},
        {8, false, false, false, false, false},   // events hidden
        {9, false, false, false, false, true},
        {10, false, false, false, false, false},  // no tab
    };
    for (const Case& c : cases) {
        view->OpenLayerMenu(c.tab, {});
        EXPECT_TRUE(pick.Seen[32793].first) << c.tab;
        EXPECT_EQ(pick.Seen[32793].second, c.checked) << c.tab;
        EXPECT_EQ(pick.Seen[32794].first, c.settings) << c.tab;
        EXPECT_EQ(pick.Seen[32795].first, c.left) << c.tab;
        EXPECT_EQ(pick.Seen[32796].first, c.right) << c.tab;
        EXPECT_EQ(pick.Seen[32797].first, c.save) << c.tab;
    }
}

TEST_F(TabView, RightClickBesideTheTabsOpensTheMenuForNoTab)
{
    MenuPick pick(32793);
    view->MenuRunner = std::ref(pick);
    const QRect last = view->TabBar()->tabRect(9);
    const QPoint beside = view->TabBar()->mapTo(view.get(), last.center()) + QPoint(300, 0);
    QTest::mouseClick(view.get(), Qt::RightButton, {}, beside);
    EXPECT_EQ(view->MenuTab(), 10);
    EXPECT_EQ(doc.ViewEvent, 0);
    EXPECT_EQ(doc.ViewText, 1);
    EXPECT_TRUE(doc.IsModified());   // marked all the same
    // On a tab: that tab.
    QTest::mouseClick(view->TabBar(), Qt::RightButton, {}, view->TabBar()->tabRect(4).center());
    EXPECT_EQ(view->MenuTab(), 10);   // forgotten after "表示"
    EXPECT_EQ(doc.Layers[4].View, 0);
}

TEST_F(TabView, MovingALayerKeepsTheCurrentPositionAndMovesNameAndCells)
{
    doc.Layers[0].Cells = CellGrid(doc.Columns * doc.Rows, 4);
    doc.Layers[0].ChipPage = 2;
    doc.Layers[0].SaveType = 3;
    MenuPick pick(32796);
    view->MenuRunner = std::ref(pick);
    view->OpenLayerMenu(0, {});
    EXPECT_EQ(doc.CurrentTab, 0);
    EXPECT_EQ(view->TabBar()->currentIndex(), 0);
    EXPECT_EQ(view->TabBar()->tabText(0), QStringLiteral("LY1"));
    EXPECT_EQ(view->TabBar()->tabText(1), QStringLiteral("LY0"));
    EXPECT_EQ(view->TabImageIndex(0), 2);
    EXPECT_EQ(view->TabImageIndex(1), 0);
    EXPECT_EQ(doc.Layers[1].LayerId, 0);
    EXPECT_EQ(doc.Layers[1].ChipPage, 2);
    EXPECT_EQ(doc.Layers[1].SaveType, 3);
    ASSERT_TRUE(doc.Layers[1].HasGrid());
    EXPECT_EQ((*doc.Layers[1].Cells)[0], 4);
    EXPECT_FALSE(doc.Layers[0].HasGrid());
    EXPECT_TRUE(doc.IsModified());
    pick.Id = 32795;
    view->OpenLayerMenu(1, {});
    EXPECT_EQ(doc.Layers[0].LayerId, 0);
}

TEST_F(TabView, LayerSettingsApplyOnlyWhatChanged)
{
    LoadSheet(3, 512, 160);   // 32 x 10 = 320 chips
    MenuPick pick(32794);
    view->MenuRunner = std::ref(pick);
    QStringList shownNames;
    view->LayerDialogRunner = [&](LayerOptionDialogValues& v, const QStringList& names) {
        shownNames = names;
        v.Name = "LY2";   // unchanged
        return true;
    };
    view->OpenLayerMenu(2, {});
    EXPECT_FALSE(doc.IsModified());
    ASSERT_EQ(shownNames.size(), 8);
    EXPECT_EQ(shownNames[0], QStringLiteral("sheet.png"));
    EXPECT_EQ(shownNames[1], QString::fromUtf8("ページ1"));

    view->LayerDialogRunner = [](LayerOptionDialogValues& v, const QStringList&) {
        v.Name = "ground";
        v.ChipPage = 3;
        return true;
    };
    view->OpenLayerMenu(2, {});
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(view->TabBar()->tabText(2), QStringLiteral("ground"));
    EXPECT_EQ(doc.Layers[2].ChipPage, 3);
    EXPECT_EQ(doc.Layers[2].DataSize, 1);   // the dialog does not check the size
}

TEST(LayerOptions, DataSizeRuleWhenNoSizeIsChosen)
{
    std::array<CChipPage, 8> pages;
    pages[1].Columns = 32;
    pages[1].Rows = 10;   // 320 chips
    pages[2].Columns = 16;
    pages[2].Rows = 16;   // 256 chips
    struct Case { int page, saveType, sizeIndex, expectSize; };
    const Case cases[] = {
        {1, 1, -1, 2}, {1, 0, -1, 1}, {2, 1, -1, 1}, {1, 1, 0, 1}, {2, 2, 1, 2},
    };
    for (const Case& c : cases) {
        CLayerData layer;
        layer.DataSize = 1;
        LayerOptionDialogValues v = LayerOptionValuesFrom(layer);
        v.ChipPage = c.page;
        v.SaveType = c.saveType;
        v.DataSizeIndex = c.sizeIndex;
        ApplyLayerOptions(v, layer, pages);
        EXPECT_EQ(layer.DataSize, c.expectSize) << c.page << " " << c.saveType;
    }
    CLayerData layer;
    EXPECT_FALSE(ApplyLayerOptions(LayerOptionValuesFrom(layer), layer, pages));
}

TEST_F(TabView, EscReleasedOnTheTabsCancelsTheFloatingBlock)
{
    doc.EditMode = 2;
    doc.SelectPhase = 1;
    view->TabBar()->setFocus();
    QTest::keyClick(view->TabBar(), Qt::Key_Escape);
    EXPECT_EQ(doc.SelectPhase, 0);
}

}  // namespace
