#include "viewsfixture.h"

#include "core/cp932.h"
#include "edit/tabselect.h"
#include "render/viewcommands.h"
#include "views/contextmenus.h"
#include "views/palettelayout.h"
#include "views/panesplitter.h"

#include <QMainWindow>
#include <QMenu>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QWheelEvent>

namespace {

using Fidelity = ViewsFixture;

QStringList Describe(const QMenu& menu)
{
    QStringList lines;
    for (const QAction* action : menu.actions())
        lines << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return lines;
}

/** Pops the menu up in its window and puts the pointer on each item in turn: the main window's
 *  status bar message for each, then the message once the menu closed. */
QStringList HoverEachItem(QMenu& menu, QMainWindow& window)
{
    QStringList shown;
    menu.popup(window.mapToGlobal(QPoint(40, 40)));
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&menu));
    for (QAction* action : menu.actions()) {
        if (action->isSeparator())
            continue;
        QTest::mouseMove(&menu, menu.actionGeometry(action).center());
        shown << window.statusBar()->currentMessage();
    }
    menu.hide();
    shown << window.statusBar()->currentMessage();
    return shown;
}

void Wheel(QWidget* target, QPoint angle, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QPointF at(20, 20);
    QWheelEvent event(at, target->mapToGlobal(at), {}, angle, Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

TEST_F(Fidelity, ContextMenusComeFromTheirListsAndShowTheirStatusTexts)
{
    QMainWindow window;
    auto* tabs = new CQuelpView(doc, &window);
    window.setCentralWidget(tabs);
    window.statusBar();   // made on first use
    window.resize(900, 500);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    view->TabBar()->setCurrentIndex(1);
    doc.ChipPages[0].LeftChip = 5;
    ClickMap(Qt::LeftButton, CellCentre(1, 1));   // layer 1 gets its cells: all items enabled

    QStringList layer;
    tabs->MenuRunner = [&](QMenu& menu, QPoint) {
        EXPECT_EQ(menu.title(), QStringLiteral("LAYER"));
        EXPECT_EQ(Describe(menu),
                  QStringList({QString::fromUtf8("表示"), QString::fromUtf8("設定変更"),
                               QString::fromUtf8("左(下)へ移動"), QString::fromUtf8("右(上)へ移動"),
                               QStringLiteral("-"), QString::fromUtf8("イメージ保存")}));
        layer = HoverEachItem(menu, window);
    };
    tabs->OpenLayerMenu(1, {});
    // "左(下)へ移動" and the others without a status text show none.
    EXPECT_EQ(layer, QStringList({QString::fromUtf8("レイヤーの表示非表示切り換え"), QString(),
                                  QString(), QString(),
                                  QString::fromUtf8("レイヤーのイメージを保存します。"),
                                  QString()}));

    SelectLayer(doc, kTextsTab);
    doc.Texts.Append(CMemo{"label", {0, 0, 40, 16}, 10, 0});
    QStringList text;
    tabs->RightView()->MenuRunner = [&](QMenu& menu, QPoint) {
        EXPECT_EQ(menu.title(), QStringLiteral("MENU_TEXT"));
        text = HoverEachItem(menu, window);
    };
    QTest::mouseClick(tabs->RightView()->viewport(), Qt::RightButton, {}, {16 + 4, 16 + 4});
    EXPECT_EQ(text, QStringList({QString::fromUtf8("テキストの編集"),
                                 QString::fromUtf8("テキストの削除"), QString(), QString(),
                                 QString()}));
}

TEST_F(Fidelity, WheelOverTheTabsSwitchesNothing)
{
    view->TabBar()->setCurrentIndex(2);
    Wheel(view->TabBar(), {0, -120});
    Wheel(view->TabBar(), {0, 120});
    Wheel(view->TabBar(), {0, 120});
    EXPECT_EQ(view->TabBar()->currentIndex(), 2);
    EXPECT_EQ(doc.CurrentTab, 2);
}

TEST_F(Fidelity, AnAmpersandInALayerNameIsShownAndIsNoShortcut)
{
    doc.Layers[3].Name = "A&B";
    view->UpdateTab(3);
    // "&&" is how a tab shows one "&".
    EXPECT_EQ(view->TabBar()->tabText(3), QStringLiteral("A&&B"));
    view->TabBar()->setFocus();
    QTest::keyClick(view.get(), Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(view->TabBar()->currentIndex(), 0);
    EXPECT_EQ(doc.CurrentTab, 0);
}

TEST_F(Fidelity, AWheelNotchScrollsTheDesktopsLinesInCellsAtTheZoom)
{
    const int lines = QApplication::wheelScrollLines();
    doc.Columns = 512;
    doc.Rows = 512;
    Map()->RecalcScrollSizes();
    QScrollBar* down = Map()->verticalScrollBar();
    QScrollBar* across = Map()->horizontalScrollBar();
    Wheel(MapPort(), {0, -120});
    EXPECT_EQ(down->value(), lines * 16);
    Wheel(MapPort(), {0, -120}, Qt::ShiftModifier);
    EXPECT_EQ(across->value(), lines * 16);
    Wheel(MapPort(), {0, 120});
    EXPECT_EQ(down->value(), 0);
    OnZoom2(doc);
    down->setValue(0);
    Wheel(MapPort(), {0, -120});
    EXPECT_EQ(down->value(), lines * 8);
    // A fine-grained wheel adds up to the same distance.
    for (int i = 0; i < 4; ++i)
        Wheel(MapPort(), {0, -30});
    EXPECT_EQ(down->value(), 2 * lines * 8);

    // The palette scrolls in chips.
    LoadSheet(0, 512, 2048);
    doc.UpdateAllViews(nullptr, 1);
    Wheel(Palette()->viewport(), {0, -120});
    EXPECT_EQ(Palette()->verticalScrollBar()->value(), lines * 16);
}

TEST(PaneWidths, ThePaletteGivesUpItsSpareWidthFirstAndTheMapLast)
{
    struct Case {
        int palette, map, available;
        std::pair<int, int> fitted;
    };
    // The palette's own width is 300, the minimum 74.
    const Case cases[] = {
        {500, 600, 1300, {500, 800}},   // the map takes what the window gains
        {500, 600, 1000, {400, 600}},   // the palette's spare width goes first
        {500, 600, 800, {300, 500}},    // then the map's
        {500, 600, 300, {226, 74}},     // the palette below its own width only at the end
        {200, 600, 700, {200, 500}},    // a palette narrower than its own width keeps it
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitPaneWidths(c.palette, c.map, c.available, 300, 74), c.fitted)
            << c.palette << " " << c.map << " " << c.available;
}

TEST_F(Fidelity, NarrowingTheWindowKeepsTheMapWideAndThePaletteAtItsOwnWidth)
{
    view->Splitter()->setSizes({500, 380});
    QApplication::processEvents();
    const QList<int> before = view->Splitter()->sizes();
    view->resize(view->width() - 100, view->height());
    QApplication::processEvents();
    QList<int> sizes = view->Splitter()->sizes();
    EXPECT_EQ(sizes[1], before[1]);
    EXPECT_EQ(sizes[0], before[0] - 100);
    // Narrower still: the palette stops at its own width and the map gives up the rest.
    view->resize(view->width() - 200, view->height());
    QApplication::processEvents();
    sizes = view->Splitter()->sizes();
    EXPECT_EQ(sizes[0], Palette()->sizeHint().width());
    EXPECT_LT(sizes[1], before[1]);
}

TEST_F(Fidelity, ASheetNarrowerThanAChipDrawsThePixelsItHas)
{
    LoadSheet(1, 8, 32);   // one column of 8 pixels, two rows
    ASSERT_EQ(doc.ChipPages[1].Columns, 1);
    doc.Layers[0].ChipPage = 1;
    doc.UpdateAllViews(nullptr, 23);
    EXPECT_EQ(HitTestChip(doc, {16 + 4, 64 + 16 + 4}).Chip, 1);
    doc.ChipPages[1].LeftChip = 1;
    ClickMap(Qt::LeftButton, CellCentre(2, 2));
    ASSERT_EQ(Cell(0, 2, 2), 1);
    const QImage shot = MapPort()->grab().toImage();
    const QPoint cell(16 + 2 * 16, 16 + 2 * 16);
    EXPECT_EQ(shot.pixel(cell + QPoint(2, 2)) & 0xFFFFFF,
              doc.ChipPages[1].Image.Pixels.pixel(2, 16 + 2) & 0xFFFFFF);
    EXPECT_EQ(shot.pixel(cell + QPoint(12, 2)) & 0xFFFFFF, 0u);   // beyond the sheet
}

}  // namespace
