// Very long lines against the map file reader's patterns: they must neither exhaust the stack
// nor change the answer. Each shape is also checked against the plain rules at a small size.
#include "literalmatcher.h"

#include "mapfile/linepatterns.h"
#include "mapfile/ptnmatch.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

using Groups = std::vector<std::string>;

const char* const kRect = "Rect\\s*\\=\\s*(\\d+),\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)";
const char* const kMap = "Map\\s*\\=\\s*(\\S{1,1}.*)$";
const char* const kIntOptions =
    "IntOptions\\s*\\=\\s*(\\-*\\d+)\\,(\\-*\\d+)\\,(\\-*\\d+)\\,(\\-*\\d+)";
const char* const kText = "Text\\s*\\=\\s*(\\S+)$";
const char* const kMapPage = "<map page\\=(\\d+)>";
const char* const kSize = "Size\\s*\\=\\s*(\\d+)";

struct Shape {
    const char* Name;
    std::function<std::string(std::size_t)> Line;
    const char* Pattern;
    bool Ok;
    std::function<Groups(std::size_t)> Expected;
};

std::string Run(char c, std::size_t n)
{
    return std::string(n, c);
}

std::string Repeat(const std::string& s, std::size_t n)
{
    std::string out;
    out.reserve(s.size() * n);
    for (std::size_t i = 0; i < n; ++i)
        out += s;
    return out;
}

Groups None(std::size_t)
{
    return {};
}

std::vector<Shape> Shapes()
{
    return {
        {"rect_spaces", [](std::size_t n) { return "\t\tRect = " + Run(' ', n); }, kRect, false,
         None},
        {"rect_long_number",
         [](std::size_t n) { return "\t\tRect = " + Run('7', n) + ",2, 3,4"; }, kRect, true,
         [](std::size_t n) { return Groups{Run('7', n), "2", "3", "4"}; }},
        {"rect_digits_only", [](std::size_t n) { return "\t\tRect = " + Run('7', n); }, kRect,
         false, None},
        {"rect_spaced_digits", [](std::size_t n) { return "\t\tRect = " + Repeat("1 ", n / 2); },
         kRect, false, None},
        {"map_trailing_spaces", [](std::size_t n) { return "\t\tMap = a" + Run(' ', n); }, kMap,
         // Appended, not "a" + Run(...): GCC 12 reads that as an overlapping copy (-Wrestrict).
         true, [](std::size_t n) { return Groups{std::string("a").append(Run(' ', n))}; }},
        {"map_spaces_only", [](std::size_t n) { return "\t\tMap = " + Run(' ', n); }, kMap, false,
         None},
        {"intoptions_dashes",
         [](std::size_t n) { return "\tIntOptions = " + Run('-', n) + "1,2,-3,4"; }, kIntOptions,
         true, [](std::size_t n) { return Groups{Run('-', n) + "1", "2", "-3", "4"}; }},
        {"intoptions_digits", [](std::size_t n) { return "\tIntOptions = " + Run('5', n); },
         kIntOptions, false, None},
        {"repeated_keys", [](std::size_t n) { return Repeat("Text=", n / 5) + " x"; }, kText,
         true, [](std::size_t) { return Groups{"x"}; }},
        {"unclosed_tag", [](std::size_t n) { return "<map page=" + Run('1', n); }, kMapPage,
         false, None},
        {"repeated_tags", [](std::size_t n) { return Repeat("<map page=1", n / 11) + ">"; },
         kMapPage, true, [](std::size_t) { return Groups{"1"}; }},
        {"size_long_number", [](std::size_t n) { return "\t\tSize = " + Run('9', n) + "x"; },
         kSize, true, [](std::size_t n) { return Groups{Run('9', n)}; }},
    };
}

class HostileLine : public testing::TestWithParam<Shape> {};

TEST_P(HostileLine, SmallLineAgreesWithThePlainRules)
{
    const Shape& s = GetParam();
    const std::size_t n = 300;
    const std::string line = s.Line(n);
    Groups fast;
    Groups plain;
    const bool ok = CPtnMatch::Match(line, s.Pattern, fast);
    EXPECT_EQ(ok, s.Ok);
    EXPECT_EQ(literal::Match(line, s.Pattern, plain), ok);
    if (ok) {
        EXPECT_EQ(fast, s.Expected(n));
        EXPECT_EQ(plain, fast);
    }
}

TEST_P(HostileLine, MegabyteLineGivesTheSameAnswer)
{
    const Shape& s = GetParam();
    const std::size_t n = 1 << 20;
    Groups groups;
    const bool ok = CPtnMatch::Match(s.Line(n), s.Pattern, groups);
    EXPECT_EQ(ok, s.Ok);
    if (ok && s.Ok) {
        EXPECT_EQ(groups, s.Expected(n));
    }
}

INSTANTIATE_TEST_SUITE_P(PtnMatch, HostileLine, testing::ValuesIn(Shapes()),
                         [](const auto& info) { return std::string(info.param.Name); });

// The reader's own patterns, as it has them compiled, on megabyte lines: each answers as the
// plain rules do on the same line at a small size.
TEST(HostileLine, ReaderPatternsOnMegabyteLines)
{
    const struct {
        MapLine Kind;
        const char* Opening;
    } kinds[] = {
        {MapLine::Rect, "\t\tRect = "},      {MapLine::IntOptions, "\tIntOptions = "},
        {MapLine::Map, "\t\tMap = "},        {MapLine::Text, "\t\tText = "},
        {MapLine::EventType, "\t\tType = "}, {MapLine::MapPageTag, "<map page="},
        {MapLine::DataClose, "\t"},
    };
    const char* const fills[] = {" ", "7", "1 "};
    for (const auto& kind : kinds) {
        for (const char* fill : fills) {
            const auto line = [&](std::size_t n) {
                return kind.Opening + Repeat(fill, n / std::strlen(fill)) + ",1,2,3>";
            };
            Groups plain;
            const bool expected =
                literal::Match(line(300), PatternOf(kind.Kind).Text, plain);
            LineGroups groups;
            EXPECT_EQ(MatchLine(kind.Kind, line(1 << 20), groups), expected)
                << PatternOf(kind.Kind).Text << " with " << fill;
            if (expected) {
                EXPECT_EQ(groups.size(), plain.size());
            }
        }
    }
}

}  // namespace
