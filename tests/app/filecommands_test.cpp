#include "appfixture.h"

#include "app/commandids.h"
#include "app/recentfiles.h"

#include "core/cp932.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QDropEvent>
#include <QUrl>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {
QString U(const char* utf8)
{
    return QString::fromUtf8(utf8);
}
}  // namespace

TEST_F(FrameTest, TitleNamesTheMap)
{
    EXPECT_EQ(frame->windowTitle(), U("無題 - Quelp"));
    frame->Files().OpenDocumentFile(QStringLiteral("/maps/town.mpx"));
    EXPECT_EQ(frame->windowTitle(), U("town.mpx - Quelp"));
}

TEST_F(FrameTest, SaveQuestionPaths)
{
    struct Case {
        SaveAnswer Answer;
        bool NewMapMade;
        size_t Saves;
    };
    const Case cases[] = {
        {SaveAnswer::Yes, true, 1},
        {SaveAnswer::No, true, 0},
        {SaveAnswer::Cancel, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.Answer));
        frame->Files().OpenDocumentFile(QStringLiteral("/maps/town.mpx"));
        ASSERT_EQ(doc.TextOption, "read");
        Modify();
        saves.clear();
        questions.clear();
        saveAnswers = {c.Answer};
        frame->ExecuteCommand(cmd::FileNew);
        ASSERT_EQ(questions.size(), 1u);
        EXPECT_EQ(questions[0], U("town.mpx への変更を保存しますか?"));
        EXPECT_EQ(saves.size(), c.Saves);
        if (c.Saves) {
            EXPECT_EQ(saves[0], "/maps/town.mpx");
        }
        EXPECT_EQ(doc.TextOption == "read", !c.NewMapMade);
        EXPECT_EQ(doc.IsModified(), !c.NewMapMade);
        EXPECT_EQ(frame->windowTitle(), c.NewMapMade ? U("無題 - Quelp") : U("town.mpx - Quelp"));
        doc.SetModifiedFlag(false);
    }
}

TEST_F(FrameTest, UnmodifiedMapIsReplacedWithoutAQuestion)
{
    frame->ExecuteCommand(cmd::FileNew);
    openPath = QStringLiteral("/maps/a.mpx");
    frame->ExecuteCommand(cmd::FileOpen);
    EXPECT_TRUE(questions.empty());
    EXPECT_EQ(loads, std::vector<std::string>{"/maps/a.mpx"});
}

TEST_F(FrameTest, SaveOfAnUntitledMapAsksForANameAndAFailedSaveKeepsTheMapModified)
{
    Modify();
    savePath = QStringLiteral("/maps/new.mpx");
    saveAnswers = {SaveAnswer::Yes};
    saveError = "ディスクの空き容量が足りません";
    frame->ExecuteCommand(cmd::FileNew);
    ASSERT_EQ(saveInitialNames.size(), 1u);
    EXPECT_EQ(saveInitialNames[0], U("無題.mpx"));
    EXPECT_EQ(saves, std::vector<std::string>{"/maps/new.mpx"});
    // The failure says which file and why; the map stays as it was.
    ASSERT_EQ(ui.Messages.size(), 1u);
    const QString message = QStringFromCp932(ui.Messages[0]);
    EXPECT_TRUE(message.contains(QStringLiteral("/maps/new.mpx"))) << message.toStdString();
    EXPECT_TRUE(message.contains(U("ディスクの空き容量が足りません")));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.PathName.empty());

    saveError.clear();
    frame->ExecuteCommand(cmd::FileSave);
    EXPECT_EQ(doc.PathName, "/maps/new.mpx");
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(frame->windowTitle(), U("new.mpx - Quelp"));
    // Save of a map with a path writes there without a dialog.
    frame->ExecuteCommand(cmd::FileSave);
    EXPECT_EQ(saveInitialNames.size(), 2u);
    EXPECT_EQ(saves.back(), "/maps/new.mpx");
}

TEST_F(FrameTest, OpeningTheOpenMapOnlyRaisesTheWindow)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.mpx"));
    frame->Files().OpenDocumentFile(path);
    Modify();
    openPath = path;
    frame->ExecuteCommand(cmd::FileOpen);
    EXPECT_EQ(loads.size(), 1u);
    EXPECT_EQ(activations, 1);
    EXPECT_TRUE(questions.empty());
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(FrameTest, ReadFailureSaysWhichFileAndWhy)
{
    loadError = "ファイルが見つかりません";
    EXPECT_FALSE(frame->Files().OpenDocumentFile(QStringLiteral("/maps/bad.mpx")));
    ASSERT_EQ(ui.Messages.size(), 1u);
    const QString message = QStringFromCp932(ui.Messages[0]);
    EXPECT_TRUE(message.contains(QStringLiteral("/maps/bad.mpx")));
    EXPECT_EQ(message,
              U("次のファイルを開けませんでした。\n/maps/bad.mpx: ファイルが見つかりません"));
    EXPECT_TRUE(doc.PathName.empty());
}

