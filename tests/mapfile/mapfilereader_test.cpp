#include "mapfiletestdoc.h"

#include "core/cp932.h"
#include "mapfile/linereader.h"
#include "mapfile/mapfilereader.h"
#include "mapfile/mapfilewriter.h"
#include "render/chippages.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

std::string Join(std::initializer_list<const char*> lines, const char* end = "\r\n")
{
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + end;
    return text;
}

TEST(ArchiveLines, SplitsLikeTheArchive)
{
    struct Case {
        std::string Bytes;
        std::vector<std::string> Lines;
    };
    const Case cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},                 // last line without terminator
        {"a\rb\nc", {"ab", "", "c"}},         // a lone CR takes the next byte as the last one
        {"a\r\rb\n", {"a\r", "b"}},
        {"a\r", {"a"}},
        {"\r", {}},
        {"\n\nx", {"", "", "x"}},
        {"", {}},
        {std::string(100000, 'z') + "\r\nq", {std::string(100000, 'z'), "q"}},
    };
    for (const Case& c : cases) {
        CArchiveLines lines(c.Bytes);
        std::vector<std::string> got;
        std::string_view line;
        while (lines.Next(line))
            got.emplace_back(line);
        EXPECT_EQ(got, c.Lines) << c.Bytes.substr(0, 20);
    }
}

const char* const kProperty[] = {"<property>", "\tChipSize = 16,16", "\tMapSize = 3,2",
                                 "\tFontSize = 20", "\tSaveEvent = 0", "</property>"};

std::string PropertyAndMap(const char* end)
{
    std::string text;
    for (const char* line : kProperty)
        text += std::string(line) + end;
    text += Join({"<map page=0>", "\tName = LY0", "\tChipPage = 0", "\t<data>", "\t\t0,1,2",
                  "\t\t5,-1,5", "\t</data>", "</map>"}, end);
    return text;
}

TEST(MapFileReader, ReadsEveryLineEnding)
{
    for (const char* end : {"\r\n", "\n"}) {
        TestDoc t;
        ReadMapFile(t.Doc, PropertyAndMap(end), "");
        EXPECT_EQ(t.Doc.Columns, 3);
        EXPECT_EQ(t.Doc.FontSize, 20);
        EXPECT_EQ(t.Doc.SaveEvent, 0);
        EXPECT_EQ(t.Doc.Layers[0].Cells, (CellGrid{0, 1, 2, 5, -1, 5}));
    }
    // Without a final terminator the last line still counts.
    TestDoc t;
    std::string text = PropertyAndMap("\r\n");
    text += "<event>\r\n\t<data>\r\n\t\tType = 3";
    ReadMapFile(t.Doc, text, "");
    ASSERT_EQ(t.Doc.Events.GetCount(), 1);
    EXPECT_EQ(t.Doc.Events.At(0).Type, 3);
    // A lone CR takes the following byte into the line: "\tFontSize = 2\r7" reads as 27.
    TestDoc cr;
    ReadMapFile(cr.Doc, "<property>\r\n\tFontSize = 2\r7\n</property>", "");
    EXPECT_EQ(cr.Doc.FontSize, 27);
}

TEST(MapFileReader, LoadResetAndDefaultsFromTheStore)
{
    TestDoc t;
    t.Store.WriteInt("DEFAULT", "FontSize", 18);
    t.Store.WriteInt("DEFAULT", "SaveEventRem", 1);
    t.Store.WriteString("DEFAULT", "BType", "dat");
    t.Doc.Columns = 100;
    t.Doc.Rows = 80;
    t.Doc.CurrentTab = 9;
    t.Doc.Layers[2].Cells = CellGrid(8000, 1);
    t.Doc.TextOption = "x";
    t.Doc.Events.Append(CEventData{});
    t.Doc.ViewEvent = 1;
    // Only the block of map page 1.
    ReadMapFile(t.Doc,
                Join({"<map page=1>", "\tName = Road", "\tChipPage = 3", "\tView = 0", "</map>"}),
                "");
    for (int i = 0; i < 8; ++i) {
        if (i == 1)
            continue;
        EXPECT_EQ(t.Doc.Layers[i].Name, "LAY" + std::to_string(i));
        EXPECT_EQ(t.Doc.Layers[i].LayerId, i);
        EXPECT_FALSE(t.Doc.Layers[i].HasGrid());
        EXPECT_FALSE(t.Doc.ChipPages[i].InUse());
    }
    EXPECT_EQ(t.Doc.Layers[1].Name, "Road");
    EXPECT_EQ(t.Doc.Layers[1].ChipPage, 3);
    EXPECT_EQ(t.Doc.Layers[1].View, 0);
    EXPECT_EQ(t.Doc.Columns, 100);  // no MapSize: kept
    EXPECT_EQ(t.Doc.Rows, 80);
    EXPECT_EQ(t.Doc.CurrentTab, 9);
    EXPECT_EQ(t.Doc.FontSize, 18);
    EXPECT_EQ(t.Doc.SaveEventRem, 1);
    EXPECT_EQ(t.Doc.BType, "dat");
    EXPECT_TRUE(t.Doc.TextOption.empty());
    EXPECT_EQ(t.Doc.Events.GetCount(), 0);
    EXPECT_EQ(t.Doc.ViewEvent, 0);
    EXPECT_EQ(t.Doc.Zoom, 4);
    EXPECT_EQ(t.Doc.Grid, 1);
}

