#include "appfixture.h"

#include "app/commandids.h"
#include "app/commandtable.h"

#include "core/invalidindex.h"
#include "edit/cellbuffers.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

namespace {
QString U(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

/** A menu as lines: "-" for a separator, ">" and the title for a sub-menu, else the text;
 *  hidden entries (recent files not in use) are left out. */
QStringList Describe(const QMenu* menu)
{
    QStringList lines;
    for (const QAction* action : menu->actions()) {
        if (!action->isVisible())
            continue;
        if (action->isSeparator())
            lines << QStringLiteral("-");
        else if (action->menu())
            lines << QStringLiteral(">") + action->text();
        else
            lines << action->text();
    }
    return lines;
}

QStringList Lines(std::initializer_list<const char*> utf8)
{
    QStringList lines;
    for (const char* line : utf8)
        lines << U(line);
    return lines;
}
}  // namespace

TEST_F(FrameTest, MenusHoldEveryItemAndSeparatorInOrder)
{
    const QList<QAction*> menus = frame->menuBar()->actions();
    ASSERT_EQ(menus.size(), 4);
    EXPECT_EQ(menus[0]->text(), U("ファイル(&F)"));
    EXPECT_EQ(Describe(menus[0]->menu()),
              Lines({">マップチップ読込", "マップサイズ変更", "チップサイズ変更", "-",
                     "新規作成(&N)\tCtrl+N", "開く(&O)...\tCtrl+O", "上書き保存(&S)\tCtrl+S",
                     "名前を付けて保存(&A)...", "イメージファイルへ保存", "バイナリ保存", "-",
                     "印刷(&P)...\tCtrl+P", "設定", "-", "最近使ったファイル", "-",
                     "アプリケーションの終了(&X)"}));
    EXPECT_EQ(menus[1]->text(), U("編集(&E)"));
    EXPECT_EQ(Describe(menus[1]->menu()),
              Lines({"元に戻す(&U)\tCtrl+Z", "-", "通常モード(範囲選択解除)", "選択範囲(レイヤー)",
                     "選択範囲(全レイヤー)", "-", "切り取り(&T)\tCtrl+X", "コピー(&C)\tCtrl+C",
                     "貼り付け(&P)\tCtrl+V"}));
    EXPECT_EQ(menus[2]->text(), U("表示(&V)"));
    EXPECT_EQ(Describe(menus[2]->menu()),
              Lines({"等倍マップ", "３／４マップ", "２／４マップ", "１／４マップ",
                     "選択レイヤーのみ表示", "グリッド", "-", "ツールバー", "ステータス バー(&S)"}));
    EXPECT_EQ(menus[3]->text(), U("ヘルプ(&H)"));
    EXPECT_EQ(Describe(menus[3]->menu()),
              Lines({"ヘルプ(&H)", "バージョン情報 Quelp(&A)..."}));

    // The page items carry the page names: "ページ0" to "ページ7" while no sheet is loaded.
    const QMenu* pages = menus[0]->menu()->actions().first()->menu();
    frame->UpdateCommandUi();
    EXPECT_EQ(Describe(pages), Lines({"ページ0", "ページ1", "ページ2", "ページ3", "ページ4",
                                      "ページ5", "ページ6", "ページ7"}));
}

TEST_F(FrameTest, ActionsCarryIdsStatusTextsAndToolTips)
{
    struct Case {
        int Id;
        const char* Status;
        const char* ToolTip;
    };
    const Case cases[] = {
        {cmd::FileNew, "新規にファイルを作成", "新規ファイル"},
        {cmd::FileSaveAs, "作業中のファイルを新しい名前で保存", "名前をつけて保存"},
        // Without a tool tip part the status text is the tool tip, not "印刷(&P)...\tCtrl+P".
        {cmd::Print, "マップイメージを印刷します。", "マップイメージを印刷します。"},
        {cmd::BinarySave, "バイナリファイルへ保存します", "バイナリファイルへ保存します"},
        {cmd::ModeLayerSelect, "選択範囲(現在のレイヤー)", "選択範囲(現在のレイヤー)"},
        {cmd::Zoom3, "マップの倍率を４分３にします。", "マップの倍率を４分３にします。"},
        {cmd::Grid, "グリッドの表示", "グリッドの表示"},
        {cmd::ViewStatusBar, "ステータス バーの表示/非表示", "ステータス バーの表示切り替え"},
        {cmd::About, "プログラム情報、バージョン、著作権を表示します。", "バージョン情報"},
        {cmd::RecentFile1, "指定のファイルを開く", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Id);
        const QAction* action = frame->Action(c.Id);
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->statusTip(), U(c.Status));
        if (c.ToolTip) {
            EXPECT_EQ(action->toolTip(), U(c.ToolTip));
        }
    }
    EXPECT_EQ(FindCommand(cmd::Settings)->Status, QString());
    // The tool button shows it too.
    const QWidget* print = frame->StandardToolBar()->widgetForAction(frame->Action(cmd::Print));
    ASSERT_NE(print, nullptr);
    EXPECT_EQ(print->toolTip(), U("マップイメージを印刷します。"));
}

