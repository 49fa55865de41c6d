// Hostile input: the reader must finish, stay within its bounds and read what it can.
#include "mapfiletestdoc.h"

#include "mapfile/mapfilereader.h"

#include <gtest/gtest.h>

namespace {

TEST(HostileInput, VeryLongLinesAndRuns)
{
    TestDoc t;
    std::string text = "<property>\n";
    text += "\tFontSize = " + std::string(200000, ' ') + "17\n";
    text += "\tTextOption = " + std::string(300000, 'y') + "\n";
    text += "\tMapSize = " + std::string(100000, '9') + ",3\n";           // saturates: ignored
    text += "\tIntOptions = " + std::string(50000, '-') + "1,2,3,4\n";    // "--..1" reads as 0
    for (int i = 0; i < 2000; ++i)
        text += "Name=Name=Name=Name=";  // every occurrence fails only at the line's end
    text += "\n</property>\n<map page=0>\n\tName = " + std::string(100000, 'n') + "\n";
    text += "\t<data>\n\t\t";
    for (int i = 0; i < 1000000; ++i)
        text += "1,";
    text += "\n\t</data>\n</map>\n";
    ReadMapFile(t.Doc, text, "");
    EXPECT_EQ(t.Doc.FontSize, 17);
    EXPECT_EQ(t.Doc.TextOption.size(), 300000u);
    EXPECT_EQ(t.Doc.Columns, 50);
    EXPECT_EQ(t.Doc.IntOptions[0], 0);
    EXPECT_EQ(t.Doc.IntOptions[3], 4);
    EXPECT_EQ(t.Doc.Layers[0].Name.size(), 100000u);
    ASSERT_TRUE(t.Doc.Layers[0].HasGrid());
    EXPECT_EQ(t.Doc.Layers[0].Cells->size(), 2500u);
    EXPECT_EQ(t.Doc.Layers[0].Cells->back(), 1);
}

TEST(HostileInput, UnbalancedTagsAndBinaryNoise)
{
    TestDoc t;
    std::string text;
    for (int i = 0; i < 5000; ++i)
        text += "<event>\n\t<data>\n<text>\n<property>\n</data>\n";
    text += std::string("\0\x82\xff\r\r\r\n<map page=1>\n\t<data>", 24);
    for (int i = 0; i < 300; ++i)
        text.push_back(static_cast<char>(i * 37));
    ReadMapFile(t.Doc, text, "");
    EXPECT_EQ(t.Doc.Events.GetCount(), 5000);
    EXPECT_EQ(t.Doc.Texts.GetCount(), 0);
}

TEST(HostileInput, ManySheetRecordsLoadOnce)
{
    TestDoc t;
    std::string text;
    for (int i = 0; i < 20000; ++i)
        text += "<chip page=3>\n\tFilePath = /nonexistent/" + std::to_string(i) + ".png\n</chip>\n";
    ReadMapFile(t.Doc, text, "");
    EXPECT_FALSE(t.Doc.ChipPages[3].InUse());
}

TEST(HostileInput, NotAMapReadsAsAnEmptyMap)
{
    TestDoc t;
    const MapReadStats stats = ReadMapFile(t.Doc, "\x89PNG\r\n\x1a\n garbage", "");
    EXPECT_EQ(stats.Blocks, 0);
    EXPECT_EQ(t.Doc.Layers[0].Name, "LAY0");
}

}  // namespace
