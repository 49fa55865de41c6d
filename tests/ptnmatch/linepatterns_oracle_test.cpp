// The map file reader's patterns, compiled once, against the plain transcription of the rules:
// the shortcuts of a compiled pattern (literals every occurrence holds, a "^" tried only at the
// start) must not change an answer.
#include "literalmatcher.h"

#include "core/cp932.h"
#include "mapfile/linepatterns.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

TEST(LinePatternsOracle, AgreeWithThePlainRules)
{
    const std::vector<std::string> keys = {
        "Rect", "Map", "Text", "Size", "Name", "View", "ChipSize", "IntOptions", "Type", "Color",
        "SaveEvent", "TextOption", "<map page", "<data>", "</property>", "x", ""};
    const std::vector<std::string> openings = {"", "\t", " \t", "x"};
    const std::vector<std::string> equals = {"=", " = ", " =", "= ", ""};
    const std::vector<std::string> tokens = {
        " ", "\t", "=", ",", ", ", "-", "0", "7", "12", "x", "$", ">", Cp932("表"), "\x82",
        "Rect", "Map =", "data>"};
    std::mt19937 random(4711);
    const auto pick = [&](const std::vector<std::string>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(random)];
    };
    std::uniform_int_distribution<int> length(0, 7);
    int matched = 0;
    for (int round = 0; round < 1500; ++round) {
        std::string line = pick(openings) + pick(keys) + pick(equals);
        const int n = length(random);
        for (int i = 0; i < n; ++i)
            line += pick(tokens);
        for (std::size_t k = 0; k < MapLinePatterns.size(); ++k) {
            LineGroups groups;
            const bool ok = MatchLine(static_cast<MapLine>(k), line, groups);
            std::vector<std::string> plain;
            ASSERT_EQ(ok, literal::Match(line, MapLinePatterns[k].Text, plain))
                << MapLinePatterns[k].Text << " on [" << line << "]";
            if (!ok)
                continue;
            ASSERT_EQ(std::vector<std::string>(groups.begin(), groups.end()), plain)
                << MapLinePatterns[k].Text << " on [" << line << "]";
            ++matched;
        }
    }
    EXPECT_GT(matched, 100);  // the lines must reach matches, not only failures
}

}  // namespace
