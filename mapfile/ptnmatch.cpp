#include "mapfile/ptnmatch.h"

#include "core/cp932.h"
#include "mapfile/ptnengine.h"
#include "mapfile/ptnpattern.h"

CPtnMatch::Error CPtnMatch::LastError()
{
    return ptn::ErrorIndicator;
}

bool CPtnMatch::SplitPattern(std::string_view pattern, std::vector<CParA>& parts)
{
    parts.clear();
    if (pattern.empty())
        return false;
    bool inGroup = false;
    std::size_t begin = 0;  // start of the current part
    auto flush = [&](std::size_t end, int capture) {
        if (end > begin)
            parts.push_back(CParA{capture, std::string(pattern.substr(begin, end - begin))});
        begin = end + 1;
    };
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '(' || c == ')') {
            if (inGroup == (c == '(')) {
                parts.clear();
                return false;
            }
            flush(i, c == ')' ? 1 : 0);
            inGroup = c == '(';
        } else if (c == '\\' || IsCp932LeadByte(static_cast<unsigned char>(c))) {
            ++i;  // an escaped byte or a trail byte never opens or closes a group
        }
    }
    if (inGroup) {
        parts.clear();
        return false;
    }
    flush(pattern.size(), 0);
    if (parts.size() == 1 && parts[0].Capture == 0)
        parts[0].Capture = 1;
    return !parts.empty();
}

int CPtnMatch::MatchElement(const Element& element, std::string_view text, std::size_t pos,
                            bool atStart)
{
    std::vector<ptn::Entry> pool;
    const ptn::Unit unit = ptn::MakeUnit(element, pool);
    return ptn::MatchUnit(pool.data(), unit, text, pos, atStart);
}

bool CPtnMatch::MatchAt(std::string_view text, std::size_t pos, std::string_view pattern,
                        bool atStart, bool stop, std::size_t& consumed)
{
    consumed = 0;
    if (pos > text.size())
        return false;
    const ptn::Program prog = ptn::Compile(pattern);
    ptn::Engine engine(prog, text);
    return engine.MatchAt(pos, atStart, stop, consumed);
}

std::optional<CPtnMatch::Found> CPtnMatch::FindFirst(std::string_view text, std::size_t from,
                                                     std::string_view pattern, bool atStart)
{
    if (from > text.size())
        return std::nullopt;
    const ptn::Program prog = ptn::Compile(pattern);
    ptn::Engine engine(prog, text);
    return engine.FindFirst(from, atStart);
}

bool CPtnMatch::Match(std::string_view text, std::string_view pattern,
                      std::vector<std::string>& groups)
{
    std::vector<std::string_view> views;
    const bool matched = CPtnPattern(pattern).Match(text, views);
    groups.assign(views.begin(), views.end());
    return matched;
}
