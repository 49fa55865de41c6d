#include "support/fakeuiport.h"

#include "app/autosave.h"
#include "app/filecommands.h"
#include "app/recentfiles.h"
#include "core/chipsize.h"
#include "core/cp932.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "mapfile/atomicfile.h"
#include "mapfile/mapdocumentfile.h"
#include "mapfile/recoveryoffer.h"
#include "mapfile/recoverystore.h"
#include "render/chippages.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLockFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

std::string ReadBytes(const QString& path)
{
    std::string bytes;
    std::string error;
    EXPECT_TRUE(ReadWholeFile(QFile::encodeName(path).toStdString(), bytes, error)) << error;
    return bytes;
}

/** A map in a folder of its own, with a sheet beside it, a few cells, names, an event and a
 *  text; never saved since its last change. */
class RecoveryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir().mkpath(dir.path() + "/maps/tiles"));
        QImage sheet(32, 16, QImage::Format_RGB32);
        sheet.fill(Qt::green);
        ASSERT_TRUE(sheet.save(dir.path() + "/maps/tiles/a.png"));
        mapPath = Cp932FromLocalPath((dir.path() + "/maps/town.mpx").toStdString()).Bytes;
        sheetPath = Cp932FromLocalPath((dir.path() + "/maps/tiles/a.png").toStdString()).Bytes;

        ChipWidth = 16;
        ChipHeight = 16;
        doc.OnNewDocument();
        doc.Columns = 3;
        doc.Rows = 2;
        ASSERT_TRUE(LoadChipPage(doc.ChipPages[0], sheetPath, ChipWidth, ChipHeight));
        doc.Layers[0].Cells = CellGrid{0, 1, -1, 1, 0, 1};
        doc.Layers[0].Name = "ground";
        doc.Layers[3].Name = Cp932("水面");
        CEventData event;
        event.Type = 2;
        event.Rect = {1, 0, 2, 1};
        event.Map = MapFolderOf(mapPath) + "inn.mpx";
        event.Pos = {4, 5};
        event.Rem = Cp932("宿へ");
        doc.Events.Append(event);
        CMemo memo;
        memo.Text = Cp932("町");
        memo.Rect = {3, 4, 40, 20};
        memo.Size = 12;
        memo.Color = 0x0000FF;
        doc.Texts.Append(memo);
        doc.PathName = mapPath;
        doc.SetModifiedFlag(true);
    }

    QString Folder() const { return dir.path() + "/recovery"; }
    QStringList Copies() const { return QDir(Folder()).entryList({"*.mpx"}, QDir::Files); }
    QStringList Locks() const { return QDir(Folder()).entryList({"*.lock"}, QDir::Files); }

    /** Leaves the document's copy behind as an editor that died would; how its lock looks is
     *  up to the caller. Returns the slot's name. */
    QString LeaveCopyBehind()
    {
        CRecoveryStore dying(Folder());
        EXPECT_TRUE(dying.WriteCopy(doc));
        return dying.SlotId();
    }

    void ExpectRestored(const CQuelpDoc& restored)
    {
        EXPECT_EQ(restored.PathName, mapPath);
        EXPECT_TRUE(restored.IsModified());
        EXPECT_EQ(restored.Columns, 3);
        EXPECT_EQ(restored.Rows, 2);
        EXPECT_EQ(restored.Layers[0].Cells, doc.Layers[0].Cells);
        EXPECT_EQ(restored.Layers[0].Name, "ground");
        EXPECT_EQ(restored.Layers[3].Name, Cp932("水面"));
        EXPECT_EQ(restored.Events, doc.Events);
        EXPECT_EQ(restored.Texts, doc.Texts);
        EXPECT_TRUE(restored.ChipPages[0].InUse());
        EXPECT_EQ(restored.ChipPages[0].FilePath, sheetPath);
    }

    QTemporaryDir dir;
    std::string mapPath;
    std::string sheetPath;
    MemorySettingsStore store;
    FakeUiPort ui;
    CQuelpDoc doc{store, ui};
};

TEST_F(RecoveryTest, CopyIsWrittenOnlyWhileTheMapIsModified)
{
    CRecentFileList recent(store);
    CFileCommands files(doc, recent, {}, {});
    CAutoSave autoSave(doc, files, Folder(), 5000);
    EXPECT_TRUE(autoSave.Timer().isActive());
    EXPECT_EQ(autoSave.Timer().interval(), 5000);
    EXPECT_EQ(CAutoSave::kIntervalMs, 120000);

    doc.SetModifiedFlag(false);
    autoSave.Tick();
    EXPECT_TRUE(Copies().isEmpty());

    doc.SetModifiedFlag(true);
    autoSave.Tick();
    ASSERT_EQ(Copies().size(), 1);
    CRecoveryStore& slot = autoSave.Store();
    const std::string copy = ReadBytes(slot.SlotFile(slot.SlotId(), "mpx"));
    EXPECT_EQ(ReadBytes(slot.SlotFile(slot.SlotId(), "path")), mapPath);
    // Byte for byte what saving the map would write, sheet paths against the map's folder.
    EXPECT_NE(copy.find("FilePath = [MapFolder]tiles/a.png\r\n"), std::string::npos);
    std::string error;
    ASSERT_TRUE(SaveMapFile(doc, mapPath, error)) << error;
    EXPECT_EQ(copy, ReadBytes(QString::fromStdString(LocalPathFromCp932(mapPath))));

    autoSave.Tick();  // saved: nothing left to keep
    EXPECT_TRUE(Copies().isEmpty());
}

