// Sheet paths a map names: kept when the sheet cannot be read, and "[MapFolder]" only for a
// leading folder.
#include "mapfiletestdoc.h"

#include "core/cp932.h"
#include "mapfile/mapdocumentfile.h"
#include "mapfile/mapfilereader.h"
#include "mapfile/mapfilewriter.h"
#include "mapfile/mappaths.h"
#include "mapfile/recoveryoffer.h"
#include "mapfile/recoverystore.h"
#include "render/chippages.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

std::string ChipBlock(int page, const std::string& stored)
{
    return "<chip page=" + std::to_string(page) + ">\r\n\tFilePath = " + stored +
           "\r\n</chip>\r\n";
}

struct UnreadSheetMap : TestDoc {
    QTemporaryDir Dir;
    std::string Folder;
    std::string Blocks;

    UnreadSheetMap()
    {
        Folder = Dir.path().toStdString() + "/";
        QFile text(QString::fromStdString(Folder + "notes.png"));
        EXPECT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("not a picture");
        text.close();
        QDir(Dir.path()).mkdir("folder.png");
        MakeSheet(Folder + "good.png", 32, 16);
        Blocks = ChipBlock(1, "[MapFolder]gone.png") + ChipBlock(2, "[MapFolder]notes.png") +
                 ChipBlock(4, "[MapFolder]folder.png") + ChipBlock(5, "[MapFolder]good.png") +
                 ChipBlock(6, "/nowhere/" + Cp932("表") + ".png");
    }

    std::string File() const
    {
        return "<property>\r\n\tMapSize = 2,1\r\n</property>\r\n" + Blocks +
               "<map page=0>\r\n\tChipPage = 1\r\n\t<data>\r\n\t\t3,-1\r\n\t</data>\r\n</map>\r\n";
    }
};

void ExpectUnreadList(const MapReadStats& stats, const std::string& folder)
{
    ASSERT_EQ(stats.UnreadSheets.size(), 4u);
    struct Expected {
        int Page;
        std::string Path;
        std::string Reason;
    };
    const Expected expected[] = {
        {1, folder + "gone.png", "ファイルが見つかりません"},
        {2, folder + "notes.png", "画像として読み込めません"},
        {4, folder + "folder.png", "フォルダーです"},
        {6, "/nowhere/" + Cp932("表") + ".png", "ファイルが見つかりません"},
    };
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(stats.UnreadSheets[i].Page, expected[i].Page);
        EXPECT_EQ(stats.UnreadSheets[i].PathCp932, expected[i].Path);
        EXPECT_EQ(stats.UnreadSheets[i].Reason, expected[i].Reason) << expected[i].Path;
    }
}

TEST(UnreadSheets, AreKeptListedAndWrittenBackUnchanged)
{
    UnreadSheetMap map;
    const MapReadStats stats = ReadMapFile(map.Doc, map.File(), map.Folder);
    ExpectUnreadList(stats, map.Folder);
    for (int page : {1, 2, 4, 6}) {
        const CChipPage& chips = map.Doc.ChipPages[static_cast<std::size_t>(page)];
        EXPECT_FALSE(chips.InUse()) << page;
        EXPECT_TRUE(chips.Prepared.isNull()) << page;
        EXPECT_EQ(chips.ChipCount(), 0) << page;
    }
    EXPECT_EQ(map.Doc.ChipPages[1].FilePath, map.Folder + "gone.png");
    EXPECT_TRUE(map.Doc.ChipPages[5].InUse());
    EXPECT_EQ(map.Doc.Layers[0].Cells, (CellGrid{3, -1}));  // the cells stay for a later sheet
    std::string name;
    EXPECT_TRUE(GetChipPageName(1, map.Doc.ChipPages[1], name));
    EXPECT_EQ(name, "gone.png");

    std::string saved;
    WriteMapFile(map.Doc, saved, map.Folder);
    EXPECT_NE(saved.find(map.Blocks), std::string::npos) << saved;
    TestDoc again;
    ExpectUnreadList(ReadMapFile(again.Doc, saved, map.Folder), map.Folder);

    // Loading a sheet into the page later replaces it as usual.
    int w = 16, h = 16;
    ASSERT_TRUE(LoadChipPage(again.Doc.ChipPages[1], map.Folder + "good.png", w, h));
    EXPECT_EQ(again.Doc.ChipPages[1].FilePath, map.Folder + "good.png");
    EXPECT_EQ(again.Doc.ChipPages[1].Columns, 2);
}

