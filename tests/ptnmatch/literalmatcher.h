#pragma once

// A plain transcription of the matching rules, used as the oracle for the real matcher:
// recursive, compiling the pattern again at every step, no shortcuts. Only for short texts.

#include "mapfile/ptnmatch.h"

#include <string>
#include <string_view>
#include <vector>

namespace literal {

bool Match(std::string_view text, std::string_view pattern, std::vector<std::string>& groups);
/** The error indicator as the last call of Match left it. */
CPtnMatch::Error LastError();

}  // namespace literal
