#include "defaultext.h"

#include <vector>

std::string DefaultExtFromPattern(const std::string& pattern)
{
    size_t start = 0;
    if (start < pattern.size() && pattern[start] == '*')
        while (start < pattern.size() && pattern[start] == '*')
            ++start;
    if (start < pattern.size() && pattern[start] == '.')
        while (start < pattern.size() && pattern[start] == '.')
            ++start;
    return pattern.substr(start);
}

std::string FilterPattern(const std::string& filter, int selectedType)
{
    // "|" is ASCII and never a trail byte of CP932, so a plain split is exact.
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t bar = filter.find('|'); bar != std::string::npos; bar = filter.find('|', start)) {
        parts.push_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    parts.push_back(filter.substr(start));
    const size_t index = static_cast<size_t>(selectedType) * 2 - 1;
    if (selectedType < 1 || index >= parts.size())
        return {};
    return parts[index];
}

std::string DefaultExtForFilter(const std::string& filter, int selectedType)
{
    return DefaultExtFromPattern(FilterPattern(filter, selectedType));
}
