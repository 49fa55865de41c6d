#pragma once

#include <string>

/** The default extension the file dialog takes from the pattern of the selected type: leading
 *  "*" removed, then leading "." removed ("*.mpx" -> "mpx", "*." -> "", "*.dat" -> "dat"). */
std::string DefaultExtFromPattern(const std::string& pattern);

/** The pattern of the selected type (numbered from 1) of a filter "Desc|pattern|Desc|pattern|",
 *  empty when there is no such entry. */
std::string FilterPattern(const std::string& filter, int selectedType);

/** DefaultExtFromPattern(FilterPattern(filter, selectedType)). */
std::string DefaultExtForFilter(const std::string& filter, int selectedType);
