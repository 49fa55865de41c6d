// Saving never half-writes: a failed save leaves the old file as it was and says why.
#include "mapfiletestdoc.h"

#include "mapfile/atomicfile.h"
#include "mapfile/mapdocumentfile.h"
#include "mapfile/mapfilereader.h"

#include "core/chipsize.h"
#include "core/systemerror.h"

#include <QDir>
#include <cerrno>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/resource.h>

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

int FileCount(const QTemporaryDir& dir)
{
    return static_cast<int>(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size());
}

ssize_t DiskFullAfter100(int, const void*, std::size_t size)
{
    static thread_local std::size_t written = 0;
    if (size == 0)
        return 0;
    if (written >= 100) {
        written = 0;
        errno = ENOSPC;
        return -1;
    }
    // Short writes: the writer must go on after them.
    const std::size_t n = std::min<std::size_t>(size, 7);
    written += n;
    return static_cast<ssize_t>(n);
}

ssize_t ShortThenFine(int fd, const void* data, std::size_t size)
{
    return ::write(fd, data, std::min<std::size_t>(size, 3));
}

TEST(AtomicFile, ShortWritesStillWriteEverything)
{
    QTemporaryDir dir;
    const std::string path = TempPath(dir, "a.bin");
    std::string error;
    const std::string bytes(1000, 'q');
    ASSERT_TRUE(WriteFileAtomically(path, bytes, error, &ShortThenFine)) << error;
    EXPECT_EQ(ReadFile(path), bytes);
    EXPECT_EQ(FileCount(dir), 1);
}

TEST(AtomicFile, DiskFullLeavesTheOldFile)
{
    QTemporaryDir dir;
    const std::string path = TempPath(dir, "a.bin");
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(path, "old contents", error));
    EXPECT_FALSE(WriteFileAtomically(path, std::string(5000, 'n'), error, &DiskFullAfter100));
    EXPECT_EQ(error, "ディスクの空き容量が足りません");
    EXPECT_EQ(ReadFile(path), "old contents");
    EXPECT_EQ(FileCount(dir), 1);  // no temporary file left behind
}

TEST(AtomicFile, MissingFolderAndFolderTarget)
{
    QTemporaryDir dir;
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(TempPath(dir, "no/such/x.bin"), "x", error));
    EXPECT_EQ(error, "ファイルが見つかりません");
    EXPECT_FALSE(WriteFileAtomically(dir.path().toStdString(), "x", error));
    EXPECT_EQ(error, "フォルダーです");
}

TEST(AtomicFile, ReasonsAreTheUsersLanguage)
{
    QTemporaryDir dir;
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(TempPath(dir, std::string(300, 'n') + ".mpx"), "x", error));
    EXPECT_EQ(error, "ファイル名が長すぎます");
    const std::pair<int, const char*> reasons[] = {
        {EACCES, "アクセスが拒否されました"},
        {EROFS, "読み取り専用のファイルシステムです"},
        {EDQUOT, "ディスクの空き容量が足りません"},
    };
    for (const auto& [code, text] : reasons)
        EXPECT_EQ(SystemErrorText(code), text) << code;
    // Others keep the system's own words.
    EXPECT_EQ(SystemErrorText(EXDEV), std::strerror(EXDEV));
}

