#pragma once

#include <array>
#include <string_view>

/** How a line pattern of the map file reader is built; see LinePattern. */
enum class LineShape {
    Numbers,      ///< keyword, "=", then one to four decimal groups
    NoBlankToEnd, ///< keyword, "=", then one group of non-blank characters up to the line's end
    RestOfLine,   ///< keyword, "=", then one group from the first non-blank character to the end
};

/** One pattern the map file reader tries on a line. Pattern is the matcher's pattern text; the
 *  other fields describe it so that MatchLine can recognise it in one pass over the line. */
struct LinePattern {
    const char* Pattern;          ///< as given to CPtnMatch::Match
    const char* Keyword;          ///< literal text up to the equals sign
    LineShape Shape;
    int Groups = 1;               ///< number of captured groups (1 to 4)
    bool BlanksAroundEquals = true;  ///< "\s*\=\s*" rather than a bare "\="
    bool LooseComma = false;      ///< ",\s*" between groups rather than a bare ","
    bool Dashes = false;          ///< "\-*" before each group's digits
    bool AtEnd = false;           ///< "$" right after the last group
    char Close = 0;               ///< a literal byte right after the last group, or 0
};

using LineGroups = std::array<std::string_view, 4>;

/** Recognises a line exactly as CPtnMatch::Match recognises the pattern's text, in time linear
 *  in the line's length: true when it matches, with the groups as views into the line. The
 *  matcher's own search nests with the line's length, which a hostile file could exploit; the
 *  tests compare the two on generated and on written lines. */
bool MatchLine(const LinePattern& pattern, std::string_view line, LineGroups& groups);

/** True when tag occurs in the line starting on a character boundary (CP932 aware). */
bool ContainsTag(std::string_view line, std::string_view tag);

/** The patterns of the reader, in the order it tries them. */
namespace MapFilePatterns {
inline constexpr LinePattern ChipPageTag{"<chip page\\=(\\d+)>", "<chip page", LineShape::Numbers,
                                         1, false, false, false, false, '>'};
inline constexpr LinePattern MapPageTag{"<map page\\=(\\d+)>", "<map page", LineShape::Numbers,
                                        1, false, false, false, false, '>'};

inline constexpr LinePattern ChipSize{"ChipSize\\s*\\=\\s*(\\d+)\\,(\\d+)", "ChipSize",
                                      LineShape::Numbers, 2};
inline constexpr LinePattern MapSize{"MapSize\\s*\\=\\s*(\\d+)\\,(\\d+)", "MapSize",
                                     LineShape::Numbers, 2};
inline constexpr LinePattern FontSize{"FontSize\\s*\\=\\s*(\\d+)", "FontSize", LineShape::Numbers};
inline constexpr LinePattern FontColor{"FontColor\\s*\\=\\s*(\\d+)\\,(\\d+)\\,(\\d+)", "FontColor",
                                       LineShape::Numbers, 3};
inline constexpr LinePattern ViewText{"ViewText\\s*\\=\\s*(\\d+)", "ViewText", LineShape::Numbers};
inline constexpr LinePattern SaveText{"SaveText\\s*\\=\\s*(\\d+)", "SaveText", LineShape::Numbers};
inline constexpr LinePattern ViewEvent{"ViewEvent\\s*\\=\\s*(\\d+)", "ViewEvent",
                                       LineShape::Numbers};
inline constexpr LinePattern SaveEvent{"SaveEvent\\s*\\=\\s*(\\d+)", "SaveEvent",
                                       LineShape::Numbers};
inline constexpr LinePattern SaveEventMap{"SaveEventMap\\s*\\=\\s*(\\d+)", "SaveEventMap",
                                          LineShape::Numbers};
inline constexpr LinePattern SaveEventRem{"SaveEventRem\\s*\\=\\s*(\\d+)", "SaveEventRem",
                                          LineShape::Numbers};
inline constexpr LinePattern TextOption{"TextOption\\s*\\=\\s*(\\S{1,1}.*)$", "TextOption",
                                        LineShape::RestOfLine};
inline constexpr LinePattern IntOptions{
    "IntOptions\\s*\\=\\s*(\\-*\\d+)\\,(\\-*\\d+)\\,(\\-*\\d+)\\,(\\-*\\d+)", "IntOptions",
    LineShape::Numbers, 4, true, false, true};

inline constexpr LinePattern FilePath{"FilePath\\s*\\=\\s*(\\S.*)$", "FilePath",
                                      LineShape::RestOfLine};

inline constexpr LinePattern Name{"Name\\s*\\=\\s*(\\S+)$", "Name", LineShape::NoBlankToEnd};
inline constexpr LinePattern ChipPage{"ChipPage\\s*\\=\\s*(\\d+)", "ChipPage", LineShape::Numbers};
inline constexpr LinePattern View{"View\\s*\\=\\s*(\\d+)", "View", LineShape::Numbers};
inline constexpr LinePattern SaveType{"SaveType\\s*\\=\\s*(\\d+)", "SaveType", LineShape::Numbers};
inline constexpr LinePattern DataSize{"DataSize\\s*\\=\\s*(\\d+)", "DataSize", LineShape::Numbers};

inline constexpr LinePattern EventType{"Type\\s*\\=\\s*(\\d+)$", "Type", LineShape::Numbers, 1,
                                       true, false, false, true};
inline constexpr LinePattern Rect{"Rect\\s*\\=\\s*(\\d+),\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)", "Rect",
                                  LineShape::Numbers, 4, true, true};
inline constexpr LinePattern Map{"Map\\s*\\=\\s*(\\S{1,1}.*)$", "Map", LineShape::RestOfLine};
inline constexpr LinePattern Pos{"Pos\\s*\\=\\s*(\\d+),\\s*(\\d+)", "Pos", LineShape::Numbers, 2,
                                 true, true};
inline constexpr LinePattern Option{"Option\\s*\\=\\s*(\\d+),\\s*(\\d+)", "Option",
                                    LineShape::Numbers, 2, true, true};
inline constexpr LinePattern Rem{"Rem\\s*\\=\\s*(\\S{1,1}.*)$", "Rem", LineShape::RestOfLine};

inline constexpr LinePattern Text{"Text\\s*\\=\\s*(\\S+)$", "Text", LineShape::NoBlankToEnd};
// A text may hang half over the map's top or left edge, so its box can start below zero.
inline constexpr LinePattern TextRect{
    "Rect\\s*\\=\\s*(\\-*\\d+),\\s*(\\-*\\d+),\\s*(\\-*\\d+),\\s*(\\-*\\d+)", "Rect",
    LineShape::Numbers, 4, true, true, true};
inline constexpr LinePattern Size{"Size\\s*\\=\\s*(\\d+)", "Size", LineShape::Numbers};
inline constexpr LinePattern Color{"Color\\s*\\=\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)", "Color",
                                   LineShape::Numbers, 3, true, true};
}  // namespace MapFilePatterns