TEST(MapFileReader, ValuesReadBackWithBlanksSignsAndKeyLikeWords)
{
    TestDoc t;
    t.Doc.TextOption = "old";
    t.Doc.FontSize = 12;
    const std::string text = Join({
        "<property>", "\tTextOption = FontSize=40", "\tIntOptions = -1,0,5,-20",
        "xFontSize = 30", "</property>",
        "<map page=2>", "\tName = two words", "</map>",
        "<map page=3>", "\tName = ", "\tView = 0 Name = x", "</map>",
        "<event>", "\t<data>", "\t\tType = -1", "\t\tRect = 1,2,3,-4", "\t\tOption = -1,2",
        "\t\tPos = -3, 4", "\t\tMap = dest.mpx", "\t\tRem = was Map = old.mpx",
        "\t\tRem = </data>", "\t</data>",
        "\t<data>", "\t\tMap = ", "\t\tRem = ", "\t\tType = 5x", "\t</data>", "</event>",
        "<text>", "\t<data>", "\t\tText = Hello Town ", "\t\tSize = -12abc",
        "\t\tColor = 300,1,2", "\t</data>", "</text>"});
    ReadMapFile(t.Doc, text, "");
    EXPECT_EQ(t.Doc.TextOption, "FontSize=40");
    EXPECT_EQ(t.Doc.FontSize, 14);  // the stored default: neither line above sets it
    EXPECT_EQ(t.Doc.IntOptions[0], -1);
    EXPECT_EQ(t.Doc.IntOptions[3], -20);
    EXPECT_EQ(t.Doc.Layers[2].Name, "two words");
    EXPECT_EQ(t.Doc.Layers[3].Name, "");  // not LAY3: the record reset empties it
    EXPECT_EQ(t.Doc.Layers[3].View, 0);
    ASSERT_EQ(t.Doc.Events.GetCount(), 2);
    const CEventData& event = t.Doc.Events.At(0);
    EXPECT_EQ(event.Type, -1);
    EXPECT_EQ(event.Rect, (IntRect{1, 2, 3, -4}));
    EXPECT_EQ(event.Option[0], -1);
    EXPECT_EQ(event.Option[1], 2);
    EXPECT_EQ(event.Pos, (IntPoint{-3, 4}));
    EXPECT_EQ(event.Map, "dest.mpx");
    EXPECT_EQ(event.Rem, "</data>");  // a tag inside a value ends nothing
    const CEventData& empty = t.Doc.Events.At(1);
    EXPECT_TRUE(empty.Map.empty());
    EXPECT_TRUE(empty.Rem.empty());
    EXPECT_EQ(empty.Type, 0);
    ASSERT_EQ(t.Doc.Texts.GetCount(), 1);
    EXPECT_EQ(t.Doc.Texts.At(0).Text, "Hello Town ");
    EXPECT_EQ(t.Doc.Texts.At(0).Size, -12);
    EXPECT_EQ(t.Doc.Texts.At(0).Color, 44u + 256u + 2u * 65536u);  // 300 modulo 256
}

TEST(MapFileReader, RemarkHoldingAMapKeyLeavesTheDestination)
{
    TestDoc t;
    ReadMapFile(t.Doc, Join({"<event>", "\t<data>", "\t\tMap = town.mpx",
                             "\t\tRem = was Map = old.mpx", "\t</data>", "</event>"}),
                "");
    ASSERT_EQ(t.Doc.Events.GetCount(), 1);
    EXPECT_EQ(t.Doc.Events.At(0).Map, "town.mpx");
    EXPECT_EQ(t.Doc.Events.At(0).Rem, "was Map = old.mpx");
}

TEST(MapFileReader, TextHangingOverTheTopLeftEdgeKeepsItsBox)
{
    // A text dragged to the map's corner is centred on it, so its box starts below zero.
    TestDoc t;
    ReadMapFile(t.Doc, Join({"<text>", "\t<data>", "\t\tText = corner", "\t\tRect = -21,-7,21,7",
                             "\t</data>", "</text>"}), "");
    ASSERT_EQ(t.Doc.Texts.GetCount(), 1);
    EXPECT_EQ(t.Doc.Texts.At(0).Rect, (IntRect{-21, -7, 21, 7}));
}