TEST_F(FrameTest, ShortcutsAreExactlyTheAcceleratorTable)
{
    std::map<int, QList<QKeySequence>> bound;
    for (const CommandSpec& command : CommandTable())
        if (!frame->Action(command.Id)->shortcuts().isEmpty())
            bound[command.Id] = frame->Action(command.Id)->shortcuts();
    const std::map<int, QList<QKeySequence>> expected = {
        {cmd::FileNew, {QKeySequence(QStringLiteral("Ctrl+N"))}},
        {cmd::FileOpen, {QKeySequence(QStringLiteral("Ctrl+O"))}},
        {cmd::FileSave, {QKeySequence(QStringLiteral("Ctrl+S"))}},
        {cmd::Undo, {QKeySequence(QStringLiteral("Ctrl+Z")), QKeySequence(QStringLiteral("Alt+Backspace"))}},
        {cmd::Cut, {QKeySequence(QStringLiteral("Ctrl+X")), QKeySequence(QStringLiteral("Shift+Del"))}},
        {cmd::Copy, {QKeySequence(QStringLiteral("Ctrl+C")), QKeySequence(QStringLiteral("Ctrl+Ins"))}},
        {cmd::Paste, {QKeySequence(QStringLiteral("Ctrl+V")), QKeySequence(QStringLiteral("Shift+Ins"))}},
        {cmd::NextPane, {QKeySequence(QStringLiteral("F6"))}},
        {cmd::PrevPane, {QKeySequence(QStringLiteral("Shift+F6"))}},
    };
    EXPECT_EQ(bound, expected);
    // Ctrl+P is shown in the print item's text but bound to nothing.
    EXPECT_TRUE(frame->Action(cmd::Print)->shortcuts().isEmpty());
}

TEST_F(FrameTest, ToolBarHoldsItsButtonsInOrderWithPictures)
{
    const QToolBar* bar = frame->StandardToolBar();
    EXPECT_EQ(bar->windowTitle(), U("標準"));
    std::vector<int> ids;
    for (const QAction* action : bar->actions()) {
        ids.push_back(action->isSeparator() ? 0 : action->data().toInt());
        if (!action->isSeparator()) {
            SCOPED_TRACE(action->data().toInt());
            EXPECT_FALSE(action->icon().isNull());
            // Drawn for scaled screens too, not blown up from 16 pixels.
            const QPixmap big = action->icon().pixmap(QSize(16, 16), 2.0);
            EXPECT_EQ(big.width(), 32);
        }
    }
    const std::vector<int> expected = {57600, 57601, 57603, 57607, 0,     57635, 57634,
                                       57637, 32812, 32805, 32807, 0,     32790, 32832,
                                       32788, 32786, 0,     32854, 32792};
    EXPECT_EQ(ids, expected);
}

TEST_F(FrameTest, StatusBarShowsReadyAndTheLockIndicators)
{
    EXPECT_EQ(frame->MessagePane()->text(), U("レディ"));
    EXPECT_EQ(frame->Indicator(0)->text(), QStringLiteral("CAP"));
    EXPECT_EQ(frame->Indicator(1)->text(), QStringLiteral("NUM"));
    EXPECT_EQ(frame->Indicator(2)->text(), QStringLiteral("SCRL"));
    frame->SetIdleMessage(U("チップID=3"));
    EXPECT_EQ(frame->MessagePane()->text(), U("チップID=3"));
}