TEST_F(RecoveryTest, TimerWritesTheCopy)
{
    CRecentFileList recent(store);
    CFileCommands files(doc, recent, {}, {});
    CAutoSave autoSave(doc, files, Folder(), 10);
    QDeadlineTimer deadline(10000);
    while (!autoSave.Store().HasCopy() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(autoSave.Store().HasCopy());
}

TEST_F(RecoveryTest, WritingTheCopyLeavesTheEditingStateAlone)
{
    doc.EditMode = 1;
    doc.SelectPhase = 2;
    doc.Clipboard.Right = 1;
    doc.Clipboard.Buffers.push_back({0, 2, 1, {5, 6}});
    doc.PastePos = {1, 1};
    doc.TypedText = "ab";
    doc.TypePos = {7, 8};
    doc.PendingLead = 0x82;
    HintRecorder hints;
    doc.AddView(&hints);
    CRecentFileList recent(store);
    CFileCommands files(doc, recent, {}, {});
    CAutoSave autoSave(doc, files, Folder());

    autoSave.Tick();
    doc.RemoveView(&hints);

    EXPECT_EQ(Copies().size(), 1);
    EXPECT_TRUE(hints.Hints.empty());
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.EditMode, 1);
    EXPECT_EQ(doc.SelectPhase, 2);
    ASSERT_EQ(doc.Clipboard.Buffers.size(), 1u);
    EXPECT_EQ(doc.Clipboard.Buffers[0].Data, (std::vector<int16_t>{5, 6}));
    EXPECT_EQ(doc.PastePos.X, 1);
    EXPECT_EQ(doc.TypedText, "ab");
    EXPECT_EQ(doc.TypePos.Y, 8);
    EXPECT_EQ(doc.PendingLead, 0x82);
}

