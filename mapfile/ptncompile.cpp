// Compiling pattern elements and quantifiers into their sets and bounds.
#include "mapfile/ptnmatch.h"

#include "core/cp932.h"

#include <algorithm>

namespace {

constexpr int BigCount = 1'000'000'000;  // counts beyond any text are held here

bool IsLead(std::string_view s, std::size_t i)
{
    return IsCp932LeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size();
}

// The entries of a class letter; excludes tells whether they go to the exclude set when the
// element is not negated. False when c is no class letter.
bool ClassEntries(char c, std::string_view& entries, bool& excludes)
{
    using namespace std::string_view_literals;
    excludes = c == 'D' || c == 'S' || c == 'P' || c == 'L';
    switch (c) {
    case 'd': case 'D': entries = "0\x04" "9"sv; return true;
    case 's': case 'S': entries = " \t"sv; return true;
    case 'p': case 'P': entries = " \t\x81\x40"sv; return true;
    case 'l': case 'L': entries = "\x05\x04\x20\x81\x40"sv; return true;
    case 'w': entries = "0\x04" "9A\x04Za\x04z_"sv; return true;
    case 'W': entries = "0\x04" "9A\x04Za\x04z"sv; return true;
    case 't': entries = "\t"sv; return true;
    case 'n': entries = "\n"sv; return true;
    case 'r': entries = "\r"sv; return true;
    case 'f': entries = "\f"sv; return true;
    default: return false;
    }
}

int CompileBracket(std::string_view p, std::size_t pos, bool negated, CPtnMatch::Element& el)
{
    std::size_t i = pos + 1;
    for (;;) {
        if (i >= p.size())
            return -1;
        if (p[i] == ']')
            return static_cast<int>(i + 1 - pos);
        const int n = CPtnMatch::CompileElement(p, i, true, negated, el);
        if (n <= 0)
            return -1;
        i += static_cast<std::size_t>(n);
    }
}

}  // namespace

int CPtnMatch::CompileElement(std::string_view p, std::size_t pos, bool inBracket, bool negated,
                              Element& el)
{
    if (pos >= p.size())
        return 0;
    std::string& set = negated ? el.Exclude : el.Include;
    const char c = p[pos];
    switch (c) {
    case '!': {
        // A negated closing bracket would leave the bracket open: refuse it.
        if (pos + 1 < p.size() && p[pos + 1] == ']')
            return -1;
        const int n = CompileElement(p, pos + 1, inBracket, !negated, el);
        return n <= 0 ? -1 : n + 1;
    }
    case '[':
        return inBracket ? -1 : CompileBracket(p, pos, negated, el);
    case ']':
        return inBracket ? 1 : -1;
    case '^': set += SetStart; return 1;
    case '$': set += SetEnd; return 1;
    case '.': set += SetAny; return 1;
    case '-':
        if (!inBracket)
            return -1;
        set += SetRange;
        return 1;
    case '\\': {
        if (pos + 1 >= p.size())
            return -1;  // a lone trailing backslash escapes nothing
        std::string_view entries;
        bool excludes = false;
        if (ClassEntries(p[pos + 1], entries, excludes)) {
            (negated != excludes ? el.Exclude : el.Include) += entries;
            return 2;
        }
        const std::size_t w = IsLead(p, pos + 1) ? 2 : 1;
        set.append(p.substr(pos + 1, w));
        return static_cast<int>(1 + w);
    }
    default: {
        const std::size_t w = IsLead(p, pos) ? 2 : 1;
        set.append(p.substr(pos, w));
        return static_cast<int>(w);
    }
    }
}

int CPtnMatch::CompileQuantifier(std::string_view p, std::size_t pos, Element& el)
{
    el.Min = el.Max = 1;
    if (pos >= p.size())
        return 0;
    switch (p[pos]) {
    case '*': el.Min = 0; el.Max = -1; return 1;
    case '+': el.Min = 1; el.Max = -1; return 1;
    case '?': el.Min = 0; el.Max = 1; return 1;
    case '{': break;
    default: return 0;
    }
    long long m = 0;
    long long n = 0;
    bool comma = false;
    std::size_t i = pos + 1;
    for (;; ++i) {
        if (i >= p.size())
            return -1;
        const char c = p[i];
        if (c >= '0' && c <= '9') {
            long long& v = comma ? n : m;
            v = std::min<long long>(v * 10 + (c - '0'), BigCount);
        } else if (c == ',') {
            if (comma)
                return -1;
            comma = true;
        } else if (c == '}') {
            break;
        } else {
            return -1;
        }
    }
    if (n == 0)
        n = comma ? -1 : m;
    el.Min = static_cast<int>(m);
    el.Max = static_cast<int>(n);
    if (n >= 0 && n < m)
        return 0;  // no quantifier: the braces are matched as text, the element repeats m times
    return static_cast<int>(i + 1 - pos);
}

int CPtnMatch::CompileNext(std::string_view p, std::size_t pos, Element& el, Error& error)
{
    el = Element{};
    error = Error::None;
    const int n = CompileElement(p, pos, false, false, el);
    if (n == 0)
        return 0;
    if (n < 0) {
        error = Error::BadElement;
        return -1;
    }
    const int q = CompileQuantifier(p, pos + static_cast<std::size_t>(n), el);
    if (q < 0) {
        error = Error::BadQuantifier;
        return -1;
    }
    return n + q;
}
