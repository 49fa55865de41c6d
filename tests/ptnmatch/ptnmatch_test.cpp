#include "literalmatcher.h"

#include "core/cp932.h"
#include "mapfile/ptnmatch.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Error = CPtnMatch::Error;
using Groups = std::vector<std::string>;

struct MatchCase {
    const char* Name;
    std::string Text;
    std::string Pattern;
    bool Ok;
    Groups Expected;  // checked only when Ok
};

// Japanese literals of the cases are written in UTF-8 and turned into CP932 bytes here.
std::string J(const char* utf8)
{
    return Cp932(utf8);
}

std::vector<MatchCase> Cases()
{
    const std::string rect = "Rect\\s*\\=\\s*(\\d+),\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)";
    const std::string intOptions =
        "IntOptions\\s*\\=\\s*(\\-*\\d+)\\,(\\-*\\d+)\\,(\\-*\\d+)\\,(\\-*\\d+)";
    return {
        // Lines of a map file as the reader matches them.
        {"rect", "\t\tRect = 3,4,15,6", rect, true, {"3", "4", "15", "6"}},
        {"rect_spaces", "\t\tRect = 3, 4, 15, 6", rect, true, {"3", "4", "15", "6"}},
        {"chipsize", "\tChipSize = 16,24", "ChipSize\\s*\\=\\s*(\\d+)\\,(\\d+)", true,
         {"16", "24"}},
        {"chipsize_space", "\tChipSize = 16, 24", "ChipSize\\s*\\=\\s*(\\d+)\\,(\\d+)", false, {}},
        {"intoptions", "\tIntOptions = -1,0,5,-20", intOptions, true, {"-1", "0", "5", "-20"}},
        {"type_negative", "\t\tType = -1", "Type\\s*\\=\\s*(\\d+)$", false, {}},
        {"type", "\t\tType = 12", "Type\\s*\\=\\s*(\\d+)$", true, {"12"}},
        {"type_suffix", "\t\tType = 12x", "Type\\s*\\=\\s*(\\d+)$", false, {}},
        {"size_greedy_last", "\t\tSize = 12abc", "Size\\s*\\=\\s*(\\d+)", true, {"12"}},
        {"text", "\t\tText = abc", "Text\\s*\\=\\s*(\\S+)$", true, {"abc"}},
        {"text_space", "\t\tText = ab cd", "Text\\s*\\=\\s*(\\S+)$", false, {}},
        {"text_empty", "\t\tText = ", "Text\\s*\\=\\s*(\\S+)$", false, {}},
        {"map_with_space", "\t\tMap = [MapFolder]town 2.mpx", "Map\\s*\\=\\s*(\\S{1,1}.*)$", true,
         {"[MapFolder]town 2.mpx"}},
        {"rem_empty", "\t\tRem = ", "Rem\\s*\\=\\s*(\\S{1,1}.*)$", false, {}},
        {"textoption_trailing_space", "\tTextOption = abc ", "TextOption\\s*\\=\\s*(\\S{1,1}.*)$",
         true, {"abc "}},
        {"chip_page", "<chip page=3>", "<chip page\\=(\\d+)>", true, {"3"}},
        {"map_page", "<map page=12>", "<map page\\=(\\d+)>", true, {"12"}},
        {"not_anchored", "xMapSize = 5,5", "MapSize\\s*\\=\\s*(\\d+)\\,(\\d+)", true, {"5", "5"}},
        {"longer_key", "\tSaveEventMap = 1", "SaveEvent\\s*\\=\\s*(\\d+)", false, {}},
        {"name", "\tName = LY0", "Name\\s*\\=\\s*(\\S+)$", true, {"LY0"}},
        {"any_at_end", "a", "a.", true, {"a"}},
        {"nonblank_at_end", "a", "a\\S", true, {"a"}},
        {"whole_occurrence", "xxabyy", "ab", true, {"ab"}},

        // Faults never match.
        {"nested_group", "aab", "((a)b)", false, {}},
        {"unclosed_group", "ab", "(ab", false, {}},
        {"unopened_group", "ab", "ab)", false, {}},
        {"minus_outside", "a-b", "a-b", false, {}},
        {"close_without_open", "a]", "a]", false, {}},
        {"bracket_in_bracket", "a", "[[a]]", false, {}},
        {"bad_quantifier_letter", "aa", "a{x}", false, {}},
        {"bad_quantifier_comma", "aa", "a{1,2,3}", false, {}},
        {"bad_quantifier_open", "aa", "a{2", false, {}},
        {"lone_backslash", "a\\", "a\\", false, {}},
        {"empty_groups_only", "a", "()", false, {}},
        {"empty_text", "", "a*", false, {}},
        {"empty_pattern", "a", "", false, {}},

        // Quantifiers.
        {"exact", "aaaa", "a{3}", true, {"aaa"}},
        {"exact_short", "aa", "a{3}", false, {}},
        {"at_least", "baaaaa", "ba{3,}", true, {"baaaaa"}},
        {"at_least_short", "baa", "ba{3,}", false, {}},
        {"at_most", "baaa", "ba{,2}", true, {"baa"}},
        {"empty_braces", "bc", "ba{}c", true, {"bc"}},
        {"empty_braces_refuse", "bac", "ba{}c", false, {}},
        {"zero", "bc", "ba{0}c", true, {"bc"}},
        {"zero_zero_unbounded", "baaa", "ba{0,0}", true, {"baaa"}},
        {"reversed_braces_literal", "xaaaaa{5,2}", "a{5,2}", true, {"aaaaa{5,2}"}},
        {"reversed_braces_need_text", "aaaaa", "a{5,2}", false, {}},
        {"star", "bc", "ba*c", true, {"bc"}},
        {"plus", "bc", "ba+c", false, {}},
        {"question", "bac", "ba?c", true, {"bac"}},
        {"lazy_then_greedy", "aaa", "(a+)(a*)", true, {"a", "aa"}},
        {"lazy_digits", "1234", "(\\d+)(\\d+)", true, {"1", "234"}},
        {"lazy_first_x", "abxcx", "(.*)x", true, {"ab"}},
        // The quantifier left outside the group is a literal "*" in the rest.
        {"quantified_group", "aaab", "(a)*b", false, {}},

        // Negation, brackets, ranges.
        {"negated_literal", "aab c", "(!a+)", true, {"b c"}},
        {"negated_class", "x5xy", "x!\\d", true, {"xy"}},
        {"negated_complement", "ab12c", "(!\\D+)", true, {"12"}},
        {"bracket_range", "xxbcaz", "([a-c]+)", true, {"bca"}},
        {"negated_bracket", "12ab3", "(![0-9]+)", true, {"ab"}},
        {"bracket_class", "a1_2b", "([\\d_]+)", true, {"1_2"}},
        {"bracket_start_entry", "xb", "[^x]b", false, {}},
        {"bracket_start_entry_at_start", "bb", "[^x]b", true, {"b"}},
        {"escaped_paren", "x(a)", "\\(a\\)", true, {"(a)"}},
        {"escaped_dot", "axb", "a\\.b", false, {}},
        {"escaped_dot_match", "a.b", "a\\.b", true, {"a.b"}},
        {"escaped_minus", "a-b", "a\\-b", true, {"a-b"}},
        {"caret_anchor", "ab", "^b", false, {}},
        {"dollar_anchor", "abab", "(ab)$", true, {"ab"}},
        {"dollar_only", "abc", "$", true, {""}},

        // Classes.
        {"class_d", "ab123c", "(\\d+)", true, {"123"}},
        {"class_D", "12ab3", "(\\D+)", true, {"ab"}},
        {"class_s", "a \t b", "a(\\s+)b", true, {" \t "}},
        {"class_S", "  ab c", "(\\S+)", true, {"ab"}},
        {"class_p", "a \x81\x40\tb", "a(\\p+)b", true, {" \x81\x40\t"}},
        {"class_P", "  xy\x81\x40", "(\\P+)", true, {"xy"}},
        {"class_l", "a\x05\x1f \x81\x40" "b", "a(\\l+)b", true, {"\x05\x1f \x81\x40"}},
        {"class_L", " \x01xy ", "(\\L+)", true, {"\x01xy"}},
        {"class_w", "--a_Z9--", "(\\w+)", true, {"a_Z9"}},
        {"class_W", "--a_Z9--", "(\\W+)", true, {"a"}},
        {"class_t", "xa\tb", "a\\tb", true, {"a\tb"}},
        {"class_n", "xa\nb", "a\\nb", true, {"a\nb"}},
        {"class_r", "xa\rb", "a\\rb", true, {"a\rb"}},
        {"class_f", "xa\fb", "a\\fb", true, {"a\fb"}},
        {"any_not_lf", "a\nb", "a.b", false, {}},
        {"any_lone_cr", "a\rb", "a.b", true, {"a\rb"}},
        {"any_not_crlf", "a\r\n", "(a.)", false, {}},
        {"any_cr_other", "a\rx", "(a.)", true, {"a\r"}},

        // Double-byte text.
        {"wide_literal", J("表5"), J("表") + "(\\d)", true, {"5"}},
        {"trail_is_no_backslash", J("表"), "(\\\\)", false, {}},
        {"trail_is_no_letter", J("ア"), "(A)", false, {}},
        {"any_over_wide", J("aあb"), "a(.)b", true, {J("あ")}},
        {"wide_range", J("xあいうx"), "([" + J("あ") + "-" + J("ん") + "]+)", true, {J("あいう")}},
        {"wide_range_miss", J("ア"), "([" + J("あ") + "-" + J("ん") + "]+)", false, {}},
        {"nonblank_wide", J("表 x"), "(\\S+)", true, {J("表")}},
        {"wide_value", J("Text = 地図"), "Text\\s*\\=\\s*(\\S+)$", true, {J("地図")}},
    };
}

