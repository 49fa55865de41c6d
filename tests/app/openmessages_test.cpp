// What the user is told around opening and saving: files that are no maps leave the open map
// alone, sheets that could not be read are listed, messages name files as the file system does.
#include "appfixture.h"

#include "app/commandids.h"
#include "app/mapfileio.h"
#include "app/qtuiport.h"
#include "app/recentfiles.h"

#include "core/cp932.h"
#include "export/binarysave.h"

#include <QAbstractButton>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

namespace {

QString U(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

}  // namespace

TEST_F(FrameTest, AFileThatIsNoMapLeavesTheOpenMapAsItWasEveryWayItIsOpened)
{
    frame->Files().Io() = DefaultMapFileIo();
    QTemporaryDir dir;
    const QString kept = dir.filePath(QStringLiteral("kept.mpx"));
    doc.Layers[0].Cells = CellGrid(static_cast<size_t>(doc.Columns * doc.Rows), 5);
    savePath = kept;
    ASSERT_TRUE(frame->ExecuteCommand(cmd::FileSaveAs));
    const QByteArray keptBytes = ReadBytes(kept);

    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString png = dir.filePath(QStringLiteral("tiles.png"));
    ASSERT_TRUE(picture.save(png));
    const QString empty = dir.filePath(QStringLiteral("empty.mpx"));
    const QString text = dir.filePath(QStringLiteral("notes.txt"));
    WriteBytes(empty, {});
    WriteBytes(text, "MapSize = 3,3\r\nsome notes\r\n");

    enum class Way { OpenDialog, RecentFile, Drop };
    for (Way way : {Way::OpenDialog, Way::RecentFile, Way::Drop}) {
        for (const QString& path : {png, empty, text}) {
            SCOPED_TRACE(path.toStdString() + " way " + std::to_string(static_cast<int>(way)));
            const QByteArray bytes = ReadBytes(path);
            doc.Layers[0].Cells = CellGrid(static_cast<size_t>(doc.Columns * doc.Rows), 6);
            Modify();
            ui.MessageTexts.clear();
            saveAnswers = {SaveAnswer::No};
            QStringList recentBefore = frame->Recent().Paths();
            switch (way) {
            case Way::OpenDialog:
                openPath = path;
                frame->ExecuteCommand(cmd::FileOpen);
                break;
            case Way::RecentFile:
                // An entry that is no (longer a) map leaves the list; nothing else changes.
                frame->Recent().Add(path);
                EXPECT_FALSE(frame->ExecuteCommand(cmd::RecentFile1));
                break;
            case Way::Drop:
                frame->OpenDroppedFiles({path});
                break;
            }
            ASSERT_EQ(ui.MessageTexts.size(), 1u);
            EXPECT_EQ(ui.MessageTexts[0],
                      QFileInfo(path).fileName() + U(" はマップファイルではありません。"));
            EXPECT_EQ(QStringFromCp932(doc.PathName), kept);
            EXPECT_EQ(frame->windowTitle(), U("kept.mpx - Quelp"));
            EXPECT_TRUE(doc.IsModified());
            EXPECT_EQ((*doc.Layers[0].Cells)[0], 6);
            EXPECT_EQ(frame->Recent().Paths(), recentBefore);

            // Save writes the map where it belongs, never over the other file.
            EXPECT_TRUE(frame->ExecuteCommand(cmd::FileSave));
            EXPECT_EQ(ReadBytes(path), bytes);
            EXPECT_NE(ReadBytes(kept), keptBytes);
        }
    }
}

TEST_F(FrameTest, SheetsThatCouldNotBeReadAreListedOnceTheMapIsOpen)
{
    unreadSheets = {{2, Cp932("/maps/素材/grass.png"), "ファイルが見つかりません"},
                    {5, "/mnt/usb/walls.png", "アクセスが拒否されました"}};
    ASSERT_TRUE(frame->Files().OpenDocumentFile(QStringLiteral("/maps/t.mpx")));
    EXPECT_EQ(frame->windowTitle(), U("t.mpx - Quelp"));
    ASSERT_EQ(ui.MessageTexts.size(), 1u);
    EXPECT_EQ(ui.MessageTexts[0], U("次のマップチップ画像を読み込めませんでした。\n"
                                    "/maps/素材/grass.png: ファイルが見つかりません\n"
                                    "/mnt/usb/walls.png: アクセスが拒否されました"));
    EXPECT_EQ(ui.MessageKinds[0], MessageKind::Warning);

    unreadSheets.clear();
    ASSERT_TRUE(frame->Files().OpenDocumentFile(QStringLiteral("/maps/u.mpx")));
    EXPECT_EQ(ui.MessageTexts.size(), 1u);
}

TEST_F(FrameTest, AMapWithAMissingSheetOpensAndNamesIt)
{
    frame->Files().Io() = DefaultMapFileIo();
    QTemporaryDir dir;
    const QString map = dir.filePath(QStringLiteral("m.mpx"));
    const QString sheet = dir.filePath(QStringLiteral("gone.png"));
    WriteBytes(map, ("<chip page=1>\r\n\tFilePath = " + sheet + "\r\n</chip>\r\n").toUtf8());
    ASSERT_TRUE(frame->Files().OpenDocumentFile(map));
    EXPECT_EQ(QStringFromCp932(doc.PathName), map);
    ASSERT_EQ(ui.MessageTexts.size(), 1u);
    EXPECT_EQ(ui.MessageTexts[0],
              U("次のマップチップ画像を読み込めませんでした。\n") + sheet +
                  U(": ファイルが見つかりません"));
}

TEST_F(FrameTest, PathsShiftJisCannotHoldAreNamedWithThoseCharacters)
{
    QTemporaryDir dir;
    const QString open = dir.filePath(U("caf\u00e9.mpx"));
    EXPECT_FALSE(frame->Files().OpenDocumentFile(open));
    const QString reason = U("次の文字はシフトJISで表せないため使えません: ");
    ASSERT_EQ(ui.MessageTexts.size(), 1u);
    EXPECT_EQ(ui.MessageTexts[0],
              U("次のファイルを開けませんでした。\n") + open + U(": ") + reason + U("\u00e9"));

    const QString save = dir.filePath(U("\u00fcber-\u00e9.mpx"));
    savePath = save;
    frame->ExecuteCommand(cmd::FileSaveAs);
    ASSERT_EQ(ui.MessageTexts.size(), 2u);
    EXPECT_EQ(ui.MessageTexts[1], U("次のファイルに保存できませんでした。\n") + save + U(": ") +
                                      reason + U("\u00fc、\u00e9"));
    EXPECT_TRUE(saves.empty());
}

TEST_F(FrameTest, ReadsAndWritesShowTheBusyCursorAndItsMessagesDoNot)
{
    frame->Files().OpenDocumentFile(QStringLiteral("/maps/a.mpx"));
    Modify();
    frame->ExecuteCommand(cmd::FileSave);
    loadError = "ファイルが見つかりません";
    frame->Files().OpenDocumentFile(QStringLiteral("/maps/b.mpx"));
    EXPECT_EQ(busyDuringIo, (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(ui.BusyDepth, 0);
    EXPECT_EQ(ui.MessageTexts.size(), 1u);
}

TEST(ExportMessages, BinarySaveSaysDoneOrWhichFileAndWhy)
{
    MemorySettingsStore store;
    FakeUiPort ui;
    CQuelpDoc doc(store, ui);
    doc.OnNewDocument();
    QTemporaryDir dir;
    const std::string good = dir.filePath(QStringLiteral("m.mpb")).toStdString();
    const std::string bad = dir.filePath(QStringLiteral("no/such/m.mpb")).toStdString();
    ui.FileAnswers = {good, bad};
    OnBinarySave(doc);
    OnBinarySave(doc);
    ASSERT_EQ(ui.MessageTexts.size(), 2u);
    EXPECT_EQ(ui.MessageTexts[0], U("ファイルを保存しました。"));
    EXPECT_EQ(ui.MessageKinds[0], MessageKind::Information);
    EXPECT_EQ(ui.MessageTexts[1], U("ファイルを保存に失敗しました。\n") +
                                      QString::fromStdString(bad) + U(": ファイルが見つかりません"));
    EXPECT_EQ(ui.MessageKinds[1], MessageKind::Warning);
    EXPECT_EQ(ui.BusyCount, 2);
    EXPECT_EQ(ui.BusyDepth, 0);
}

// The real boxes: the icon says what the box is about.
TEST_F(FrameTest, MessageBoxIconsFollowTheirMeaning)
{
    QtUiPort port;
    CMainFrame plain(doc, store);
    port.SetParentWindow(&plain);
    struct Case {
        const char* Name;
        std::function<void()> Show;
        QMessageBox::Icon Icon;
    };
    const Case cases[] = {
        {"saved", [&] { port.ShowMessageText(U("ファイルを保存しました。"), MessageKind::Information); },
         QMessageBox::Information},
        {"failed", [&] { port.ShowMessageText(U("ファイルを保存に失敗しました。"), MessageKind::Warning); },
         QMessageBox::Warning},
        {"yes or no", [&] { port.AskYesNo(Cp932("復元しますか?")); }, QMessageBox::Question},
        {"save question", [&] { plain.Files().Hooks().AskSave(U("無題 への変更を保存しますか?")); },
         QMessageBox::Question},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        QMessageBox::Icon shown = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&shown] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            shown = box->icon();
            box->buttons().last()->click();
        });
        c.Show();
        EXPECT_EQ(shown, c.Icon);
    }
}
