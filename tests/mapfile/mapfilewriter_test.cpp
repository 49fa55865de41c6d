#include "mapfiletestdoc.h"

#include "core/cp932.h"
#include "mapfile/mapfilereader.h"
#include "mapfile/mapfilewriter.h"
#include "render/chippages.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

// A 3 x 2 map with every kind of block: one sheet in the map's folder, one cell grid, one grid of
// empty cells only, an event and a text.
struct SmallMap : TestDoc {
    QTemporaryDir Dir;
    std::string Folder;

    SmallMap()
    {
        Folder = Dir.path().toStdString() + "/";
        QDir(Dir.path()).mkdir("tiles");
        MakeSheet(Folder + "tiles/a.png", 32, 16);
        int w = ChipWidth, h = ChipHeight;
        LoadChipPage(Doc.ChipPages[2], Folder + "tiles/a.png", w, h);

        Doc.Columns = 3;
        Doc.Rows = 2;
        Doc.FontSize = 12;
        Doc.TextColor = 0x00030201;
        Doc.SaveEventMap = 2;
        Doc.IntOptions[1] = -7;
        Doc.Layers[0].Name = "LY0";
        Doc.Layers[0].ChipPage = 2;
        Doc.Layers[0].Cells = CellGrid{0, 1, 2, 5, -1, 5};
        Doc.Layers[3].Cells = CellGrid(6, -1);
        Doc.Layers[5].View = 0;
        Doc.Layers[5].SaveType = 3;
        Doc.Layers[5].DataSize = 2;

        CEventData event;
        event.Type = 4;
        event.Rect = {1, 0, 2, 1};
        event.Map = Folder + "town.mpx";
        event.Pos = {7, 8};
        event.Option[0] = -1;
        event.Option[1] = 2;
        event.Rem = "door";
        Doc.Events.Append(event);

        CMemo memo;
        memo.Text = Cp932("宿屋");
        memo.Rect = {4, 5, 40, 21};
        memo.Size = 14;
        memo.Color = 0x00FF8040;
        Doc.Texts.Append(memo);
    }
};

const char* const kSmallMapText =
    "<property>\r\n"
    "\tChipSize = 16,16\r\n"
    "\tMapSize = 3,2\r\n"
    "\tFontSize = 12\r\n"
    "\tFontColor = 1,2,3\r\n"
    "\tViewText = 1\r\n"
    "\tSaveText = 0\r\n"
    "\tViewEvent = 0\r\n"
    "\tSaveEvent = 1\r\n"
    "\tSaveEventMap = 2\r\n"
    "\tSaveEventRem = 0\r\n"
    "\tTextOption = \r\n"
    "\tIntOptions = 0,-7,0,0\r\n"
    "</property>\r\n"
    "<chip page=2>\r\n"
    "\tFilePath = [MapFolder]tiles/a.png\r\n"
    "</chip>\r\n"
    "<map page=0>\r\n"
    "\tName = LY0\r\n"
    "\tChipPage = 2\r\n"
    "\tView = 1\r\n"
    "\tSaveType = 1\r\n"
    "\tDataSize = 1\r\n"
    "\t<data>\r\n"
    "\t\t0,1,2\r\n"
    "\t\t5,-1,5\r\n"
    "\t</data>\r\n"
    "</map>\r\n";

std::string MapPageWithoutData(int position, const std::string& name, int view, int saveType,
                               int dataSize)
{
    return "<map page=" + std::to_string(position) + ">\r\n\tName = " + name +
           "\r\n\tChipPage = 0\r\n\tView = " + std::to_string(view) +
           "\r\n\tSaveType = " + std::to_string(saveType) +
           "\r\n\tDataSize = " + std::to_string(dataSize) + "\r\n</map>\r\n";
}

TEST(MapFileWriter, WritesEveryBlockByteForByte)
{
    SmallMap map;
    std::string out;
    WriteMapFile(map.Doc, out, map.Folder);

    std::string expected = kSmallMapText;
    for (int i = 1; i < 8; ++i)
        expected += MapPageWithoutData(i, "LY" + std::to_string(i), i == 5 ? 0 : 1,
                                       i == 5 ? 3 : 1, i == 5 ? 2 : 1);
    expected += "<event>\r\n\t<data>\r\n\t\tType = 4\r\n\t\tRect = 1,0,2,1\r\n"
                "\t\tMap = [MapFolder]town.mpx\r\n\t\tPos = 7,8\r\n\t\tOption = -1,2\r\n"
                "\t\tRem = door\r\n\t</data>\r\n</event>\r\n";
    expected += "<text>\r\n\t<data>\r\n\t\tText = " + Cp932("宿屋") +
                "\r\n\t\tRect = 4,5,40,21\r\n\t\tSize = 14\r\n\t\tColor = 64,128,255\r\n"
                "\t</data>\r\n</text>\r\n";
    EXPECT_EQ(out, expected);
}

TEST(MapFileWriter, WithoutFolderPathsStayWhole)
{
    SmallMap map;
    std::string out;
    WriteMapFile(map.Doc, out, "");
    EXPECT_NE(out.find("\tFilePath = " + map.Folder + "tiles/a.png\r\n"), std::string::npos);
    EXPECT_NE(out.find("\t\tMap = " + map.Folder + "town.mpx\r\n"), std::string::npos);
}

