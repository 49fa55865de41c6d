// Data safety under faults: a write that fails at its first byte, in the middle, at the final
// flush, at close or at the rename leaves the previous file as it was and tells the user; opening
// a path that cannot be read tells the user and leaves the open map as it was.

#include "faultinjector.h"

#include "app/filecommands.h"
#include "app/mapfileio.h"
#include "app/recentfiles.h"
#include "core/chipsize.h"
#include "core/cp932.h"
#include "core/memorysettingsstore.h"
#include "core/quelpdoc.h"
#include "export/binarymap.h"
#include "export/binarysave.h"
#include "mapfile/mapdocumentfile.h"
#include "mapfile/mapfilereader.h"
#include "render/imageexport.h"
#include "support/fakeuiport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const std::string kPrevious = "the previous file\r\nwhich must survive\r\n";

std::string ReadFile(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return "<missing>";
    return file.readAll().toStdString();
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
              static_cast<qint64>(bytes.size()));
}

QStringList Entries(const std::string& folder)
{
    return QDir(QString::fromStdString(folder)).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

/** What the document holds, to prove that a failed command left it alone. */
struct DocState {
    std::array<CLayerData, kLayerCount> Layers;
    int Columns = 0;
    int Rows = 0;
    std::vector<CEventData> Events;
    std::vector<CMemo> Texts;
    std::string PathName;
    bool Modified = false;
    bool operator==(const DocState&) const = default;
};

DocState StateOf(const CQuelpDoc& doc)
{
    DocState s;
    s.Layers = doc.Layers;
    s.Columns = doc.Columns;
    s.Rows = doc.Rows;
    s.Events.assign(doc.Events.begin(), doc.Events.end());
    s.Texts.assign(doc.Texts.begin(), doc.Texts.end());
    s.PathName = doc.PathName;
    s.Modified = doc.IsModified();
    return s;
}

struct FaultFixture : ::testing::Test {
    QTemporaryDir dir;
    std::string root;
    MemorySettingsStore store;
    FakeUiPort ui;
    CQuelpDoc doc{store, ui};
    CRecentFileList recent{store};
    CFileCommands commands{doc, recent, FileCommandHooks{}, DefaultMapFileIo()};

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // The injector compares against the paths the kernel reports, so no symbolic links.
        root = QDir(dir.path()).canonicalPath().toStdString();
        ChipWidth = 16;
        ChipHeight = 16;
        doc.Columns = 6;
        doc.Rows = 4;
        doc.OnNewDocument();
        CellGrid cells(24, -1);
        for (int i = 0; i < 24; i += 3)
            cells[static_cast<size_t>(i)] = static_cast<int16_t>(i);
        doc.Layers[0].Cells = cells;
        doc.Layers[0].SaveType = 2;
        CEventData event;
        event.Type = 4;
        event.Rect = {1, 1, 2, 2};
        event.Map = "town.mpx";
        doc.Events.Append(event);
        CMemo memo;
        memo.Text = "label";
        memo.Rect = {8, 8, 40, 22};
        doc.Texts.Append(memo);
        doc.SetModifiedFlag();
    }

    std::string Folder(const std::string& name)
    {
        const std::string folder = root + "/" + name;
        QDir().mkpath(QString::fromStdString(folder));
        return folder;
    }
};

/** One way the program writes a file: the user's command on a path, and the plain writer used
 *  to learn how long the file gets. */
struct WritePath {
    const char* Name;
    const char* Extension;
    std::function<bool(FaultFixture&, const std::string& path)> Write;
    std::function<void(FaultFixture&, const std::string& path)> Command;
    const char* Told;  ///< CP932 text the message starts with or holds
};