TEST_F(FrameTest, RecentFilesKeepFourNewestFirstInTheStore)
{
    for (const char* name : {"/m/1.mpx", "/m/2.mpx", "/m/3.mpx", "/m/4.mpx", "/m/5.mpx", "/m/3.mpx"})
        frame->Files().OpenDocumentFile(QString::fromLatin1(name));
    EXPECT_EQ(frame->Recent().Paths(),
              QStringList({"/m/3.mpx", "/m/5.mpx", "/m/4.mpx", "/m/2.mpx"}));
    EXPECT_EQ(store.ReadString("Recent File List", "File1", ""), "/m/3.mpx");
    EXPECT_EQ(store.ReadString("Recent File List", "File4", ""), "/m/2.mpx");

    // The menu shows them in place of the placeholder; choosing one opens it.
    QMenu* fileMenu = frame->menuBar()->actions().first()->menu();
    emit fileMenu->aboutToShow();
    EXPECT_FALSE(frame->Action(cmd::RecentFile1)->text().isEmpty());
    EXPECT_TRUE(frame->Action(cmd::RecentFile1)->isVisible());
    EXPECT_EQ(frame->Action(cmd::RecentFile1 + 1)->text(), QStringLiteral("&2 /m/5.mpx"));
    loads.clear();
    frame->Action(cmd::RecentFile1 + 2)->trigger();
    EXPECT_EQ(loads, std::vector<std::string>{"/m/4.mpx"});
    EXPECT_EQ(frame->Recent().Paths().first(), QStringLiteral("/m/4.mpx"));

    // A new frame reads the same list back.
    CMainFrame second(doc, store);
    EXPECT_EQ(second.Recent().Paths(), frame->Recent().Paths());
}

TEST_F(FrameTest, RecentFileThatCannotBeReadLeavesTheList)
{
    frame->Files().OpenDocumentFile(QStringLiteral("/m/1.mpx"));
    frame->Files().OpenDocumentFile(QStringLiteral("/m/2.mpx"));
    Modify();
    saveAnswers = {SaveAnswer::Cancel};
    EXPECT_FALSE(frame->ExecuteCommand(cmd::RecentFile1 + 1));
    EXPECT_EQ(frame->Recent().Paths().size(), 2);  // cancelled: kept

    loadError = "gone";
    saveAnswers = {SaveAnswer::No};
    EXPECT_FALSE(frame->ExecuteCommand(cmd::RecentFile1 + 1));
    EXPECT_EQ(frame->Recent().Paths(), QStringList({"/m/2.mpx"}));
}

TEST_F(FrameTest, DroppedFilesOpenInOrderWithTheQuestionBeforeEach)
{
    Modify();
    saveAnswers = {SaveAnswer::No};
    frame->OpenDroppedFiles({QStringLiteral("/m/a.mpx"), QStringLiteral("/m/b.mpx")});
    EXPECT_EQ(loads, (std::vector<std::string>{"/m/a.mpx", "/m/b.mpx"}));
    EXPECT_EQ(questions.size(), 1u);  // the second replaced an unmodified map
    EXPECT_EQ(doc.PathName, "/m/b.mpx");

    Modify();
    saveAnswers = {SaveAnswer::Cancel};
    frame->OpenDroppedFiles({QStringLiteral("/m/c.mpx")});
    EXPECT_EQ(doc.PathName, "/m/b.mpx");
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(FrameTest, DropEventOpensLocalFiles)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QStringLiteral("/m/d.mpx"))});
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &drop);
    EXPECT_EQ(loads, std::vector<std::string>{"/m/d.mpx"});
}

TEST_F(FrameTest, CloseAsksAndCancelKeepsTheWindow)
{
    frame->show();
    Modify();
    saveAnswers = {SaveAnswer::Cancel};
    EXPECT_FALSE(frame->close());
    EXPECT_TRUE(frame->isVisible());
    saveAnswers = {SaveAnswer::No};
    EXPECT_TRUE(frame->close());
}

TEST_F(FrameTest, WindowReopensInItsNormalRectangleNeverMaximised)
{
    frame->setGeometry(QRect(40, 50, 700, 500));
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    const QRect normal = frame->geometry();
    frame->showMaximized();
    QTest::qWait(50);
    frame->StorePlacement();
    EXPECT_EQ(store.ReadInt("Workspace", "NormalWidth", 0), normal.width());
    EXPECT_EQ(store.ReadInt("Workspace", "NormalHeight", 0), normal.height());
    EXPECT_EQ(store.ReadInt("Workspace", "NormalLeft", -1), normal.left());

    CMainFrame next(doc, store);
    next.RestorePlacement();
    EXPECT_EQ(next.geometry().size(), normal.size());
    EXPECT_FALSE(next.isMaximized());
}

TEST_F(FrameTest, HelpWithoutAHelpFileSaysSo)
{
    frame->HelpFileLocator = [] { return QString(); };
    frame->ExecuteCommand(cmd::Help);
    ASSERT_EQ(ui.Messages.size(), 1u);
    EXPECT_EQ(ui.Messages[0], Cp932("ヘルプ ファイルがありません。"));
}
