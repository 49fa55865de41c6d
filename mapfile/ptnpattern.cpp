#include "mapfile/ptnpattern.h"

#include "mapfile/ptnengine.h"

#include <string>
#include <utility>

namespace {

// One part of the pattern but the last: where the occurrence is cut after it, the part alone
// and the pattern's rest behind it are matched.
struct Cut {
    bool Capture = false;
    ptn::Program Part;
    ptn::Program Rest;
};

// Whether a repetition of the unit can match at the end of text, where an attempt ends as a
// match without the units after it.
bool MatchesAtEnd(const ptn::Program& prog, const ptn::Unit& u)
{
    if (u.IncludeEnd == u.Include)
        return true;
    for (std::uint32_t i = u.Include; i < u.IncludeEnd; ++i)
        if (prog.Entries[i].Kind == ptn::EntryKind::End ||
            prog.Entries[i].Kind == ptn::EntryKind::Any)
            return true;
    return false;
}

// The longest run of single literal characters, each matching exactly once, that every
// occurrence passes through: those before the first unit that can end a match at the end of
// text. A text without those bytes in a row holds no occurrence. Only for a pattern that
// compiles whole, whose failure leaves the error indicator clear.
std::string RequiredLiterals(const ptn::Program& prog)
{
    std::string best;
    std::string run;
    for (const ptn::Unit& u : prog.Units) {
        if (MatchesAtEnd(prog, u))
            break;
        const bool literal = u.ExcludeEnd == u.Exclude && u.IncludeEnd == u.Include + 1 &&
                             u.Min == 1 && u.Max == 1 &&
                             prog.Entries[u.Include].Kind == ptn::EntryKind::Char &&
                             prog.Entries[u.Include].Lo == prog.Entries[u.Include].Hi;
        if (!literal) {
            run.clear();
            continue;
        }
        const unsigned value = prog.Entries[u.Include].Lo;
        if (value > 0xFF)
            run += static_cast<char>(value >> 8);
        run += static_cast<char>(value & 0xFF);
        if (run.size() > best.size())
            best = run;
    }
    return best;
}

}  // namespace

struct CPtnPattern::Compiled {
    bool Valid = false;  ///< the pattern splits into parts
    std::string Leading;
    std::string Required;
    ptn::Program Whole;
    std::vector<Cut> Cuts;
    bool LastCapture = false;
};

CPtnPattern::CPtnPattern(std::string_view pattern)
{
    auto c = std::make_unique<Compiled>();
    std::vector<CPtnMatch::CParA> parts;
    c->Valid = CPtnMatch::SplitPattern(pattern, parts);
    if (c->Valid) {
        std::string joined;
        for (const CPtnMatch::CParA& part : parts)
            joined += part.Pattern;
        c->Leading = ptn::LeadingLiterals(joined);
        c->Whole = ptn::Compile(joined);
        if (c->Whole.Fault == CPtnMatch::Error::None)
            c->Required = RequiredLiterals(c->Whole);
        std::size_t restStart = 0;
        for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
            restStart += parts[i].Pattern.size();
            c->Cuts.push_back(Cut{parts[i].Capture != 0, ptn::Compile(parts[i].Pattern),
                                  ptn::Compile(std::string_view(joined).substr(restStart))});
        }
        c->LastCapture = parts.back().Capture != 0;
    }
    compiled_ = std::move(c);
}

CPtnPattern::CPtnPattern(CPtnPattern&&) noexcept = default;
CPtnPattern& CPtnPattern::operator=(CPtnPattern&&) noexcept = default;
CPtnPattern::~CPtnPattern() = default;

bool CPtnPattern::Match(std::string_view text, std::vector<std::string_view>& groups) const
{
    const Compiled& c = *compiled_;
    groups.clear();
    if (!c.Valid || text.empty())
        return false;
    // The attempts at every position would fail on the leading literals, or on the literals
    // every occurrence holds: no need to try them.
    if ((!c.Leading.empty() && text.find(c.Leading) == std::string_view::npos) ||
        (!c.Required.empty() && text.find(c.Required) == std::string_view::npos)) {
        ptn::ErrorIndicator = CPtnMatch::Error::None;
        return false;
    }

    const auto found = ptn::Engine(c.Whole, text).FindFirst(0, true);
    if (!found)
        return false;
    std::size_t pos = found->Offset;
    std::size_t remaining = found->Length;

    // The occurrence is cut into its parts one by one: each part takes the fewest bytes that
    // let the rest of the pattern match exactly the remainder of the occurrence.
    for (const Cut& cut : c.Cuts) {
        std::size_t plen = 0;
        ptn::Engine(cut.Part, text).MatchAt(pos, pos == 0, true, plen);
        ptn::Engine restEngine(cut.Rest, text);
        for (;;) {
            const std::size_t from = pos + plen;
            const auto next = restEngine.FindFirst(from, from == 0);
            if (!next)
                return false;
            plen += next->Offset;
            if (plen + next->Length > remaining)
                return false;
            if (plen + next->Length == remaining)
                break;
            plen += ptn::CharWidth(text, pos + plen);
        }
        if (cut.Capture)
            groups.push_back(text.substr(pos, plen));
        remaining -= plen;
        pos += plen;
    }
    if (c.LastCapture)
        groups.push_back(text.substr(pos, remaining));
    return true;
}
