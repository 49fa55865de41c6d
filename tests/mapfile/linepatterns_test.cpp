// The reader recognises its lines with MatchLine, its patterns compiled once, which must give
// exactly what the pattern matcher gives with the pattern's text. These tests hold the two side
// by side on chosen lines, generated lines and every line the writer makes.
#include "mapfiletestdoc.h"

#include "core/cp932.h"
#include "core/decimal.h"
#include "mapfile/linepatterns.h"
#include "mapfile/linereader.h"
#include "mapfile/mapfilereader.h"
#include "mapfile/mapfilewriter.h"
#include "mapfile/ptnmatch.h"

#include <gtest/gtest.h>
#include <random>

namespace {

// The text each kind's lines open with after their blanks, for making lines that nearly match.
const char* const kKeywords[] = {
    "<chip page", "<map page", "ChipSize", "MapSize", "FontSize", "FontColor", "ViewText",
    "SaveText", "ViewEvent", "SaveEvent", "SaveEventMap", "SaveEventRem", "TextOption",
    "IntOptions", "FilePath", "Name", "ChipPage", "View", "SaveType", "DataSize", "Type", "Rect",
    "Map", "Pos", "Option", "Rem", "Text", "Size", "Color", "<property>", "</property>",
    "<event>", "</event>", "<text>", "</text>", "<data>", "</data>", "</chip>", "</map>"};
static_assert(std::size(kKeywords) == MapLinePatterns.size());

// The reader's MatchLine against the matcher given the kind's pattern text on one line, for
// every kind; returns a description of the first difference, or "".
std::string Difference(const std::string& line)
{
    for (std::size_t k = 0; k < MapLinePatterns.size(); ++k) {
        const MapLinePattern& pattern = MapLinePatterns[k];
        const std::string name(pattern.Text);
        std::vector<std::string> expected;
        const bool matched = CPtnMatch::Match(line, pattern.Text, expected);
        LineGroups groups;
        const bool got = MatchLine(static_cast<MapLine>(k), line, groups);
        if (matched != got)
            return name + " on [" + line + "]: matcher " + (matched ? "matches" : "fails");
        if (!matched)
            continue;
        if (static_cast<int>(expected.size()) != pattern.Groups ||
            groups.size() != expected.size())
            return name + ": another number of groups";
        for (std::size_t i = 0; i < expected.size(); ++i)
            if (expected[i] != groups[i])
                return name + " on [" + line + "]: group " + std::to_string(i) + " is [" +
                       expected[i] + "], not [" + std::string(groups[i]) + "]";
    }
    return "";
}

TEST(LinePatterns, AgreeWithTheMatcherOnChosenLines)
{
    const std::string hyo = Cp932("表");
    const std::vector<std::string> lines = {
        "\tChipSize = 16,24", "\tChipSize = 16, 24", "ChipSize=1,2", "xMapSize = 5,5",
        "\tIntOptions = -1,0,5,-20", "\tIntOptions = --1,0,5,2", "\t\tType = -1",
        "\t\tType = 12", "\t\tType = 12x", "\t\tType = 1 Type = 2", "\t\tSize = 12abc",
        "\t\tText = abc", "\t\tText = ab cd", "\t\tText = ", "\t\tText =", "\t\tText = a\t",
        "\t\tMap = [MapFolder]town 2.mpx", "\t\tRem = ", "\t\tRem =   x", "<chip page=3>",
        "<map page=12>", "<map page=>", "<map page=1", "\tSaveEventMap = 1", "\tSaveEvent = 1",
        "\tTextOption = abc ", "\tTextOption = ", "\tName = " + hyo + " x",
        "\tName = \x82 b", "\t" + hyo + "Name = a", "\tName = a Name=b", "\tName = x Name = ",
        "\t\tRect = 3,4,15,6", "\t\tRect = 3, 4, 15, 6", "\t\tRect = 3,4,15", "\t\tRect = 1,2,3,4,5",
        "\t\tRem = Rect=1,2,3,4", "\t\tOption = -1,2", "\t\tPos = 3,\t4", "\t\tColor = 1,2,3",
        "\tView = 1", "\tViewText = 1", "\tName = View=3", "\tFilePath = C:\\maps\\a.png",
        "\tFilePath = " + hyo + "\\a.png", "\tDataSize = 2\x82", "Name = \x82",
        // Keys open their line; values hold key-like words; numbers carry signs.
        "\tTextOption = FontSize=40", "\t\tRem = was Map = old.mpx", "xName = a",
        " \t Map = a b ", "\t\tType = -3", "\t\tType = --3", "\t\tType = -", "\t\tPos = -1,4",
        "\t\tOption = -1,-1", "\t\tSize = -5", "\t\tRect = -1, -2,-3,\t-4", " <chip page=3>",
        "x<chip page=3>", "\t\tText = Hello Town", "\tName = My Layer ", "\tName =  \t",
        "\t\tText = " + hyo + " </data>", "\t" + hyo + "Text = a", "\t\x82Text = a",
        "\t\tColor = -1,2,3", "\tSaveEvent = -1", "\t</data>", "x</data>", "\t\t<data> x",
    };
    for (const std::string& line : lines)
        EXPECT_EQ(Difference(line), "");
}

TEST(LinePatterns, AgreeWithTheMatcherOnGeneratedLines)
{
    const std::vector<std::string> tokens = {
        " ", " ", "\t", "=", "=", ",", ",", "-", "0", "7", "12", "x", "a", "$", "<", ">",
        Cp932("表"), Cp932("あ"), "\x82", "Size", "Text", "Map", "Rem", "Name", "View",
        "Type", "Rect", "Pos", "Option", "Color", "ChipSize", "SaveEvent", "SaveEventMap",
        "TextOption", "IntOptions", "FilePath", "ChipPage", "<map page", "<chip page", "Font",
        "Save"};
    std::mt19937 random(12345);
    std::uniform_int_distribution<std::size_t> pick(0, tokens.size() - 1);
    std::uniform_int_distribution<std::size_t> pickKeyword(0, std::size(kKeywords) - 1);
    std::uniform_int_distribution<int> length(0, 14);
    std::uniform_int_distribution<int> opening(0, 5);
    for (int round = 0; round < 2000; ++round) {
        // Only a line that opens with a key after blanks can match: most lines are made so.
        std::string line;
        for (int i = opening(random); i > 2; --i)
            line += i % 2 ? "\t" : " ";
        const int start = opening(random);
        if (start < 4)
            line += kKeywords[pickKeyword(random)];
        const int n = length(random);
        for (int i = 0; i < n; ++i)
            line += tokens[pick(random)];
        ASSERT_EQ(Difference(line), "");
    }
}

TEST(LinePatterns, AgreeWithTheMatcherOnEveryWrittenLine)
{
    TestDoc t;
    t.Doc.Columns = 4;
    t.Doc.Rows = 2;
    t.Doc.TextOption = "x ChipSize = 3,4 ";
    t.Doc.IntOptions[2] = -2147483647 - 1;
    t.Doc.TextColor = 0x00FFFFFF;
    const char* const names[] = {"LY0", "two words", "Name=x", "a Name=b", "", "View=3 x", "\t",
                                 "ChipPage=9"};
    for (int i = 0; i < 8; ++i)
        t.Doc.Layers[i].Name = names[i];
    t.Doc.Layers[1].Name = Cp932("表 示");
    t.Doc.Layers[2].Cells = CellGrid{-1, 0, 32767, -32768, 5, 6, 7, 8};
    const char* const texts[] = {"abc", "ab cd", "", "Size=5", "a Size=5", "Rect = 1,2,3,4",
                                 "</data>", "x Map = y ", "\t<data>"};
    for (const char* text : texts) {
        CMemo memo;
        memo.Text = text;
        memo.Rect = {-1, 2, 3, 4};
        memo.Color = 0x00ABCDEF;
        t.Doc.Texts.Append(memo);
        CEventData event;
        event.Type = -3;
        event.Map = std::string(text) + " [MapFolder]x.mpx";
        event.Rem = text;
        event.Option[0] = -1;
        event.Pos = {100000, 2};
        t.Doc.Events.Append(event);
    }
    std::string bytes;
    WriteMapFile(t.Doc, bytes, "");
    CArchiveLines lines(bytes);
    std::string_view line;
    int count = 0;
    while (lines.Next(line)) {
        ASSERT_EQ(Difference(std::string(line)), "");
        ++count;
    }
    EXPECT_GT(count, 100);
}

// A tag inside a line is found only on a character boundary.
TEST(LinePatterns, TagsRespectCharacterBoundaries)
{
    const struct {
        std::string Line;
        const char* Tag;
        bool Found;
    } cases[] = {
        {"\t</data>", "</data>", true},
        {"\t</data>", "<data>", false},
        {"\x82<data>", "<data>", false},  // '<' taken as a trail byte
        {"a\x82<data>x", "<data>", false},
        {Cp932("表") + "<data>", "<data>", true},
    };
    for (const auto& c : cases) {
        std::string head, tail;
        EXPECT_EQ(CPtnMatch::SplitFirst(c.Line, c.Tag, head, tail) == 1, c.Found) << c.Line;
    }
}

TEST(LinePatterns, CellRowsSplitLikeSplitString)
{
    const std::vector<std::string> rows = {
        "\t\t0,1,2,3", "1,,2", "5,", "", "-1,65535,x,7", Cp932("表") + ",3," + Cp932("表") + "9",
        "\x82,5,6", " 12 , -4,+3,4"};
    for (const std::string& row : rows) {
        std::vector<std::string> pieces;
        CPtnMatch::SplitString(row, ",", pieces);
        CellGrid expected(8, -1);
        for (std::size_t i = 0; i < pieces.size() && i < expected.size(); ++i)
            expected[i] = static_cast<int16_t>(static_cast<uint16_t>(DecimalPrefix(pieces[i])));
        TestDoc t;
        ReadMapFile(t.Doc, "<property>\n\tMapSize = 8,1\n</property>\n<map page=0>\n\t<data>\n" +
                               row + "\n\t</data>\n</map>\n",
                    "");
        ASSERT_TRUE(t.Doc.Layers[0].HasGrid());
        EXPECT_EQ(*t.Doc.Layers[0].Cells, expected) << row;
    }
}

}  // namespace