TEST(MapFileWriter, CancelsFloatingStateAndDiscardsTypedText)
{
    TestDoc t;
    t.Doc.EditMode = 2;
    t.Doc.SelectPhase = 2;
    t.Doc.PastePos = {3, 4};
    t.Doc.Clipboard.Left = 1;
    t.Doc.TypedText = "abc";
    t.Doc.TypePos = {5, 6};
    t.Hints.Hints.clear();
    std::string out;
    WriteMapFile(t.Doc, out, "");
    EXPECT_EQ(t.Doc.SelectPhase, 0);
    EXPECT_EQ(t.Doc.EditMode, 2);
    EXPECT_EQ(t.Doc.PastePos, (IntPoint{0, 0}));
    EXPECT_EQ(t.Doc.Clipboard.Left, 0);
    EXPECT_TRUE(t.Doc.TypedText.empty());
    EXPECT_EQ(t.Doc.TypePos, (IntPoint{0, 0}));
    EXPECT_EQ(t.Hints.Hints, std::vector<int>{0x02});
    EXPECT_EQ(out.find("abc"), std::string::npos);  // typed text never becomes a text
}

TEST(MapFileRoundTrip, EverythingComesBack)
{
    SmallMap map;
    map.Doc.Layers[1].Cells = CellGrid{300, -1, 32767, -32768, 255, 256};
    map.Doc.Layers[1].Name = Cp932("地面");
    map.Doc.TextOption = "abc ";
    map.Doc.IntOptions[0] = -1;
    map.Doc.IntOptions[3] = 2147483647;
    map.Doc.ViewText = 0;
    map.Doc.ViewEvent = 1;
    map.Doc.SaveText = 1;
    map.Doc.SaveEvent = 0;
    map.Doc.SaveEventRem = 1;
    std::string out;
    WriteMapFile(map.Doc, out, map.Folder);

    TestDoc back;
    back.Doc.Columns = 9;
    back.Doc.CurrentTab = 6;
    back.Hints.Hints.clear();
    ReadMapFile(back.Doc, out, map.Folder);

    EXPECT_EQ(back.Doc.Columns, 3);
    EXPECT_EQ(back.Doc.Rows, 2);
    EXPECT_EQ(back.Doc.CurrentTab, 6);
    EXPECT_EQ(back.Doc.FontSize, 12);
    EXPECT_EQ(back.Doc.TextColor, 0x00030201u);
    EXPECT_EQ(back.Doc.ViewText, 0);
    EXPECT_EQ(back.Doc.ViewEvent, 1);
    EXPECT_EQ(back.Doc.SaveText, 1);
    EXPECT_EQ(back.Doc.SaveEvent, 0);
    EXPECT_EQ(back.Doc.SaveEventMap, 2);
    EXPECT_EQ(back.Doc.SaveEventRem, 1);
    EXPECT_EQ(back.Doc.TextOption, "abc ");
    EXPECT_EQ(back.Doc.IntOptions[0], -1);
    EXPECT_EQ(back.Doc.IntOptions[1], -7);
    EXPECT_EQ(back.Doc.IntOptions[3], 2147483647);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(back.Doc.Layers[i].LayerId, i);
        EXPECT_EQ(back.Doc.Layers[i].Name, map.Doc.Layers[i].Name) << i;
        EXPECT_EQ(back.Doc.Layers[i].ChipPage, map.Doc.Layers[i].ChipPage) << i;
        EXPECT_EQ(back.Doc.Layers[i].View, map.Doc.Layers[i].View) << i;
        EXPECT_EQ(back.Doc.Layers[i].SaveType, map.Doc.Layers[i].SaveType) << i;
        EXPECT_EQ(back.Doc.Layers[i].DataSize, map.Doc.Layers[i].DataSize) << i;
    }
    EXPECT_EQ(back.Doc.Layers[0].Cells, map.Doc.Layers[0].Cells);
    EXPECT_EQ(back.Doc.Layers[1].Cells, map.Doc.Layers[1].Cells);
    EXPECT_FALSE(back.Doc.Layers[3].HasGrid());  // only empty cells: no rows written
    EXPECT_TRUE(back.Doc.ChipPages[2].InUse());
    EXPECT_EQ(back.Doc.ChipPages[2].FilePath, map.Folder + "tiles/a.png");
    EXPECT_EQ(back.Doc.ChipPages[2].Columns, 2);
    EXPECT_FALSE(back.Doc.ChipPages[0].InUse());
    ASSERT_EQ(back.Doc.Events.GetCount(), 1);
    EXPECT_EQ(back.Doc.Events.At(0), map.Doc.Events.At(0));
    ASSERT_EQ(back.Doc.Texts.GetCount(), 1);
    EXPECT_EQ(back.Doc.Texts.At(0), map.Doc.Texts.At(0));
    EXPECT_EQ(back.Hints.Hints, std::vector<int>{0x17});
}

TEST(MapFileRoundTrip, WrittenAgainGivesTheSameBytes)
{
    SmallMap map;
    std::string first;
    WriteMapFile(map.Doc, first, map.Folder);
    TestDoc back;
    ReadMapFile(back.Doc, first, map.Folder);
    std::string second;
    WriteMapFile(back.Doc, second, map.Folder);
    EXPECT_EQ(first, second);
}

}  // namespace
