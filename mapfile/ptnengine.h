#pragma once

// The matching engine behind CPtnMatch: a pattern compiled once, then matched without
// recursion. Internal to mapfile/.

#include "mapfile/ptnmatch.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ptn {

/** The process-wide error indicator of the matcher. */
extern CPtnMatch::Error ErrorIndicator;

enum class EntryKind : std::uint8_t { Start, End, Any, Char };

/** A decoded set entry; a literal character is a range with Lo == Hi (values lead*256+trail). */
struct Entry {
    EntryKind Kind = EntryKind::Char;
    unsigned Lo = 0;
    unsigned Hi = 0;
};

/** Appends the entries of a set byte string to out. */
void DecodeSet(std::string_view set, std::vector<Entry>& out);

/** An element with its sets decoded into a shared entry pool. */
struct Unit {
    int Min = 1;
    int Max = 1;
    std::uint32_t Include = 0;  ///< [Include, IncludeEnd) and [Exclude, ExcludeEnd) in the pool
    std::uint32_t IncludeEnd = 0;
    std::uint32_t Exclude = 0;
    std::uint32_t ExcludeEnd = 0;
    bool ZeroWidth = false;  ///< only start/end exclusions: matches without consuming
    int Slot = -1;           ///< row of the failure memo for an unbounded element, else -1
};

Unit MakeUnit(const CPtnMatch::Element& element, std::vector<Entry>& pool);

/** Bytes one repetition of unit consumes at byte t of text, or -1. */
int MatchUnit(const Entry* pool, const Unit& unit, std::string_view text, std::size_t t,
              bool atStart);

/** A pattern compiled up to its first fault. */
struct Program {
    std::vector<Unit> Units;
    std::vector<Entry> Entries;
    CPtnMatch::Error Fault = CPtnMatch::Error::None;  ///< the element after the last unit
    std::string Prefix;  ///< bytes every occurrence starts with (its leading literals)
    bool Anchored = false;  ///< opens with a mandatory "^": only the first position can match
    int Slots = 0;

    bool RestEmpty(std::size_t k) const
    {
        return k + 1 == Units.size() && Fault == CPtnMatch::Error::None;
    }
};

Program Compile(std::string_view pattern);

/**
 * The characters every occurrence of pattern starts with: its leading literal elements that
 * must each match once in a row. A text that does not hold them has no occurrence.
 */
std::string LeadingLiterals(std::string_view pattern);

/** Byte width of the character at i (2 for a lead byte followed by a byte). */
std::size_t CharWidth(std::string_view text, std::size_t i);

/**
 * Runs one program over one text. Remembers, for the duration of one search, the positions at
 * which an unbounded repetition already failed, so that no position is walked twice.
 */
class Engine {
public:
    Engine(const Program& program, std::string_view text);

    /** One attempt at byte t; see CPtnMatch::MatchAt. */
    bool MatchAt(std::size_t t, bool atStart, bool stop, std::size_t& consumed);
    /** See CPtnMatch::FindFirst. */
    std::optional<CPtnMatch::Found> FindFirst(std::size_t from, bool atStart);

private:
    enum class Phase : std::uint8_t { Begin, Loop, Repeat, TailWait };
    enum class Step : std::uint8_t { Continue, Push, Matched, Failed };
    struct Frame {
        std::size_t K = 0;
        std::size_t T = 0;
        int Count = 0;
        bool AtStart = false;
        bool Stop = false;
        Phase Ph = Phase::Begin;
    };

    bool Attempt(std::size_t t, bool atStart, bool stop, std::size_t& consumed);
    Step Advance(Frame& f, bool mayConsult, Frame& child);
    bool FailsAtOnce(std::size_t k, std::size_t t, bool atStart) const;
    bool SeenBefore(int slot, std::size_t t);
    void ForgetSeen();

    const Program& Prog;
    std::string_view Text;
    std::vector<Frame> Stack;
    std::vector<std::uint64_t> Seen;
    std::vector<std::size_t> Touched;
    bool ConsultTop = false;
};

}  // namespace ptn