TEST_F(FrameTest, RulesFollowTheDocument)
{
    QAction* undo = frame->Action(cmd::Undo);
    QAction* print = frame->Action(cmd::Print);
    QAction* chipSize = frame->Action(cmd::ChipSize);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(print->isEnabled());
    EXPECT_TRUE(chipSize->isEnabled());
    EXPECT_TRUE(frame->Action(cmd::Zoom4)->isChecked());
    EXPECT_TRUE(frame->Action(cmd::ModeNormal)->isChecked());

    // A stroke on the first layer: its grid exists and undo has an entry.
    PushUndo(doc, doc.Layers[0].LayerId, 0, 0, 0, 0);
    EnsureGrid(doc, doc.Layers[0]);
    doc.UpdateAllViews(nullptr, 2);
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_TRUE(print->isEnabled());
    EXPECT_FALSE(chipSize->isEnabled());

    // A command run from its action updates the checks of the others.
    frame->Action(cmd::Zoom2)->trigger();
    EXPECT_EQ(doc.Zoom, 2);
    EXPECT_TRUE(frame->Action(cmd::Zoom2)->isChecked());
    EXPECT_FALSE(frame->Action(cmd::Zoom4)->isChecked());
    frame->Action(cmd::ModeLayerSelect)->trigger();
    EXPECT_TRUE(frame->Action(cmd::ModeLayerSelect)->isChecked());
    EXPECT_FALSE(frame->Action(cmd::ModeNormal)->isChecked());

    // A disabled command does not run even when asked for directly.
    doc.Layers[0].Cells.reset();
    EXPECT_FALSE(frame->ExecuteCommand(cmd::Print));
}

TEST_F(FrameTest, BarsToggleAndShowTheirCheck)
{
    frame->show();
    QAction* toolBar = frame->Action(cmd::ViewToolBar);
    QAction* statusBar = frame->Action(cmd::ViewStatusBar);
    EXPECT_TRUE(toolBar->isChecked());
    EXPECT_TRUE(statusBar->isChecked());
    toolBar->trigger();
    statusBar->trigger();
    EXPECT_TRUE(frame->StandardToolBar()->isHidden());
    EXPECT_TRUE(frame->statusBar()->isHidden());
    EXPECT_FALSE(toolBar->isChecked());
    EXPECT_FALSE(statusBar->isChecked());
    toolBar->trigger();
    EXPECT_FALSE(frame->StandardToolBar()->isHidden());
    EXPECT_TRUE(toolBar->isChecked());
}

TEST_F(FrameTest, InvalidIndexEndsTheCommandQuietly)
{
    CommandSpec command;
    int after = 0;
    command.Handler = [&after](CommandContext&) {
        throw InvalidIndexError("index 5 of 2");
        ++after;  // never reached
    };
    CommandContext context{doc, *frame};
    EXPECT_TRUE(InvokeCommand(command, context));
    EXPECT_EQ(after, 0);
    command.Enabled = [](const CommandContext&) { return false; };
    EXPECT_FALSE(InvokeCommand(command, context));
}

TEST_F(FrameTest, F6MovesTheFocusBetweenThePanes)
{
    auto* client = new QWidget;
    auto* left = new QLineEdit(client);
    auto* right = new QLineEdit(client);
    auto* elsewhere = new QLineEdit(client);
    frame->SetClientView(client);
    frame->SetPanes(left, right);
    frame->show();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));

    left->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), left);
    elsewhere->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), elsewhere);
}

TEST_F(FrameTest, CtrlPDoesNotPrint)
{
    EnsureGrid(doc, doc.Layers[0]);
    doc.UpdateAllViews(nullptr, 2);
    int dialogs = 0;
    frame->Printing.RunPrintDialog = [&dialogs](QPrinter&) {
        ++dialogs;
        return false;
    };
    frame->show();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    QTest::keyClick(frame.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(dialogs, 0);
    frame->Action(cmd::Print)->trigger();
    EXPECT_EQ(dialogs, 1);
}
