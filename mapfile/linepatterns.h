#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

/** The kinds of line the map file reader recognises; each has one pattern in MapLinePatterns.
 *  The order is kept: the fuzzers' stored inputs pick a pattern by its place. */
enum class MapLine : std::size_t {
    ChipPageTag, MapPageTag,
    ChipSize, MapSize, FontSize, FontColor, ViewText, SaveText, ViewEvent, SaveEvent, SaveEventMap,
    SaveEventRem, TextOption, IntOptions,
    FilePath,
    Name, ChipPage, View, SaveType, DataSize,
    EventType, Rect, Map, Pos, Option, Rem,
    Text, Size, Color,
    PropertyOpen, PropertyClose, EventOpen, EventClose, TextOpen, TextClose, DataOpen, DataClose,
    ChipClose, MapClose,
    Count
};

/** One line pattern: the matcher's pattern text and the number of groups a match gives. */
struct MapLinePattern {
    std::string_view Text;
    int Groups = 0;
};

/**
 * The patterns of the reader, in MapLine order. Every one opens with "^\s*": a key or a tag
 * counts only where it opens its line, so a value that holds "Map = ", "FontSize=" or
 * "</data>" is only a value.
 * Text values (".*" to the end) start at their first non-blank character: the format cannot tell
 * a value's leading blanks from the blanks after the equals sign, so those are the one thing a
 * value loses; an empty value, or one of blanks only, does not match. Trailing blanks stay.
 * Every number the event and text dialogs accept may be negative (a text may also hang half
 * over the map's top or left edge, so its box can start below zero).
 */
inline constexpr std::array<MapLinePattern, static_cast<std::size_t>(MapLine::Count)>
    MapLinePatterns = {{
        {"^\\s*<chip page\\=(\\d+)>", 1},
        {"^\\s*<map page\\=(\\d+)>", 1},

        {"^\\s*ChipSize\\s*\\=\\s*(\\d+)\\,(\\d+)", 2},
        {"^\\s*MapSize\\s*\\=\\s*(\\d+)\\,(\\d+)", 2},
        {"^\\s*FontSize\\s*\\=\\s*(\\d+)", 1},
        {"^\\s*FontColor\\s*\\=\\s*(\\d+)\\,(\\d+)\\,(\\d+)", 3},
        {"^\\s*ViewText\\s*\\=\\s*(\\d+)", 1},
        {"^\\s*SaveText\\s*\\=\\s*(\\d+)", 1},
        {"^\\s*ViewEvent\\s*\\=\\s*(\\d+)", 1},
        {"^\\s*SaveEvent\\s*\\=\\s*(\\d+)", 1},
        {"^\\s*SaveEventMap\\s*\\=\\s*(\\d+)", 1},
        {"^\\s*SaveEventRem\\s*\\=\\s*(\\d+)", 1},
        {"^\\s*TextOption\\s*\\=\\s*(\\S{1,1}.*)$", 1},
        {"^\\s*IntOptions\\s*\\=\\s*(\\-*\\d+)\\,(\\-*\\d+)\\,(\\-*\\d+)\\,(\\-*\\d+)", 4},

        {"^\\s*FilePath\\s*\\=\\s*(\\S.*)$", 1},

        {"^\\s*Name\\s*\\=\\s*(\\S.*)$", 1},
        {"^\\s*ChipPage\\s*\\=\\s*(\\d+)", 1},
        {"^\\s*View\\s*\\=\\s*(\\d+)", 1},
        {"^\\s*SaveType\\s*\\=\\s*(\\d+)", 1},
        {"^\\s*DataSize\\s*\\=\\s*(\\d+)", 1},

        {"^\\s*Type\\s*\\=\\s*(\\-*\\d+)$", 1},
        {"^\\s*Rect\\s*\\=\\s*(\\-*\\d+),\\s*(\\-*\\d+),\\s*(\\-*\\d+),\\s*(\\-*\\d+)", 4},
        {"^\\s*Map\\s*\\=\\s*(\\S{1,1}.*)$", 1},
        {"^\\s*Pos\\s*\\=\\s*(\\-*\\d+),\\s*(\\-*\\d+)", 2},
        {"^\\s*Option\\s*\\=\\s*(\\-*\\d+),\\s*(\\-*\\d+)", 2},
        {"^\\s*Rem\\s*\\=\\s*(\\S{1,1}.*)$", 1},

        {"^\\s*Text\\s*\\=\\s*(\\S.*)$", 1},
        {"^\\s*Size\\s*\\=\\s*(\\-*\\d+)", 1},
        {"^\\s*Color\\s*\\=\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)", 3},

        {"^\\s*<property>", 1},
        {"^\\s*</property>", 1},
        {"^\\s*<event>", 1},
        {"^\\s*</event>", 1},
        {"^\\s*<text>", 1},
        {"^\\s*</text>", 1},
        {"^\\s*<data>", 1},
        {"^\\s*</data>", 1},
        {"^\\s*</chip>", 1},
        {"^\\s*</map>", 1},
    }};

constexpr const MapLinePattern& PatternOf(MapLine kind)
{
    return MapLinePatterns[static_cast<std::size_t>(kind)];
}

using LineGroups = std::vector<std::string_view>;

/**
 * Whether line is of the kind, by the program's matcher with the kind's pattern; on true the
 * groups are views into line. Each pattern is compiled once, on first use.
 */
bool MatchLine(MapLine kind, std::string_view line, LineGroups& groups);
