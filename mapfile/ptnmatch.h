#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

/**
 * The program's own small pattern matcher and the string and path operations that go with it.
 * Every string is CP932 bytes; a lead byte and the byte after it are stepped over as one
 * character. Offsets and lengths count bytes.
 *
 * Pattern language: literals, "\" escapes, "." any character, "^" / "$" start / end of text,
 * "[...]" brackets with "a-z" ranges, "!" negation of the next element, the classes \d \D \s \S
 * \p \P \l \L \w \W \t \n \r \f, the quantifiers * + ? {m,n}, and "(...)" groups (not nested)
 * whose text is returned. Repetitions are lazy except that of the last element, which is greedy.
 */
class CPtnMatch {
public:
    /** One part of a pattern split at its grouping parentheses. */
    struct CParA {
        int Capture = 0;      ///< 1 when the part was a group whose text is returned
        std::string Pattern;  ///< the part's pattern text without the parentheses
    };

    enum class Error { None, BadElement, BadQuantifier };

    /**
     * One compiled pattern unit. The sets are byte strings: the bytes 1, 2, 3 stand for start of
     * text, end of text and any character, byte 4 between two characters makes a range, every
     * other byte (or lead/trail pair) is a literal character.
     */
    struct Element {
        int Min = 1;
        int Max = 1;  ///< -1: no upper bound
        std::string Include;
        std::string Exclude;
    };

    static constexpr char SetStart = 1;
    static constexpr char SetEnd = 2;
    static constexpr char SetAny = 3;
    static constexpr char SetRange = 4;

    /** An occurrence: offset from where the search began, and length, in bytes. */
    struct Found {
        std::size_t Offset = 0;
        std::size_t Length = 0;
    };

    /**
     * Whether pattern occurs in text. On true, groups holds the text of every captured part of
     * the first occurrence in pattern order (a pattern without groups returns the whole
     * occurrence). On false the groups are meaningless.
     */
    static bool Match(std::string_view text, std::string_view pattern,
                      std::vector<std::string>& groups);

    /** Splits at the first sep: 1 with head and tail; 0 (head = str, tail empty) without. */
    static int SplitFirst(std::string_view str, std::string_view sep, std::string& head,
                          std::string& tail);
    /** Splits at every sep into list; returns the number of pieces (at least 1). */
    static int SplitString(std::string_view str, std::string_view sep,
                           std::vector<std::string>& list);
    /** Replaces every oldText by newText; returns the number of replacements. */
    static int ReplaceAll(std::string& str, std::string_view oldText, std::string_view newText);
    /** The path up to and including its last "\" or "/"; 0 and empty when it has none. */
    static int GetFolder(std::string& folder, std::string_view path);
    /** Folder (with its separator) and file name of path; 0 for an empty path. */
    static int SplitPath(std::string& folder, std::string& name, std::string_view path);
    /** Folder, base name and extension (from the last ".", dot included); 0 for empty path. */
    static int SplitPathExt(std::string& folder, std::string& base, std::string& ext,
                            std::string_view path);
    /** -1 outside the string, 2 for a trail byte, 1 for a lead byte, 0 for a single byte. */
    static int GetByteType(std::string_view str, int index);

    /** The process-wide error indicator as the last search attempt left it. */
    static Error LastError();

    // Building blocks, public so that they can be checked on their own.

    /** Splits pattern at its grouping parentheses; false (and no parts) on a fault. */
    static bool SplitPattern(std::string_view pattern, std::vector<CParA>& parts);
    /**
     * Compiles the element at pos into element's sets (not its bounds). Returns the pattern
     * bytes used, 0 at the end of the pattern, -1 when the element is wrong.
     */
    static int CompileElement(std::string_view pattern, std::size_t pos, bool inBracket,
                              bool negated, Element& element);
    /**
     * Reads the quantifier at pos into element's bounds; returns the bytes used (0 when there is
     * none, or for braces that stay literal text) or -1 for a bad quantifier.
     */
    static int CompileQuantifier(std::string_view pattern, std::size_t pos, Element& element);
    /**
     * Compiles the next element and its quantifier into a fresh element; returns the bytes used,
     * 0 at the end of the pattern, or -1 with error saying which of the two failed.
     */
    static int CompileNext(std::string_view pattern, std::size_t pos, Element& element,
                           Error& error);
    /**
     * Matches one repetition of element at byte pos of text (atStart: pos is where a search from
     * the start of the text began). Returns the bytes consumed or -1.
     */
    static int MatchElement(const Element& element, std::string_view text, std::size_t pos,
                            bool atStart);
    /**
     * Matches pattern at byte pos of text; consumed gets the bytes taken (also on failure: what
     * was taken before the attempt failed). With stop, the last element takes only its minimum.
     */
    static bool MatchAt(std::string_view text, std::size_t pos, std::string_view pattern,
                        bool atStart, bool stop, std::size_t& consumed);
    /** First occurrence of pattern in text from byte from on (offset relative to from). */
    static std::optional<Found> FindFirst(std::string_view text, std::size_t from,
                                          std::string_view pattern, bool atStart);
};