class MatchTable : public testing::TestWithParam<MatchCase> {};

TEST_P(MatchTable, GivesTheGroupsOfTheFirstOccurrence)
{
    const MatchCase& c = GetParam();
    Groups groups;
    const bool ok = CPtnMatch::Match(c.Text, c.Pattern, groups);
    EXPECT_EQ(ok, c.Ok);
    if (c.Ok && ok) {
        EXPECT_EQ(groups, c.Expected);
    }

    // The table is also the oracle's: the fast matcher must agree with the plain rules.
    Groups literalGroups;
    EXPECT_EQ(literal::Match(c.Text, c.Pattern, literalGroups), ok);
    if (ok) {
        EXPECT_EQ(literalGroups, groups);
    }
}

INSTANTIATE_TEST_SUITE_P(PtnMatch, MatchTable, testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(PtnMatchError, TellsWhichElementFailed)
{
    Groups g;
    EXPECT_FALSE(CPtnMatch::Match("abc", "a{x}", g));
    EXPECT_EQ(CPtnMatch::LastError(), Error::BadQuantifier);
    EXPECT_FALSE(CPtnMatch::Match("abc", "b-", g));
    EXPECT_EQ(CPtnMatch::LastError(), Error::BadElement);
    // The faulty element is never reached when no attempt gets past "b".
    EXPECT_FALSE(CPtnMatch::Match("xyz", "b-", g));
    EXPECT_EQ(CPtnMatch::LastError(), Error::None);
    EXPECT_TRUE(CPtnMatch::Match("abc", "(b)", g));
    EXPECT_EQ(CPtnMatch::LastError(), Error::None);
}

TEST(PtnMatchSplit, CutsAtGroups)
{
    std::vector<CPtnMatch::CParA> parts;
    ASSERT_TRUE(CPtnMatch::SplitPattern("Rect\\s*\\=(\\d+),x\\(()", parts));
    ASSERT_EQ(parts.size(), 3u);
    EXPECT_EQ(parts[0].Capture, 0);
    EXPECT_EQ(parts[0].Pattern, "Rect\\s*\\=");
    EXPECT_EQ(parts[1].Capture, 1);
    EXPECT_EQ(parts[1].Pattern, "\\d+");
    EXPECT_EQ(parts[2].Capture, 0);
    EXPECT_EQ(parts[2].Pattern, ",x\\(");

    ASSERT_TRUE(CPtnMatch::SplitPattern("abc", parts));
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].Capture, 1);

    // A trail byte that looks like "(" does not open a group.
    ASSERT_TRUE(CPtnMatch::SplitPattern("\x81(a", parts));
    EXPECT_EQ(parts[0].Pattern, "\x81(a");

    EXPECT_FALSE(CPtnMatch::SplitPattern("(a(b))", parts));
    EXPECT_TRUE(parts.empty());
    EXPECT_FALSE(CPtnMatch::SplitPattern("a)", parts));
    EXPECT_FALSE(CPtnMatch::SplitPattern("(a", parts));
    EXPECT_FALSE(CPtnMatch::SplitPattern("", parts));
}

