#include "linepatterns.h"

#include "core/cp932.h"

#include <cstring>

namespace {

bool IsLead(char c)
{
    return IsCp932LeadByte(static_cast<unsigned char>(c));
}
bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Width of the character at i: a lead byte takes the next byte with it, whatever that byte is.
std::size_t CharWidth(std::string_view s, std::size_t i)
{
    return (IsLead(s[i]) && i + 1 < s.size()) ? 2 : 1;
}

std::size_t SkipBlanks(std::string_view s, std::size_t p)
{
    while (p < s.size() && IsBlank(s[p]))
        ++p;
    return p;
}

// The digit groups after "=": each an optional run of dashes, a run of digits, separated by a
// comma (and blanks when loose); every choice of the lazy repetitions is forced because each
// element's characters differ from the next element's.
bool NumbersAt(const LinePattern& pat, std::string_view s, std::size_t p, LineGroups& groups)
{
    const std::size_t n = s.size();
    for (int g = 0; g < pat.Groups; ++g) {
        if (g > 0) {
            if (p >= n || s[p] != ',')
                return false;
            ++p;
            if (pat.LooseComma)
                p = SkipBlanks(s, p);
        }
        const std::size_t start = p;
        if (pat.Dashes)
            while (p < n && s[p] == '-')
                ++p;
        const std::size_t digits = p;
        while (p < n && IsDigit(s[p]))
            ++p;
        if (p == digits)
            return false;
        groups[static_cast<std::size_t>(g)] = s.substr(start, p - start);
    }
    if (pat.Close != 0 && (p >= n || s[p] != pat.Close))
        return false;
    if (pat.AtEnd && p != n)
        return false;
    return true;
}

}  // namespace

bool ContainsTag(std::string_view line, std::string_view tag)
{
    if (tag.empty() || line.size() < tag.size())
        return false;
    const char first = tag.front();
    // Most lines hold no candidate byte at all; only then is a careful walk needed.
    if (!std::memchr(line.data(), first, line.size()))
        return false;
    const std::size_t last = line.size() - tag.size();
    for (std::size_t i = 0; i <= last; i += CharWidth(line, i))
        if (line[i] == first && line.compare(i, tag.size(), tag) == 0)
            return true;
    return false;
}

bool OpensWithTag(std::string_view line, std::string_view tag)
{
    const std::size_t p = SkipBlanks(line, 0);
    return !tag.empty() && line.size() - p >= tag.size() && line.compare(p, tag.size(), tag) == 0;
}

bool MatchLine(const LinePattern& pat, std::string_view s, LineGroups& groups)
{
    // "^\s*": only the first non-blank character can open the keyword.
    const std::string_view keyword(pat.Keyword);
    const std::size_t n = s.size();
    std::size_t p = SkipBlanks(s, 0);
    if (n - p < keyword.size() || s.compare(p, keyword.size(), keyword) != 0)
        return false;
    p += keyword.size();
    if (pat.BlanksAroundEquals)
        p = SkipBlanks(s, p);
    if (p >= n || s[p] != '=')
        return false;
    ++p;
    if (pat.BlanksAroundEquals)
        p = SkipBlanks(s, p);

    switch (pat.Shape) {
    case LineShape::Numbers:
        return NumbersAt(pat, s, p, groups);
    case LineShape::RestOfLine:
        // The group needs a first character, and the blanks before it went with the "=".
        if (p >= n)
            return false;
        groups[0] = s.substr(p);
        return true;
    }
    return false;
}
