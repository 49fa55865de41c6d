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

enum class Attempt { Matched, Failed, NoMatchAtAll };

// The digit groups after "=": each an optional run of dashes, a run of digits, separated by a
// comma (and blanks when loose); every choice of the lazy repetitions is forced because each
// element's characters differ from the next element's.
Attempt NumbersAt(const LinePattern& pat, std::string_view s, std::size_t p, LineGroups& groups)
{
    const std::size_t n = s.size();
    for (int g = 0; g < pat.Groups; ++g) {
        if (g > 0) {
            if (p >= n || s[p] != ',')
                return Attempt::Failed;
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
            return Attempt::Failed;
        groups[static_cast<std::size_t>(g)] = s.substr(start, p - start);
    }
    if (pat.Close != 0 && (p >= n || s[p] != pat.Close))
        return Attempt::Failed;
    if (pat.AtEnd && p != n)
        return Attempt::Failed;
    return Attempt::Matched;
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

bool MatchLine(const LinePattern& pat, std::string_view s, LineGroups& groups)
{
    const std::string_view keyword(pat.Keyword);
    const std::size_t n = s.size();
    if (n < keyword.size() || !std::memchr(s.data(), keyword.front(), n))
        return false;

    // Start of the last blank character, for the "no blank up to the end" test; computed once.
    std::size_t lastBlankEnd = 0;  // one past the last blank character, 0 when there is none
    bool blanksKnown = false;

    for (std::size_t i = 0; i + keyword.size() <= n; i += CharWidth(s, i)) {
        if (s[i] != keyword.front() || s.compare(i, keyword.size(), keyword) != 0)
            continue;
        std::size_t p = i + keyword.size();
        if (pat.BlanksAroundEquals)
            p = SkipBlanks(s, p);
        if (p >= n || s[p] != '=')
            continue;
        ++p;
        if (pat.BlanksAroundEquals)
            p = SkipBlanks(s, p);

        switch (pat.Shape) {
        case LineShape::Numbers:
            if (NumbersAt(pat, s, p, groups) == Attempt::Matched)
                return true;
            continue;
        case LineShape::RestOfLine:
            // The pattern occurs here whatever follows; the group needs a first character.
            if (p >= n)
                return false;
            groups[0] = s.substr(p);
            return true;
        case LineShape::NoBlankToEnd:
            // Nothing but blanks after "=": the pattern occurs (an exclusion matches at the end)
            // but cannot be split into its groups, so the whole match fails.
            if (p >= n)
                return false;
            if (!blanksKnown) {
                for (std::size_t k = 0; k < n; k += CharWidth(s, k))
                    if (IsBlank(s[k]))
                        lastBlankEnd = k + 1;
                blanksKnown = true;
            }
            if (lastBlankEnd <= p) {
                groups[0] = s.substr(p);
                return true;
            }
            continue;
        }
    }
    return false;
}
