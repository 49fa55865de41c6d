#include "fuzzbodies.h"

#include "fuzzcheck.h"

#include "mapfile/linepatterns.h"
#include "mapfile/ptnmatch.h"

#include <string>
#include <string_view>
#include <vector>

namespace {

// The reader's patterns, compiled once, must answer as the matcher does with their text.
void CheckLinePattern(MapLine kind, std::string_view line)
{
    LineGroups fast;
    const bool fastMatch = MatchLine(kind, line, fast);
    std::vector<std::string> groups;
    const bool slowMatch = CPtnMatch::Match(line, PatternOf(kind).Text, groups);
    FUZZ_CHECK(fastMatch == slowMatch, "line pattern and matcher disagree on a match");
    if (!slowMatch)
        return;
    FUZZ_CHECK(groups.size() == static_cast<size_t>(PatternOf(kind).Groups) &&
                   fast.size() == groups.size(),
               "matcher returned another number of groups");
    for (size_t i = 0; i < groups.size(); ++i)
        FUZZ_CHECK(fast[i] == groups[i], "line pattern and matcher disagree on a group");
}

void CheckStringOperations(std::string_view text, std::string_view sep)
{
    std::vector<std::string> pieces;
    const int count = CPtnMatch::SplitString(text, sep, pieces);
    FUZZ_CHECK(count >= 1 && static_cast<size_t>(count) == pieces.size(), "split count");
    std::string replaced(text);
    const int replacements = CPtnMatch::ReplaceAll(replaced, sep, "[X]");
    FUZZ_CHECK(replacements == count - 1 || (sep.empty() && replacements == 0),
               "replacements do not match the pieces");
    std::string folder, base, ext;
    CPtnMatch::SplitPathExt(folder, base, ext, text);
    FUZZ_CHECK(folder.size() + base.size() + ext.size() <= text.size(), "path parts too long");
    for (int i = -1; i <= static_cast<int>(text.size()); ++i) {
        const int type = CPtnMatch::GetByteType(text, i);
        FUZZ_CHECK(type >= -1 && type <= 2, "byte type out of range");
    }
}

// Patterns come from the program, never from a file: its longest has ten quantified elements.
// A backtracking matcher needs time exponential in the number of optional elements in a row,
// so free patterns with many more quantifiers than the program's are left out; hostile text is
// what the matcher must survive, and the line mode above covers it.
bool WithinProgramPatternShape(std::string_view pattern)
{
    int quantifiers = 0;
    for (char c : pattern)
        if (c == '?' || c == '*' || c == '+' || c == '{')
            ++quantifiers;
    return quantifiers <= 12;
}

}  // namespace

void FuzzPatternInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return;
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    const uint8_t mode = data[0];
    if (mode & 1) {
        // A line against one of the reader's patterns. A line never holds a line feed: the
        // reader splits there.
        if (input.find('\n') != std::string_view::npos)
            return;
        CheckLinePattern(static_cast<MapLine>((mode >> 1) % MapLinePatterns.size()), input);
        return;
    }
    // Free pattern and text: the pattern up to the first zero byte, the text after it.
    const size_t cut = input.find('\0');
    const std::string_view pattern = input.substr(0, cut);
    const std::string_view text = cut == std::string_view::npos ? std::string_view()
                                                                : input.substr(cut + 1);
    std::vector<std::string> groups;
    if (WithinProgramPatternShape(pattern) && CPtnMatch::Match(text, pattern, groups)) {
        for (const std::string& group : groups)
            FUZZ_CHECK(group.size() <= text.size(), "a group longer than the text");
    }
    CheckStringOperations(text, pattern.substr(0, 4));
}