struct QuantifierCase {
    const char* Text;
    int Used;
    int Min;
    int Max;
};

TEST(PtnMatchCompile, ReadsQuantifiers)
{
    const QuantifierCase cases[] = {
        {"", 0, 1, 1},       {"x", 0, 1, 1},       {"*", 1, 0, -1},      {"+", 1, 1, -1},
        {"?", 1, 0, 1},      {"{3}", 3, 3, 3},     {"{3,}", 4, 3, -1},   {"{,2}", 4, 0, 2},
        {"{}", 2, 0, 0},     {"{0}", 3, 0, 0},     {"{0,0}", 5, 0, -1},  {"{5,2}", 0, 5, 2},
        {"{2,5}", 5, 2, 5},  {"{x}", -1, 0, 0},    {"{1,2,3}", -1, 0, 0}, {"{2", -1, 0, 0},
        {"{ 2}", -1, 0, 0},
    };
    for (const QuantifierCase& c : cases) {
        CPtnMatch::Element el;
        EXPECT_EQ(CPtnMatch::CompileQuantifier(c.Text, 0, el), c.Used) << c.Text;
        if (c.Used >= 0) {
            EXPECT_EQ(el.Min, c.Min) << c.Text;
            EXPECT_EQ(el.Max, c.Max) << c.Text;
        }
    }
}