TEST(MapFileReader, EachSaveLineSetsOnlyItsOwnProperty)
{
    TestDoc t;
    ReadMapFile(t.Doc, Join({"<property>", "\tSaveEvent = 0", "</property>"}), "");
    EXPECT_EQ(t.Doc.SaveEvent, 0);
    EXPECT_EQ(t.Doc.SaveEventMap, 0);
    EXPECT_EQ(t.Doc.SaveEventRem, 0);
    ReadMapFile(t.Doc, Join({"<property>", "\tSaveEventMap = 2", "\tSaveEventRem = 1",
                             "</property>"}), "");
    EXPECT_EQ(t.Doc.SaveEvent, 1);  // the stored default
    EXPECT_EQ(t.Doc.SaveEventMap, 2);
    EXPECT_EQ(t.Doc.SaveEventRem, 1);
}

TEST(MapFileReader, OutOfRangeNumbersAreIgnored)
{
    TestDoc t;
    t.Doc.Columns = 4;
    t.Doc.Rows = 4;
    const std::string text = Join({
        "<property>", "\tChipSize = 0,16", "\tChipSize = 2000,16", "\tMapSize = 513,2",
        "\tMapSize = 0,5", "</property>",
        "<chip page=8>", "\tFilePath = nothing.png", "</chip>",
        "<map page=8>", "\tName = Ghost", "\t<data>", "\t\t1,2,3", "\t</data>", "</map>",
        "<map page=9999999999>", "</map>",
        "<map page=4>", "\tChipPage = 8", "</map>"});
    ReadMapFile(t.Doc, text, "");
    EXPECT_EQ(ChipWidth, 16);
    EXPECT_EQ(ChipHeight, 16);
    EXPECT_EQ(t.Doc.Columns, 4);
    EXPECT_EQ(t.Doc.Rows, 4);
    for (int i = 0; i < 8; ++i) {
        EXPECT_NE(t.Doc.Layers[i].Name, "Ghost");
        EXPECT_FALSE(t.Doc.Layers[i].HasGrid());
    }
    EXPECT_EQ(t.Doc.Layers[4].ChipPage, 0);
    // The chip size in range is taken.
    ReadMapFile(t.Doc, Join({"<property>", "\tChipSize = 32,24", "</property>"}), "");
    EXPECT_EQ(ChipWidth, 32);
    EXPECT_EQ(ChipHeight, 24);
}