TEST(SaveMapFile, FileSizeLimitLeavesTheOldMapAndNamesTheFile)
{
    QTemporaryDir dir;
    const std::string path = TempPath(dir, "town.mpx");
    TestDoc t;
    std::string error;
    ASSERT_TRUE(SaveMapFile(t.Doc, path, error)) << error;
    const std::string old = ReadFile(path);
    EXPECT_EQ(t.Doc.PathName, path);

    // A big map cannot be written under a file size limit of 4 KB: the write is cut short.
    t.Doc.Columns = 100;
    t.Doc.Rows = 100;
    t.Doc.Layers[0].Cells = CellGrid(10000, 123);
    t.Doc.SetModifiedFlag(true);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool ok = SaveMapFile(t.Doc, path, error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(ok);
    EXPECT_NE(error.find(path), std::string::npos);
    EXPECT_EQ(error, path + ": ファイルが大きすぎます");
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_EQ(FileCount(dir), 1);
    EXPECT_TRUE(t.Doc.IsModified());
}

TEST(LoadMapFile, MissingFileLeavesTheDocument)
{
    QTemporaryDir dir;
    TestDoc t;
    t.Doc.Layers[0].Name = "keep";
    std::string error;
    EXPECT_FALSE(LoadMapFile(t.Doc, TempPath(dir, "none.mpx"), error));
    EXPECT_EQ(error, TempPath(dir, "none.mpx") + ": ファイルが見つかりません");
    EXPECT_EQ(t.Doc.Layers[0].Name, "keep");
}

TEST(LoadMapFile, AFileWithoutABlockOfAMapIsRefusedAndTouchesNothing)
{
    struct Case {
        const char* Name;
        std::string Bytes;
    };
    const Case cases[] = {
        {"tiles.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16)},
        {"empty.mpx", ""},
        {"notes.txt", "ChipSize = 8,8\r\nMapSize = 3,3\r\nName = <chip> <map>\r\n"},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string path = TempPath(dir, c.Name);
        std::ofstream(path, std::ios::binary) << c.Bytes;
        TestDoc t;
        t.Doc.Layers[0].Name = "keep";
        t.Doc.Layers[0].Cells = CellGrid(static_cast<size_t>(t.Doc.Columns * t.Doc.Rows), 7);
        t.Doc.PathName = "/maps/open.mpx";
        t.Doc.SetModifiedFlag(true);
        ChipWidth = 24;
        std::string error;
        bool notAMap = false;
        EXPECT_FALSE(LoadMapFile(t.Doc, path, error, &notAMap));
        EXPECT_TRUE(notAMap);
        EXPECT_EQ(error, path + " はマップファイルではありません。");
        EXPECT_EQ(t.Doc.Layers[0].Name, "keep");
        EXPECT_EQ((*t.Doc.Layers[0].Cells)[0], 7);
        EXPECT_EQ(t.Doc.PathName, "/maps/open.mpx");
        EXPECT_TRUE(t.Doc.IsModified());
        EXPECT_EQ(ChipWidth, 24);
        ChipWidth = 16;
    }
}

TEST(LoadMapFile, ReportsTheSheetsThatCouldNotBeRead)
{
    QTemporaryDir dir;
    const std::string path = TempPath(dir, "m.mpx");
    const std::string sheet = TempPath(dir, "gone.png");
    std::ofstream(path, std::ios::binary)
        << "<chip page=2>\r\n\tFilePath = " + sheet + "\r\n</chip>\r\n";
    TestDoc t;
    std::string error;
    std::vector<UnreadSheet> unread;
    ASSERT_TRUE(LoadMapFile(t.Doc, path, error, nullptr, &unread)) << error;
    ASSERT_EQ(unread.size(), 1u);
    EXPECT_EQ(unread[0].Page, 2);
    EXPECT_EQ(unread[0].PathCp932, sheet);
    EXPECT_EQ(unread[0].Reason, "ファイルが見つかりません");
}

TEST(LoadMapFile, SavedAndOpenedWithPathAndCleanFlag)
{
    QTemporaryDir dir;
    const std::string path = TempPath(dir, "m.mpx");
    TestDoc t;
    t.Doc.Layers[4].Cells = CellGrid(2500, 9);
    std::string error;
    ASSERT_TRUE(SaveMapFile(t.Doc, path, error));
    TestDoc back;
    back.Doc.SetModifiedFlag(true);
    bool notAMap = true;
    ASSERT_TRUE(LoadMapFile(back.Doc, path, error, &notAMap));
    EXPECT_FALSE(notAMap);
    EXPECT_EQ(back.Doc.PathName, path);
    EXPECT_FALSE(back.Doc.IsModified());
    EXPECT_EQ(back.Doc.Layers[4].Cells, t.Doc.Layers[4].Cells);
    EXPECT_EQ(MapFolderOf(path), dir.path().toStdString() + "/");
}

}  // namespace