struct ElementCase {
    std::string Pattern;
    int Used;
    std::string Include;
    std::string Exclude;
};

TEST(PtnMatchCompile, BuildsSets)
{
    const ElementCase cases[] = {
        {"a", 1, "a", ""},
        {"\\d", 2, "0\x04" "9", ""},
        {"\\D", 2, "", "0\x04" "9"},
        {"!\\d", 3, "", "0\x04" "9"},
        {"!\\D", 3, "0\x04" "9", ""},
        {"\\p", 2, " \t\x81\x40", ""},
        {"[a-c]", 5, "a\x04" "c", ""},
        {"![ab]", 5, "", "ab"},
        {"[a!b]", 5, "a", "b"},
        {"[^$.]", 5, "\x01\x02\x03", ""},
        {"\\-", 2, "-", ""},
        {"\\\x95\x5C", 3, "\x95\x5C", ""},
        {"\x95\x5C", 2, "\x95\x5C", ""},
        {"", 0, "", ""},
        {"[", -1, "", ""},
        {"[ab", -1, "", ""},
        {"]", -1, "", ""},
        {"-", -1, "", ""},
        {"!", -1, "", ""},
        {"[[a]]", -1, "", ""},
        {"\\", -1, "", ""},
    };
    for (const ElementCase& c : cases) {
        CPtnMatch::Element el;
        EXPECT_EQ(CPtnMatch::CompileElement(c.Pattern, 0, false, false, el), c.Used) << c.Pattern;
        if (c.Used > 0) {
            EXPECT_EQ(el.Include, c.Include) << c.Pattern;
            EXPECT_EQ(el.Exclude, c.Exclude) << c.Pattern;
        }
    }
}