TEST_F(RecoveryTest, SavingOrReplacingTheMapRemovesTheCopy)
{
    struct Case {
        const char* Name;
        SaveAnswer Answer;
        bool SaveFails;
        std::function<bool(CFileCommands&)> Run;
        bool Removed;
    };
    const auto save = [](CFileCommands& f) { return f.OnFileSave(); };
    const auto fileNew = [](CFileCommands& f) { return f.OnFileNew(); };
    const auto open = [](CFileCommands& f) { return f.OpenDocumentFile("/elsewhere/other.mpx"); };
    const Case cases[] = {
        {"save", SaveAnswer::Cancel, false, save, true},
        {"save failed", SaveAnswer::Cancel, true, save, false},
        {"new, not saved", SaveAnswer::No, false, fileNew, true},
        {"new cancelled", SaveAnswer::Cancel, false, fileNew, false},
        {"open, not saved", SaveAnswer::No, false, open, true},
        {"open cancelled", SaveAnswer::Cancel, false, open, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        doc.PathName = mapPath;
        doc.SetModifiedFlag(true);
        CRecentFileList recent(store);
        FileCommandHooks hooks;
        hooks.AskSave = [&c](const QString&) { return c.Answer; };
        MapFileIo io;
        io.Save = [&c](CQuelpDoc&, const std::string&, std::string& error) {
            error = "disk full";
            return !c.SaveFails;
        };
        io.Load = [](CQuelpDoc& d, const std::string& path, std::string&, MapLoadReport&) {
            d.PathName = path;
            return true;
        };
        CFileCommands files(doc, recent, hooks, io);
        CAutoSave autoSave(doc, files, Folder());
        autoSave.Tick();
        ASSERT_TRUE(autoSave.Store().HasCopy());
        ui.Messages.clear();

        EXPECT_EQ(c.Run(files), c.Removed);
        EXPECT_EQ(autoSave.Store().HasCopy(), !c.Removed);
    }
}

TEST_F(RecoveryTest, CleanExitRemovesCopyAndLock)
{
    {
        CRecentFileList recent(store);
        CFileCommands files(doc, recent, {}, {});
        CAutoSave autoSave(doc, files, Folder());
        autoSave.Tick();
        ASSERT_EQ(Copies().size(), 1);
        ASSERT_EQ(Locks().size(), 1);
    }
    EXPECT_TRUE(Copies().isEmpty());
    EXPECT_TRUE(Locks().isEmpty());
}

TEST_F(RecoveryTest, CopyOfADeadEditorIsOfferedOnceAndRestored)
{
    // How a dead editor's lock can look: gone, naming a PID that no longer exists, or naming a
    // PID a later process got (this one) while nobody holds the file lock.
    struct Case {
        const char* Name;
        std::function<QByteArray()> LockContents;  // none: no lock file
    };
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    const QByteArray app = QCoreApplication::applicationName().toUtf8();
    const Case cases[] = {
        {"no lock", nullptr},
        {"dead pid", [&] { return "2147483000\n" + app + "\n" + host + "\n"; }},
        {"pid taken again",
         [&] {
             return QByteArray::number(QCoreApplication::applicationPid()) + "\n" + app + "\n" +
                    host + "\n";
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString dead = LeaveCopyBehind();
        if (c.LockContents) {
            QFile lock(Folder() + "/" + dead + ".lock");
            ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
            lock.write(c.LockContents());
        }

        CQuelpDoc next(store, ui);
        next.OnNewDocument();
        CRecoveryStore nextSlot(Folder());
        ui.Questions.clear();
        ui.YesNoAnswers = {true};
        ASSERT_TRUE(OfferRecovery(next, nextSlot));
        ASSERT_EQ(ui.Questions.size(), 1u);
        EXPECT_EQ(ui.Questions[0], RecoveryQuestion(mapPath));
        EXPECT_EQ(ui.Questions[0].rfind(
                      Cp932("前回異常終了したときの編集内容が残っています。復元しますか?"), 0),
                  0u);
        ExpectRestored(next);

        // The copy now belongs to the new editor: nobody else offers it while it runs.
        EXPECT_FALSE(QDir(Folder()).exists(dead + ".mpx"));
        EXPECT_TRUE(nextSlot.HasCopy());
        CQuelpDoc third(store, ui);
        CRecoveryStore thirdSlot(Folder());
        EXPECT_FALSE(OfferRecovery(third, thirdSlot));
        EXPECT_EQ(ui.Questions.size(), 1u);
        nextSlot.RemoveCopy();
    }
}

TEST_F(RecoveryTest, UntitledCopyComesBackUntitled)
{
    doc.PathName.clear();
    LeaveCopyBehind();
    CQuelpDoc next(store, ui);
    CRecoveryStore nextSlot(Folder());
    ui.YesNoAnswers = {true};
    ASSERT_TRUE(OfferRecovery(next, nextSlot));
    EXPECT_EQ(ui.Questions.back(), RecoveryQuestion(""));
    EXPECT_TRUE(next.PathName.empty());
    EXPECT_TRUE(next.IsModified());
    EXPECT_EQ(next.ChipPages[0].FilePath, sheetPath);
}

TEST_F(RecoveryTest, RefusedCopyIsRemoved)
{
    const QString dead = LeaveCopyBehind();
    CQuelpDoc next(store, ui);
    next.OnNewDocument();
    CRecoveryStore nextSlot(Folder());
    ui.YesNoAnswers = {false};
    EXPECT_FALSE(OfferRecovery(next, nextSlot));
    EXPECT_EQ(ui.Questions.size(), 1u);
    EXPECT_FALSE(next.IsModified());
    EXPECT_TRUE(next.PathName.empty());
    EXPECT_EQ(QDir(Folder()).entryList({dead + ".*"}, QDir::Files), QStringList());
    EXPECT_FALSE(OfferRecovery(next, nextSlot));  // asked once only
    EXPECT_EQ(ui.Questions.size(), 1u);
}

TEST_F(RecoveryTest, CopyOfARunningEditorIsNotOffered)
{
    CRecoveryStore running(Folder());
    ASSERT_TRUE(running.WriteCopy(doc));
    CQuelpDoc other(store, ui);
    CRecoveryStore otherSlot(Folder());
    EXPECT_NE(otherSlot.SlotId(), running.SlotId());
    EXPECT_FALSE(OfferRecovery(other, otherSlot));
    EXPECT_TRUE(ui.Questions.empty());
    EXPECT_TRUE(running.HasCopy());
}

TEST_F(RecoveryTest, FailedWriteKeepsTheEarlierCopy)
{
    CRecoveryStore slot(Folder());
    ASSERT_TRUE(slot.WriteCopy(doc));
    const QString copyFile = slot.SlotFile(slot.SlotId(), "mpx");
    const std::string before = ReadBytes(copyFile);
    // A folder where the side file belongs makes the next write fail.
    ASSERT_TRUE(QFile::remove(slot.SlotFile(slot.SlotId(), "path")));
    ASSERT_TRUE(QDir().mkdir(slot.SlotFile(slot.SlotId(), "path")));
    doc.Layers[0].Name = "changed";
    EXPECT_FALSE(slot.WriteCopy(doc));
    EXPECT_EQ(ReadBytes(copyFile), before);
    EXPECT_EQ(QDir(Folder()).entryList(QDir::Files).size(), 2);  // no temporary file left
}

}  // namespace
