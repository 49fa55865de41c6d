#pragma once

#include <string_view>

/** Reads a decimal number the way the C library's atoi does: leading blanks skipped, an optional
 *  sign, digits up to the first non-digit; no digits gives 0. Saturates instead of overflowing. */
int DecimalPrefix(std::string_view text);

/** True when the text begins (after blanks) with an optional sign and at least one digit. */
bool HasDecimalPrefix(std::string_view text);