TEST(PtnMatchAt, StopTakesTheLastElementsMinimum)
{
    std::size_t consumed = 0;
    EXPECT_TRUE(CPtnMatch::MatchAt("aaa", 0, "a+", true, false, consumed));
    EXPECT_EQ(consumed, 3u);
    EXPECT_TRUE(CPtnMatch::MatchAt("aaa", 0, "a+", true, true, consumed));
    EXPECT_EQ(consumed, 1u);
    // On failure, what was taken before the attempt failed.
    EXPECT_FALSE(CPtnMatch::MatchAt("aab", 0, "a+c", true, false, consumed));
    EXPECT_EQ(consumed, 2u);
    // A repetition whose positions a nested try already walked still takes them all.
    EXPECT_FALSE(CPtnMatch::MatchAt("abc", 0, ".?.*y", true, false, consumed));
    EXPECT_EQ(consumed, 3u);
    // The start entry holds only where the search began.
    EXPECT_TRUE(CPtnMatch::MatchAt("ab", 0, "^a", true, false, consumed));
    EXPECT_FALSE(CPtnMatch::MatchAt("ab", 0, "^a", false, false, consumed));
    // A mandatory element at the end of the text decides the whole attempt.
    EXPECT_TRUE(CPtnMatch::MatchAt("a", 0, "a.x", true, false, consumed));
}

TEST(PtnFindFirst, StepsOverCharacters)
{
    auto f = CPtnMatch::FindFirst("xxab", 0, "ab", true);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->Offset, 2u);
    EXPECT_EQ(f->Length, 2u);
    f = CPtnMatch::FindFirst("xxab", 1, "ab", false);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->Offset, 1u);
    // Past the last character only an end entry first can match.
    f = CPtnMatch::FindFirst("abc", 0, "$x", true);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->Offset, 3u);
    EXPECT_EQ(f->Length, 0u);
    EXPECT_FALSE(CPtnMatch::FindFirst("", 0, "a", true));
    // The trail byte of 表 is not a character position.
    EXPECT_FALSE(CPtnMatch::FindFirst(J("表"), 0, "\\\\", true));
}

// Random patterns and texts over a small alphabet: the fast matcher must give exactly the
// oracle's answer, groups and error indicator.
TEST(PtnMatchOracle, AgreesOnRandomPatterns)
{
    const std::vector<std::string> tokens = {
        "a", "b", "1", " ", "\\d", "\\D", "\\s", "\\S", "\\w", ".", "^", "$", "[ab]", "[a-c]",
        "[!a]", "!a", "!\\d", "!^", "!$", "[^b]", "[$]", "(", ")", "*", "+", "?", "{2}",
        "{1,}", "{,2}", "{2,1}", "{}", "{0,0}", "\\-", "\\=", "=", "-", "]", "[]", J("あ"),
        J("[あ-う]"), "\\p", "\\l", "\\P", "{x}",
    };
    const std::vector<std::string> chars = {
        "a", "b", "c", "1", "2", " ", "=", "-", "\t", "\r", "\n", J("あ"), J("い"), J("表"),
    };
    std::mt19937 rng(20240611);
    auto pick = [&](const std::vector<std::string>& from) {
        return from[std::uniform_int_distribution<std::size_t>(0, from.size() - 1)(rng)];
    };
    int matched = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string pattern;
        const int plen = std::uniform_int_distribution<int>(1, 7)(rng);
        for (int k = 0; k < plen; ++k)
            pattern += pick(tokens);
        std::string text;
        // Every tenth text is long enough for repetitions to walk over earlier failures.
        const int tlen = std::uniform_int_distribution<int>(0, i % 10 == 0 ? 60 : 10)(rng);
        for (int k = 0; k < tlen; ++k)
            text += pick(chars);

        Groups fast;
        Groups plain;
        const bool ok = CPtnMatch::Match(text, pattern, fast);
        const Error fastError = CPtnMatch::LastError();
        ASSERT_EQ(ok, literal::Match(text, pattern, plain)) << "pattern " << pattern
                                                             << " text " << text;
        ASSERT_EQ(fastError, literal::LastError()) << "pattern " << pattern << " text " << text;
        if (ok) {
            ASSERT_EQ(fast, plain) << "pattern " << pattern << " text " << text;
            ++matched;
        }
    }
    // The generator must exercise matches as well as failures.
    EXPECT_GT(matched, 1000);
}

}  // namespace