TEST(MapFileReader, DataBlocksOfTheWrongLength)
{
    TestDoc t;
    const std::string text = Join({
        "<property>", "\tMapSize = 3,2", "</property>",
        "<map page=0>", "\t<data>", "\t\t1,2", "\t</data>", "</map>",
        "<map page=1>", "\t<data>", "\t\t1,2,3,4", "\t\t5,6,7,8,9", "\t</data>", "</map>",
        "<map page=2>", "\t<data>", "\t\t65535,65536,70000", "\t\t-2,99999999999,x", "\t</data>",
        "</map>",
        "<map page=3>", "\t<data>", "\t\t7", "</map>", "\tName = After"});
    ReadMapFile(t.Doc, text, "");
    EXPECT_EQ(t.Doc.Layers[0].Cells, (CellGrid{1, 2, -1, -1, -1, -1}));
    EXPECT_EQ(t.Doc.Layers[1].Cells, (CellGrid{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(t.Doc.Layers[2].Cells, (CellGrid{-1, 0, 4464, -2, -1, 0}));
    // "</map>" ends the record in the middle of the rows; the next line is outside.
    EXPECT_EQ(t.Doc.Layers[3].Cells, (CellGrid{7, -1, -1, -1, -1, -1}));
    EXPECT_EQ(t.Doc.Layers[3].Name, "");
}

TEST(MapFileReader, MapSizeAfterADataBlockIsIgnored)
{
    // The grid read first holds 2 x 1 cells; a later size would no longer describe it.
    TestDoc t;
    ReadMapFile(t.Doc, Join({"<property>", "\tMapSize = 2,1", "</property>", "<map page=0>",
                             "\t<data>", "\t\t4,5", "\t</data>", "</map>", "<property>",
                             "\tMapSize = 300,300", "</property>"}),
                "");
    EXPECT_EQ(t.Doc.Columns, 2);
    EXPECT_EQ(t.Doc.Rows, 1);
    EXPECT_EQ(t.Doc.Layers[0].Cells, (CellGrid{4, 5}));
}

TEST(MapFileReader, DataSizeBecomesTwoOnLargeSheets)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/";
    MakeSheet(folder + "big.png", 16 * 20, 16 * 13);  // 260 chips
    TestDoc t;
    const std::string text = Join({
        "<chip page=1>", "\tFilePath = [MapFolder]big.png", "</chip>",
        "<map page=0>", "\tChipPage = 1", "\tDataSize = 0", "</map>",
        "<map page=1>", "\tChipPage = 1", "\tDataSize = 1", "</map>",
        "<map page=2>", "\tChipPage = 1", "\tDataSize = 3", "\tSaveType = 0", "</map>",
        "<map page=3>", "\tChipPage = 0", "\tDataSize = 0", "</map>"});
    ReadMapFile(t.Doc, text, folder);
    ASSERT_EQ(t.Doc.ChipPages[1].ChipCount(), 260);
    EXPECT_EQ(t.Doc.Layers[0].DataSize, 2);
    EXPECT_EQ(t.Doc.Layers[1].DataSize, 1);
    EXPECT_EQ(t.Doc.Layers[2].DataSize, 3);
    EXPECT_EQ(t.Doc.Layers[3].DataSize, 0);
}

TEST(MapFileReader, MovedFolderFindsItsSheets)
{
    QTemporaryDir first, second;
    const std::string from = first.path().toStdString() + "/";
    const std::string to = second.path().toStdString() + "/";
    QDir(first.path()).mkdir("tiles");
    QDir(second.path()).mkdir("tiles");
    MakeSheet(from + "tiles/a.png", 64, 32);
    MakeSheet(to + "tiles/a.png", 64, 32);

    TestDoc t;
    int w = 16, h = 16;
    ASSERT_TRUE(LoadChipPage(t.Doc.ChipPages[0], from + "tiles/a.png", w, h));
    CEventData event;
    event.Map = from + "next.mpx";
    t.Doc.Events.Append(event);
    std::string text;
    WriteMapFile(t.Doc, text, from);
    EXPECT_NE(text.find("\tFilePath = [MapFolder]tiles/a.png\r\n"), std::string::npos);

    first.remove();  // the map moved away
    TestDoc back;
    ReadMapFile(back.Doc, text, to);
    EXPECT_TRUE(back.Doc.ChipPages[0].InUse());
    EXPECT_EQ(back.Doc.ChipPages[0].FilePath, to + "tiles/a.png");
    EXPECT_EQ(back.Doc.Events.At(0).Map, to + "next.mpx");
}

TEST(MapFileReader, BackslashSeparatorsFromAnotherSystem)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/";
    QDir(dir.path()).mkpath(QString::fromUtf8("tiles/表"));
    MakeSheet(folder + "tiles/" + "表" + "/a.png", 32, 32);
    TestDoc t;
    // 表 is 0x95 0x5C in CP932: its trail byte must stay, the separators become '/'.
    const std::string stored = "[MapFolder]tiles\\" + Cp932("表") + "\\a.png";
    ReadMapFile(t.Doc, "<chip page=0>\r\n\tFilePath = " + stored + "\r\n</chip>\r\n",
                Cp932FromLocalPath(folder).Bytes);
    ASSERT_TRUE(t.Doc.ChipPages[0].InUse());
    EXPECT_EQ(t.Doc.ChipPages[0].FilePath,
              Cp932FromLocalPath(folder).Bytes + "tiles/" + Cp932("表") + "/a.png");
    // A sheet that is nowhere keeps its path as stored, backslashes and all.
    TestDoc missing;
    ReadMapFile(missing.Doc, "<chip page=0>\r\n\tFilePath = C:\\nowhere\\a.png\r\n</chip>\r\n",
                folder);
    EXPECT_FALSE(missing.Doc.ChipPages[0].InUse());
    EXPECT_EQ(missing.Doc.ChipPages[0].FilePath, "C:\\nowhere\\a.png");
}

TEST(MapFileReader, TheLastPathOfAPageWins)
{
    QTemporaryDir dir;
    const std::string folder = dir.path().toStdString() + "/";
    MakeSheet(folder + "a.png", 32, 16);
    MakeSheet(folder + "b.png", 64, 16);
    TestDoc t;
    ReadMapFile(t.Doc,
                Join({"<chip page=5>", "\tFilePath = [MapFolder]a.png",
                      "\tFilePath = [MapFolder]b.png", "</chip>", "<chip page=6>",
                      "\tFilePath = [MapFolder]b.png", "</chip>", "<chip page=6>",
                      "\tFilePath = [MapFolder]missing.png", "</chip>"}),
                folder);
    EXPECT_EQ(t.Doc.ChipPages[5].Columns, 4);
    EXPECT_FALSE(t.Doc.ChipPages[6].InUse());
}

}  // namespace