TEST(UnreadSheets, SurviveTheRecoveryCopy)
{
    UnreadSheetMap map;
    ReadMapFile(map.Doc, map.File(), map.Folder);
    map.Doc.PathName = map.Folder + "town.mpx";
    CStaleCopy copy;
    copy.OriginalPath = map.Doc.PathName;
    WriteMapFileText(map.Doc, copy.Bytes, MapFolderOf(copy.OriginalPath));
    TestDoc restored;
    RestoreRecoveryCopy(restored.Doc, copy);
    EXPECT_EQ(restored.Doc.ChipPages[2].FilePath, map.Folder + "notes.png");
    EXPECT_FALSE(restored.Doc.ChipPages[2].InUse());
    EXPECT_TRUE(restored.Doc.ChipPages[5].InUse());
}

TEST(MapFolderPlaceholder, StandsOnlyForALeadingFolder)
{
    const std::string folder = "/tmp/maps/m/";
    struct Case {
        std::string Path;
        std::string Stored;
    };
    const Case cases[] = {
        {"/tmp/maps/m/s.png", "[MapFolder]s.png"},
        {"/tmp/maps/m/sub/s.png", "[MapFolder]sub/s.png"},
        {"/var/tmp/maps/m/s.png", "/var/tmp/maps/m/s.png"},  // a foreign folder holding it
        {"/tmp/maps/m2/s.png", "/tmp/maps/m2/s.png"},
        {"/tmp/maps/m/x/tmp/maps/m/s.png", "[MapFolder]x/tmp/maps/m/s.png"},
        {"s.png", "s.png"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ToStoredPath(c.Path, folder), c.Stored) << c.Path;
        EXPECT_EQ(FromStoredPath(c.Stored, folder), c.Path) << c.Stored;
    }
    EXPECT_EQ(ToStoredPath("/tmp/maps/m/s.png", ""), "/tmp/maps/m/s.png");
    // A folder must end at a separator (a trail byte 0x5C is none).
    EXPECT_EQ(ToStoredPath("/tmp/mapsX/a.png", "/tmp/maps"), "/tmp/mapsX/a.png");
    const std::string hyo = Cp932("表");
    EXPECT_EQ(ToStoredPath("/a/" + hyo + "b.png", "/a/" + hyo), "/a/" + hyo + "b.png");
    EXPECT_EQ(ToStoredPath("C:\\" + hyo + "\\b.png", "C:\\" + hyo + "\\"), "[MapFolder]b.png");
    EXPECT_EQ(FromStoredPath("a[MapFolder]b.png", folder), "a[MapFolder]b.png");
}

TEST(MapFolderPlaceholder, SheetsAndDestinationsInTheFile)
{
    const std::string folder = "/tmp/maps/m/";
    TestDoc t;
    t.Doc.ChipPages[0].FilePath = "/var/tmp/maps/m/s.png";
    t.Doc.ChipPages[1].FilePath = "/tmp/maps/m/t.png";
    CEventData event;
    event.Map = "/var/tmp/maps/m/next.mpx";
    t.Doc.Events.Append(event);
    event.Map = "/tmp/maps/m/next.mpx";
    t.Doc.Events.Append(event);
    std::string bytes;
    WriteMapFile(t.Doc, bytes, folder);
    EXPECT_NE(bytes.find(ChipBlock(0, "/var/tmp/maps/m/s.png")), std::string::npos);
    EXPECT_NE(bytes.find(ChipBlock(1, "[MapFolder]t.png")), std::string::npos);
    EXPECT_NE(bytes.find("\t\tMap = /var/tmp/maps/m/next.mpx\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\t\tMap = [MapFolder]next.mpx\r\n"), std::string::npos);

    // The map moved: only the leading placeholder follows it.
    TestDoc moved;
    ReadMapFile(moved.Doc,
                bytes + "<event>\r\n\t<data>\r\n\t\tMap = old[MapFolder]x.mpx\r\n\t</data>\r\n"
                        "</event>\r\n",
                "/home/u/m/");
    EXPECT_EQ(moved.Doc.ChipPages[0].FilePath, "/var/tmp/maps/m/s.png");
    EXPECT_EQ(moved.Doc.ChipPages[1].FilePath, "/home/u/m/t.png");
    ASSERT_EQ(moved.Doc.Events.GetCount(), 3);
    EXPECT_EQ(moved.Doc.Events.At(0).Map, "/var/tmp/maps/m/next.mpx");
    EXPECT_EQ(moved.Doc.Events.At(1).Map, "/home/u/m/next.mpx");
    EXPECT_EQ(moved.Doc.Events.At(2).Map, "old[MapFolder]x.mpx");
}

}  // namespace
