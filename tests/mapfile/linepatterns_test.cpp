// The reader recognises its lines with MatchLine, which must give exactly what the pattern
// matcher gives. These tests hold the two side by side on generated lines and on every line the
// writer makes.
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

namespace P = MapFilePatterns;

namespace {

const LinePattern* const kAll[] = {
    &P::ChipPageTag, &P::MapPageTag, &P::ChipSize, &P::MapSize, &P::FontSize, &P::FontColor,
    &P::ViewText, &P::SaveText, &P::ViewEvent, &P::SaveEvent, &P::SaveEventMap,
    &P::SaveEventRem, &P::TextOption, &P::IntOptions, &P::FilePath, &P::Name, &P::ChipPage,
    &P::View, &P::SaveType, &P::DataSize, &P::EventType, &P::Rect, &P::Map, &P::Pos,
    &P::Option, &P::Rem, &P::Text, &P::Size, &P::Color};

const char* const kTags[] = {"<property>", "</property>", "<data>", "</data>", "</map>",
                             "</chip>", "<event>", "</event>", "<text>", "</text>"};

// OpensWithTag against the matcher's "^\s*<tag>"; returns a description of the difference.
std::string TagDifference(const std::string& line)
{
    for (const char* tag : kTags) {
        std::vector<std::string> groups;
        const bool matched = CPtnMatch::Match(line, std::string("^\\s*") + tag, groups);
        if (matched != OpensWithTag(line, tag))
            return std::string(tag) + " on [" + line + "]: matcher " +
                   (matched ? "matches" : "fails");
    }
    return "";
}

// Compares the two on one line; returns a description of the difference, or "".
std::string Difference(const LinePattern& pattern, const std::string& line)
{
    std::vector<std::string> expected;
    const bool matched = CPtnMatch::Match(line, pattern.Pattern, expected);
    LineGroups groups;
    const bool got = MatchLine(pattern, line, groups);
    if (matched != got)
        return std::string(pattern.Pattern) + " on [" + line + "]: matcher " +
               (matched ? "matches" : "fails");
    if (!matched)
        return "";
    if (static_cast<int>(expected.size()) != pattern.Groups)
        return std::string(pattern.Pattern) + ": matcher gave another number of groups";
    for (int i = 0; i < pattern.Groups; ++i)
        if (expected[static_cast<std::size_t>(i)] != groups[static_cast<std::size_t>(i)])
            return std::string(pattern.Pattern) + " on [" + line + "]: group " +
                   std::to_string(i) + " is [" + expected[static_cast<std::size_t>(i)] +
                   "], not [" + std::string(groups[static_cast<std::size_t>(i)]) + "]";
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
    for (const std::string& line : lines) {
        for (const LinePattern* pattern : kAll)
            EXPECT_EQ(Difference(*pattern, line), "");
        EXPECT_EQ(TagDifference(line), "");
    }
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
    std::uniform_int_distribution<std::size_t> pickPattern(0, std::size(kAll) - 1);
    std::uniform_int_distribution<std::size_t> pickTag(0, std::size(kTags) - 1);
    std::uniform_int_distribution<int> length(0, 14);
    std::uniform_int_distribution<int> opening(0, 5);
    for (int round = 0; round < 2000; ++round) {
        // Only a line that opens with a key after blanks can match: most lines are made so.
        std::string line;
        for (int i = opening(random); i > 2; --i)
            line += i % 2 ? "\t" : " ";
        const int start = opening(random);
        if (start < 3)
            line += kAll[pickPattern(random)]->Keyword;
        else if (start == 3)
            line += kTags[pickTag(random)];
        const int n = length(random);
        for (int i = 0; i < n; ++i)
            line += tokens[pick(random)];
        for (const LinePattern* pattern : kAll) {
            const std::string difference = Difference(*pattern, line);
            ASSERT_EQ(difference, "");
        }
        ASSERT_EQ(TagDifference(line), "");
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
        for (const LinePattern* pattern : kAll)
            ASSERT_EQ(Difference(*pattern, std::string(line)), "");
        ASSERT_EQ(TagDifference(std::string(line)), "");
        for (const char* tag : kTags) {
            std::string head, tail;
            EXPECT_EQ(ContainsTag(line, tag), CPtnMatch::SplitFirst(line, tag, head, tail) == 1);
        }
        ++count;
    }
    EXPECT_GT(count, 100);
}

TEST(LinePatterns, TagsRespectCharacterBoundaries)
{
    EXPECT_TRUE(ContainsTag("\t</data>", "</data>"));
    EXPECT_FALSE(ContainsTag("\t</data>", "<data>"));
    EXPECT_FALSE(ContainsTag("\x82<data>", "<data>"));  // '<' taken as a trail byte
    EXPECT_TRUE(ContainsTag(Cp932("表") + "<data>", "<data>"));
    for (const std::string& line : {std::string("\x82<data>"), std::string("a\x82<data>x"),
                                   Cp932("表<data>")}) {
        std::string head, tail;
        EXPECT_EQ(ContainsTag(line, "<data>"), CPtnMatch::SplitFirst(line, "<data>", head, tail) == 1)
            << line;
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
