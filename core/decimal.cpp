#include "decimal.h"

#include <climits>
#include <cstddef>

namespace {
bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
std::size_t SkipBlanksAndSign(std::string_view text, bool& negative)
{
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    return i;
}
}  // namespace

int DecimalPrefix(std::string_view text)
{
    bool negative = false;
    std::size_t i = SkipBlanksAndSign(text, negative);
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;  // keeps going over huge digit runs
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

bool HasDecimalPrefix(std::string_view text)
{
    bool negative = false;
    std::size_t i = SkipBlanksAndSign(text, negative);
    return i < text.size() && text[i] >= '0' && text[i] <= '9';
}
