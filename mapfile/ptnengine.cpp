#include "mapfile/ptnengine.h"

#include "core/cp932.h"

namespace ptn {

CPtnMatch::Error ErrorIndicator = CPtnMatch::Error::None;

namespace {

unsigned Byte(std::string_view s, std::size_t i)
{
    return static_cast<unsigned char>(s[i]);
}

unsigned CharValue(std::string_view s, std::size_t i, std::size_t w)
{
    return w == 2 ? Byte(s, i) * 256 + Byte(s, i + 1) : Byte(s, i);
}

// Bytes the entry consumes at t, or -1.
int EntryLength(const Entry& e, std::string_view text, std::size_t t, bool atStart)
{
    const bool atEnd = t >= text.size();
    switch (e.Kind) {
    case EntryKind::Start:
        return atStart && !atEnd ? 0 : -1;
    case EntryKind::End:
        return atEnd ? 0 : -1;
    case EntryKind::Any: {
        if (atEnd)
            return 0;
        const char c = text[t];
        if (c == '\n' || (c == '\r' && t + 1 < text.size() && text[t + 1] == '\n'))
            return -1;
        return static_cast<int>(CharWidth(text, t));
    }
    case EntryKind::Char: {
        if (atEnd)
            return -1;
        const std::size_t w = CharWidth(text, t);
        const unsigned v = CharValue(text, t, w);
        return v >= e.Lo && v <= e.Hi ? static_cast<int>(w) : -1;
    }
    }
    return -1;
}

void AppendChar(std::string& out, unsigned value)
{
    if (value > 0xFF)
        out += static_cast<char>(value >> 8);
    out += static_cast<char>(value & 0xFF);
}

}  // namespace

std::size_t CharWidth(std::string_view text, std::size_t i)
{
    return IsCp932LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

void DecodeSet(std::string_view set, std::vector<Entry>& out)
{
    std::size_t i = 0;
    while (i < set.size()) {
        const unsigned b = Byte(set, i);
        if (b == CPtnMatch::SetStart || b == CPtnMatch::SetEnd || b == CPtnMatch::SetAny) {
            out.push_back({b == CPtnMatch::SetStart ? EntryKind::Start
                           : b == CPtnMatch::SetEnd ? EntryKind::End
                                                    : EntryKind::Any,
                           0, 0});
            ++i;
            continue;
        }
        if (b == CPtnMatch::SetRange) {
            ++i;  // a range marker without a character before it marks nothing
            continue;
        }
        const std::size_t w = CharWidth(set, i);
        const unsigned lo = CharValue(set, i, w);
        i += w;
        unsigned hi = lo;
        if (i + 1 < set.size() && Byte(set, i) == CPtnMatch::SetRange &&
            Byte(set, i + 1) > CPtnMatch::SetRange) {
            const std::size_t w2 = CharWidth(set, i + 1);
            hi = CharValue(set, i + 1, w2);
            i += 1 + w2;
        }
        out.push_back({EntryKind::Char, lo, hi});
    }
}

Unit MakeUnit(const CPtnMatch::Element& element, std::vector<Entry>& pool)
{
    Unit u;
    u.Min = element.Min;
    u.Max = element.Max;
    u.Include = static_cast<std::uint32_t>(pool.size());
    DecodeSet(element.Include, pool);
    u.IncludeEnd = u.Exclude = static_cast<std::uint32_t>(pool.size());
    DecodeSet(element.Exclude, pool);
    u.ExcludeEnd = static_cast<std::uint32_t>(pool.size());
    bool onlyAnchors = u.ExcludeEnd > u.Exclude;
    for (std::uint32_t i = u.Exclude; i < u.ExcludeEnd; ++i)
        onlyAnchors = onlyAnchors &&
                      (pool[i].Kind == EntryKind::Start || pool[i].Kind == EntryKind::End);
    u.ZeroWidth = u.IncludeEnd == u.Include && onlyAnchors;
    return u;
}

int MatchUnit(const Entry* pool, const Unit& unit, std::string_view text, std::size_t t,
              bool atStart)
{
    for (std::uint32_t i = unit.Exclude; i < unit.ExcludeEnd; ++i) {
        if (EntryLength(pool[i], text, t, atStart) >= 0)
            return -1;
    }
    if (unit.IncludeEnd == unit.Include) {
        if (unit.ZeroWidth || t >= text.size())
            return 0;
        return static_cast<int>(CharWidth(text, t));
    }
    for (std::uint32_t i = unit.Include; i < unit.IncludeEnd; ++i) {
        const int n = EntryLength(pool[i], text, t, atStart);
        if (n >= 0)
            return n;
    }
    return -1;
}

Program Compile(std::string_view pattern)
{
    Program prog;
    prog.Units.reserve(pattern.size());
    prog.Entries.reserve(pattern.size() * 2);
    std::size_t pos = 0;
    for (;;) {
        CPtnMatch::Element el;
        CPtnMatch::Error error = CPtnMatch::Error::None;
        const int n = CPtnMatch::CompileNext(pattern, pos, el, error);
        if (n == 0)
            break;
        if (n < 0) {
            prog.Fault = error;
            break;
        }
        pos += static_cast<std::size_t>(n);
        Unit u = MakeUnit(el, prog.Entries);
        if (u.Max < 0)
            u.Slot = prog.Slots++;
        prog.Units.push_back(u);
    }
    if (!prog.Units.empty()) {
        const Unit& first = prog.Units.front();
        prog.Anchored = first.Min >= 1 && first.Exclude == first.ExcludeEnd &&
                        first.Include != first.IncludeEnd;
        for (std::uint32_t i = first.Include; i < first.IncludeEnd; ++i)
            prog.Anchored = prog.Anchored && prog.Entries[i].Kind == EntryKind::Start;
    }
    // Leading literals that must each occur once in a row.
    for (const Unit& u : prog.Units) {
        if (u.ExcludeEnd != u.Exclude || u.IncludeEnd != u.Include + 1 || u.Min < 1)
            break;
        const Entry& e = prog.Entries[u.Include];
        if (e.Kind != EntryKind::Char || e.Lo != e.Hi)
            break;
        AppendChar(prog.Prefix, e.Lo);
        if (u.Min != 1 || u.Max != 1)
            break;
    }
    return prog;
}

std::string LeadingLiterals(std::string_view pattern)
{
    std::string prefix;
    std::size_t pos = 0;
    for (;;) {
        CPtnMatch::Element el;
        CPtnMatch::Error error = CPtnMatch::Error::None;
        const int n = CPtnMatch::CompileNext(pattern, pos, el, error);
        if (n <= 0 || !el.Exclude.empty() || el.Min < 1)
            break;
        // One literal character: a plain byte, or a lead byte with its trail byte.
        const std::string& inc = el.Include;
        const bool single = (inc.size() == 1 && Byte(inc, 0) > CPtnMatch::SetRange) ||
                            (inc.size() == 2 && CharWidth(inc, 0) == 2);
        if (!single)
            break;
        prefix += inc;
        if (el.Min != 1 || el.Max != 1)
            break;
        pos += static_cast<std::size_t>(n);
    }
    return prefix;
}

Engine::Engine(const Program& program, std::string_view text) : Prog(program), Text(text)
{
    Stack.reserve(program.Units.size() + 1);
}

bool Engine::SeenBefore(int slot, std::size_t t)
{
    if (Seen.empty())
        Seen.assign((static_cast<std::size_t>(Prog.Slots) * Text.size() + 63) / 64, 0);
    const std::size_t bit = static_cast<std::size_t>(slot) * Text.size() + t;
    std::uint64_t& word = Seen[bit / 64];
    const std::uint64_t mask = std::uint64_t{1} << (bit % 64);
    if (word & mask)
        return true;
    if (word == 0)
        Touched.push_back(bit / 64);
    word |= mask;
    return false;
}

void Engine::ForgetSeen()
{
    for (std::size_t w : Touched)
        Seen[w] = 0;
    Touched.clear();
}

// Whether an attempt of the units from k on at t fails on the first one's mandatory
// repetition, which needs no frame (and raises no error).
bool Engine::FailsAtOnce(std::size_t k, std::size_t t, bool atStart) const
{
    return k < Prog.Units.size() && t < Text.size() && Prog.Units[k].Min >= 1 &&
           MatchUnit(Prog.Entries.data(), Prog.Units[k], Text, t, atStart) < 0;
}

// One step of the frame on top of the stack. Elements are taken one after another; an
// optional repetition first tries the rest of the pattern in a child frame (lazy), and a
// repeated element never nests deeper than the number of elements after it.
Engine::Step Engine::Advance(Frame& f, bool mayConsult, Frame& child)
{
    const std::size_t len = Text.size();
    const Entry* pool = Prog.Entries.data();
    switch (f.Ph) {
    case Phase::Begin: {
        if (f.K == Prog.Units.size()) {
            if (Prog.Fault == CPtnMatch::Error::None)
                return Step::Matched;
            ErrorIndicator = Prog.Fault;
            return Step::Failed;
        }
        const Unit& u = Prog.Units[f.K];
        f.Count = 0;
        while (f.Count < u.Min) {
            if (f.T == len)
                return MatchUnit(pool, u, Text, len, false) >= 0 ? Step::Matched : Step::Failed;
            const int m = MatchUnit(pool, u, Text, f.T, f.AtStart);
            if (m < 0)
                return Step::Failed;
            // A repetition that took nothing from the same state repeats itself exactly.
            const bool fixed = m == 0 && !f.AtStart;
            f.T += static_cast<std::size_t>(m);
            f.AtStart = false;
            f.Count = fixed ? u.Min : f.Count + 1;
        }
        if (f.Stop && Prog.RestEmpty(f.K))
            return Step::Matched;
        f.Ph = Phase::Loop;
        return Step::Continue;
    }
    case Phase::Loop: {
        const Unit& u = Prog.Units[f.K];
        if (u.Max >= 0 && f.Count >= u.Max) {
            ++f.K;
            f.Ph = Phase::Begin;
            return Step::Continue;
        }
        if (f.T == len) {
            f.Ph = Phase::TailWait;
            child = Frame{f.K + 1, len, 0, false, false, Phase::Begin};
            return Step::Push;
        }
        // Every earlier visit of this repetition state ended in failure (a success ends the
        // search), so it would fail again.
        if (u.Slot >= 0 && !f.AtStart && SeenBefore(u.Slot, f.T) && mayConsult)
            return Step::Failed;
        f.Ph = Phase::Repeat;
        if (!Prog.RestEmpty(f.K) && !FailsAtOnce(f.K + 1, f.T, f.AtStart)) {
            child = Frame{f.K + 1, f.T, 0, f.AtStart, f.Stop, Phase::Begin};
            return Step::Push;
        }
        return Step::Continue;
    }
    case Phase::Repeat: {
        const Unit& u = Prog.Units[f.K];
        const int m = MatchUnit(pool, u, Text, f.T, f.AtStart);
        if (m < 0)
            return Prog.RestEmpty(f.K) ? Step::Matched : Step::Failed;
        const bool fixed = m == 0 && !f.AtStart;
        f.T += static_cast<std::size_t>(m);
        f.AtStart = false;
        if (u.Max >= 0)
            f.Count = fixed ? u.Max : f.Count + 1;
        else if (fixed)  // endless empty repetitions: the rest already failed here
            return Prog.RestEmpty(f.K) ? Step::Matched : Step::Failed;
        f.Ph = Phase::Loop;
        return Step::Continue;
    }
    case Phase::TailWait:
        break;
    }
    return Step::Failed;
}

bool Engine::Attempt(std::size_t t0, bool atStart, bool stop, std::size_t& consumed)
{
    ErrorIndicator = CPtnMatch::Error::None;
    Stack.clear();
    Stack.push_back(Frame{0, t0, 0, atStart, stop, Phase::Begin});
    Frame child;
    for (;;) {
        const bool mayConsult = Stack.size() > 1 || ConsultTop;
        const Step step = Advance(Stack.back(), mayConsult, child);
        if (step == Step::Continue)
            continue;
        if (step == Step::Push) {
            Stack.push_back(child);
            continue;
        }
        if (step == Step::Matched) {
            // Every frame returns its child's success at once.
            consumed = Stack.back().T - t0;
            return true;
        }
        for (;;) {
            const std::size_t failedAt = Stack.back().T;
            Stack.pop_back();
            if (Stack.empty()) {
                consumed = failedAt - t0;
                return false;
            }
            if (Stack.back().Ph == Phase::TailWait)
                continue;  // the parent's result is its child's
            if (ErrorIndicator != CPtnMatch::Error::None) {
                consumed = Stack.front().T - t0;
                return false;
            }
            break;  // the rest failed here: the parent tries one more repetition
        }
    }
}

bool Engine::MatchAt(std::size_t t, bool atStart, bool stop, std::size_t& consumed)
{
    ForgetSeen();
    ConsultTop = false;
    return Attempt(t, atStart, stop, consumed);
}

std::optional<CPtnMatch::Found> Engine::FindFirst(std::size_t from, bool atStart)
{
    const std::size_t len = Text.size();
    if (from < len)
        ErrorIndicator = CPtnMatch::Error::None;  // the first attempt clears it
    ForgetSeen();
    ConsultTop = true;
    bool failedHard = false;
    std::optional<CPtnMatch::Found> found;
    std::size_t t = from;
    while (t < len) {
        if (!Prog.Prefix.empty()) {
            // Only where the leading literals stand can an attempt get past them.
            const std::size_t next = Text.find(Prog.Prefix, t);
            if (next == std::string_view::npos)
                break;
            while (t < next)
                t += CharWidth(Text, t);
            if (t != next)
                continue;  // it began on a trail byte
        }
        const bool state = atStart && t == from;
        std::size_t consumed = 0;
        if (!FailsAtOnce(0, t, state)) {
            if (Attempt(t, state, false, consumed)) {
                found = CPtnMatch::Found{t - from, consumed};
                break;
            }
            if (ErrorIndicator != CPtnMatch::Error::None) {
                failedHard = true;
                break;
            }
        }
        // Past the first position a start of text is never met again: every attempt would
        // fail on the first element, as FailsAtOnce finds (and a long hostile line costs).
        if (Prog.Anchored)
            break;
        t += CharWidth(Text, t);
    }
    ConsultTop = false;
    if (found || failedHard)
        return found;
    // Past the last character only a first element that accepts the end of text can match.
    if (Prog.Units.empty()) {
        if (Prog.Fault != CPtnMatch::Error::None)
            ErrorIndicator = Prog.Fault;
        return std::nullopt;
    }
    const Unit& first = Prog.Units.front();
    for (std::uint32_t i = first.Include; i < first.IncludeEnd; ++i) {
        if (Prog.Entries[i].Kind == EntryKind::End)
            return CPtnMatch::Found{len - from, 0};
    }
    return std::nullopt;
}

}  // namespace ptn