std::vector<WritePath> WritePaths()
{
    auto askedFor = [](FaultFixture& f, const std::string& path) {
        f.ui.FileAnswers.push_back(path);
    };
    return {
        {"map file", "mpx",
         [](FaultFixture& f, const std::string& path) {
             std::string error;
             const std::string keep = f.doc.PathName;
             const bool ok = SaveMapFile(f.doc, path, error);
             f.doc.PathName = keep;
             f.doc.SetModifiedFlag();
             return ok;
         },
         [](FaultFixture& f, const std::string& path) {
             EXPECT_EQ(f.doc.PathName, path);
             EXPECT_FALSE(f.commands.OnFileSave());
         },
         "に保存できませんでした。"},
        {"binary export", "mpb",
         [](FaultFixture& f, const std::string& path) { return WriteBinaryMap(path, f.doc); },
         [askedFor](FaultFixture& f, const std::string& path) {
             askedFor(f, path);
             OnBinarySave(f.doc);
         },
         "ファイルを保存に失敗しました。"},
        {"map picture, PNG in bands", "png",
         [](FaultFixture& f, const std::string& path) { return WriteMapImage(f.doc, path); },
         [askedFor](FaultFixture& f, const std::string& path) {
             askedFor(f, path);
             OnSaveMapImage(f.doc);
         },
         "ファイルを保存に失敗しました。"},
        {"map picture, BMP", "bmp",
         [](FaultFixture& f, const std::string& path) { return WriteMapImage(f.doc, path); },
         [askedFor](FaultFixture& f, const std::string& path) {
             askedFor(f, path);
             OnSaveMapImage(f.doc);
         },
         "ファイルを保存に失敗しました。"},
        {"layer picture, GIF", "gif",
         [](FaultFixture& f, const std::string& path) { return WriteLayerImage(f.doc, 0, path); },
         [askedFor](FaultFixture& f, const std::string& path) {
             askedFor(f, path);
             SaveLayerImage(0, f.doc);
         },
         "ファイルを保存に失敗しました。"},
    };
}

TEST_F(FaultFixture, EveryWriteFailureKeepsThePreviousFileAndTellsTheUser)
{
    const FaultPoint points[] = {FaultPoint::FirstByte, FaultPoint::Middle, FaultPoint::Flush,
                                 FaultPoint::Close, FaultPoint::Rename};
    int n = 0;
    for (const WritePath& way : WritePaths()) {
        for (FaultPoint point : points) {
            SCOPED_TRACE(std::string(way.Name) + ", fault at " + FaultPointName(point));
            const std::string folder = Folder("case" + std::to_string(n++));
            const std::string target = folder + "/target." + way.Extension;
            const std::string probe = folder + "/probe." + way.Extension;
            WriteFile(target, kPrevious);

            // The same write without a fault, to know where the middle of the file is.
            ASSERT_TRUE(way.Write(*this, probe));
            const long long size = static_cast<long long>(ReadFile(probe).size());
            ASSERT_GT(size, 1);

            ui.Messages.clear();
            doc.PathName = std::string(way.Extension) == "mpx" ? target : "";  // File > Save
            const DocState before = StateOf(doc);
            ArmFault(folder, point, size / 2);
            way.Command(*this, target);
            const int hits = DisarmFault();

            EXPECT_GT(hits, 0) << "the fault never reached the writer";
            EXPECT_TRUE(ReadFile(target) == kPrevious) << "the previous file was touched";
            EXPECT_EQ(Entries(folder), (QStringList{QFileInfo(QString::fromStdString(probe)).fileName(),
                                                    QFileInfo(QString::fromStdString(target)).fileName()}))
                << "a temporary file was left behind";
            EXPECT_EQ(ui.Messages.size(), 1u) << "the user was not told";
            if (!ui.Messages.empty()) {
                EXPECT_NE(ui.Messages[0].find(Cp932(way.Told)), std::string::npos);
                EXPECT_NE(ui.Messages[0].find("target." + std::string(way.Extension)),
                          std::string::npos)
                    << "the message does not name the file";
            }
            EXPECT_TRUE(StateOf(doc) == before) << "the document changed";
        }
    }
}

