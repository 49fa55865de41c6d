#pragma once

#include <memory>
#include <string_view>
#include <vector>

/**
 * A pattern of CPtnMatch compiled once, for matching many lines: the same answer, groups and
 * error indicator as CPtnMatch::Match with its text, which compiles the pattern on every call.
 */
class CPtnPattern {
public:
    explicit CPtnPattern(std::string_view pattern);
    CPtnPattern(CPtnPattern&&) noexcept;
    CPtnPattern& operator=(CPtnPattern&&) noexcept;
    ~CPtnPattern();

    /** See CPtnMatch::Match; the groups are views into text. */
    bool Match(std::string_view text, std::vector<std::string_view>& groups) const;

private:
    struct Compiled;
    std::unique_ptr<const Compiled> compiled_;
};
