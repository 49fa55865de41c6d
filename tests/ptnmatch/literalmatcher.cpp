#include "literalmatcher.h"

#include "core/cp932.h"

#include <optional>

namespace literal {
namespace {

using Error = CPtnMatch::Error;
Error g_error = Error::None;

struct Result {
    bool Ok = false;
    std::size_t Consumed = 0;
};

std::size_t Width(std::string_view s, std::size_t i)
{
    return IsCp932LeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

Result MatchAt(std::string_view text, std::size_t t, std::string_view pattern, std::size_t ppos,
               bool atStart, bool stop)
{
    const std::size_t start = t;
    for (;;) {
        CPtnMatch::Element el;
        Error error = Error::None;
        const int used = CPtnMatch::CompileNext(pattern, ppos, el, error);
        if (used == 0)
            return {true, t - start};
        if (used < 0) {
            g_error = error;
            return {false, t - start};
        }
        const std::size_t rest = ppos + static_cast<std::size_t>(used);
        const bool restEmpty = rest >= pattern.size();
        int count = 0;
        while (count < el.Min) {
            if (t == text.size())
                return {CPtnMatch::MatchElement(el, text, t, false) >= 0, t - start};
            const int m = CPtnMatch::MatchElement(el, text, t, atStart);
            if (m < 0)
                return {false, t - start};
            const bool fixed = m == 0 && !atStart;
            t += static_cast<std::size_t>(m);
            atStart = false;
            count = fixed ? el.Min : count + 1;
        }
        if (stop && restEmpty)
            return {true, t - start};
        while (el.Max < 0 || count < el.Max) {
            if (t == text.size()) {
                const Result r = MatchAt(text, t, pattern, rest, false, false);
                return {r.Ok, t - start + r.Consumed};
            }
            if (!restEmpty) {
                const Result r = MatchAt(text, t, pattern, rest, atStart, stop);
                if (r.Ok)
                    return {true, t - start + r.Consumed};
                if (g_error != Error::None)
                    return {false, t - start};
            }
            const int m = CPtnMatch::MatchElement(el, text, t, atStart);
            if (m < 0)
                return {restEmpty, t - start};
            const bool fixed = m == 0 && !atStart;
            t += static_cast<std::size_t>(m);
            atStart = false;
            ++count;
            if (fixed) {
                if (el.Max < 0)
                    return {restEmpty, t - start};
                count = el.Max;
            }
        }
        ppos = rest;
    }
}

std::optional<CPtnMatch::Found> FindFirst(std::string_view text, std::size_t from,
                                          std::string_view pattern, bool atStart)
{
    bool state = atStart;
    for (std::size_t t = from; t < text.size(); t += Width(text, t)) {
        g_error = Error::None;
        const Result r = MatchAt(text, t, pattern, 0, state, false);
        if (r.Ok)
            return CPtnMatch::Found{t - from, r.Consumed};
        if (g_error != Error::None)
            return std::nullopt;
        state = false;
    }
    CPtnMatch::Element first;
    Error error = Error::None;
    if (CPtnMatch::CompileNext(pattern, 0, first, error) < 0) {
        g_error = error;
        return std::nullopt;
    }
    for (char c : first.Include) {
        if (c == CPtnMatch::SetEnd)
            return CPtnMatch::Found{text.size() - from, 0};
    }
    return std::nullopt;
}

}  // namespace

CPtnMatch::Error LastError()
{
    return g_error;
}

bool Match(std::string_view text, std::string_view pattern, std::vector<std::string>& groups)
{
    groups.clear();
    std::vector<CPtnMatch::CParA> parts;
    if (!CPtnMatch::SplitPattern(pattern, parts) || text.empty())
        return false;
    std::string joined;
    for (const auto& p : parts)
        joined += p.Pattern;
    const auto found = FindFirst(text, 0, joined, true);
    if (!found)
        return false;
    std::size_t pos = found->Offset;
    std::size_t remaining = found->Length;
    std::string rest = joined;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        rest.erase(0, parts[i].Pattern.size());
        g_error = Error::None;
        std::size_t plen = MatchAt(text, pos, parts[i].Pattern, 0, pos == 0, true).Consumed;
        for (;;) {
            const auto next = FindFirst(text, pos + plen, rest, pos + plen == 0);
            if (!next)
                return false;
            plen += next->Offset;
            if (plen + next->Length > remaining)
                return false;
            if (plen + next->Length == remaining)
                break;
            plen += Width(text, pos + plen);
        }
        if (parts[i].Capture)
            groups.emplace_back(text.substr(pos, plen));
        remaining -= plen;
        pos += plen;
    }
    if (parts.back().Capture)
        groups.emplace_back(text.substr(pos, remaining));
    return true;
}

}  // namespace literal