TEST_F(FaultFixture, AFailedSaveKeepsTheMapModifiedAndItsPath)
{
    const std::string folder = Folder("save");
    const std::string target = folder + "/map.mpx";
    WriteFile(target, kPrevious);
    doc.PathName = target;
    ArmFault(folder, FaultPoint::Middle, 100);
    EXPECT_FALSE(commands.OnFileSave());
    EXPECT_GT(DisarmFault(), 0);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.PathName, target);
    EXPECT_TRUE(recent.Paths().isEmpty());

    // Once the disk is well again the same command writes the map.
    ui.Messages.clear();
    EXPECT_TRUE(commands.OnFileSave());
    EXPECT_TRUE(ui.Messages.empty());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_FALSE(ReadFile(target) == kPrevious);
}

struct Unreadable {
    const char* Name;
    std::function<std::string(FaultFixture&)> Make;  ///< returns the local path
};

TEST_F(FaultFixture, OpeningWhatCannotBeReadTellsTheUserAndKeepsTheMap)
{
    const std::vector<Unreadable> cases = {
        {"missing file", [](FaultFixture& f) { return f.root + "/absent.mpx"; }},
        {"missing folder", [](FaultFixture& f) { return f.root + "/no/such/folder/a.mpx"; }},
        {"a folder", [](FaultFixture& f) { return f.Folder("folder.mpx"); }},
    };
    // The save question is answered No: the map must still be there when the open fails.
    commands.Hooks().AskSave = [](const QString&) { return SaveAnswer::No; };
    for (const Unreadable& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string path = c.Make(*this);
        ui.Messages.clear();
        const DocState before = StateOf(doc);

        std::string error;
        EXPECT_FALSE(LoadMapFile(doc, path, error));
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_TRUE(StateOf(doc) == before);

        EXPECT_FALSE(commands.OpenDocumentFile(QString::fromStdString(path)));
        ASSERT_EQ(ui.Messages.size(), 1u);
        EXPECT_NE(ui.Messages[0].find(Cp932("を開けませんでした。")), std::string::npos);
        EXPECT_TRUE(StateOf(doc) == before) << "the open map was replaced";
        EXPECT_TRUE(recent.Paths().isEmpty());
    }
}

TEST_F(FaultFixture, OpeningAFileWithoutReadPermission)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root: permission bits do not stop root from reading";
    const std::string path = root + "/locked.mpx";
    WriteFile(path, "<property>\r\n\tMapSize = 2,2\r\n</property>\r\n");
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    commands.Hooks().AskSave = [](const QString&) { return SaveAnswer::No; };
    const DocState before = StateOf(doc);
    EXPECT_FALSE(commands.OpenDocumentFile(QString::fromStdString(path)));
    EXPECT_EQ(ui.Messages.size(), 1u);
    EXPECT_TRUE(StateOf(doc) == before);
}

}  // namespace

namespace {

// A map file may name any path as a sheet; paths that are no files end the load at once with
// no image on the page instead of reading forever or waiting for a writer. The page keeps the
// path, and the load reports the sheet.
TEST_F(FaultFixture, SheetPathsThatAreNoFilesLeaveThePageWithoutAnImage)
{
    const std::string pipe = root + "/pipe.png";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const std::string folder = Folder("sheets folder");
    for (const std::string& path : {std::string("/dev/zero"), pipe, folder}) {
        SCOPED_TRACE(path);
        const std::string map = "<chip page=2>\r\n\tFilePath = " + path + "\r\n</chip>\r\n";
        WriteFile(root + "/sheet.mpx", map);
        std::string error;
        std::vector<UnreadSheet> unread;
        ASSERT_TRUE(LoadMapFile(doc, root + "/sheet.mpx", error, nullptr, &unread)) << error;
        EXPECT_FALSE(doc.ChipPages[2].InUse());
        EXPECT_EQ(doc.ChipPages[2].FilePath, path);
        ASSERT_EQ(unread.size(), 1u);
        EXPECT_EQ(unread[0].PathCp932, path);
        EXPECT_FALSE(unread[0].Reason.empty());
    }
}

}  // namespace
