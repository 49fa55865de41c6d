#pragma once

#include <array>
#include <string_view>

/** How a line pattern of the map file reader is built; see LinePattern. */
enum class LineShape {
    Numbers,     ///< keyword, "=", then one to four decimal groups
    RestOfLine,  ///< keyword, "=", then one group from the first non-blank character to the end
};

/** One pattern the map file reader tries on a line. Pattern is the matcher's pattern text; the
 *  other fields describe it so that MatchLine can recognise it in one pass over the line.
 *  Every pattern opens with "^\s*": a key counts only where it opens its line, so a value that
 *  holds "Map = " or "FontSize=" is only a value. */
struct LinePattern {
    const char* Pattern;          ///< as given to CPtnMatch::Match
    const char* Keyword;          ///< literal text after the leading blanks up to the equals sign
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

/** True when the line opens with tag after leading blanks and tabs, as the matcher finds
 *  "^\s*" followed by the tag's text. The reader's block tags count only there, so a value
 *  holding "</data>" cannot end its record. */
bool OpensWithTag(std::string_view line, std::string_view tag);

/** True when tag occurs in the line starting on a character boundary (CP932 aware). */
bool ContainsTag(std::string_view line, std::string_view tag);

/** The patterns of the reader, in the order it tries them.
 *  Text values (RestOfLine) start at their first non-blank character: the format cannot tell a
 *  value's leading blanks from the blanks after the equals sign, so those are the one thing a
 *  value loses; an empty value, or one of blanks only, reads as empty. Trailing blanks stay. */
namespace MapFilePatterns {
inline constexpr LinePattern ChipPageTag{"^\\s*<chip page\\=(\\d+)>", "<chip page",
                                         LineShape::Numbers, 1, false, false, false, false, '>'};
inline constexpr LinePattern MapPageTag{"^\\s*<map page\\=(\\d+)>", "<map page",
                                        LineShape::Numbers, 1, false, false, false, false, '>'};

inline constexpr LinePattern ChipSize{"^\\s*ChipSize\\s*\\=\\s*(\\d+)\\,(\\d+)", "ChipSize",
                                      LineShape::Numbers, 2};
inline constexpr LinePattern MapSize{"^\\s*MapSize\\s*\\=\\s*(\\d+)\\,(\\d+)", "MapSize",
                                     LineShape::Numbers, 2};
inline constexpr LinePattern FontSize{"^\\s*FontSize\\s*\\=\\s*(\\d+)", "FontSize",
                                      LineShape::Numbers};
inline constexpr LinePattern FontColor{"^\\s*FontColor\\s*\\=\\s*(\\d+)\\,(\\d+)\\,(\\d+)",
                                       "FontColor", LineShape::Numbers, 3};
inline constexpr LinePattern ViewText{"^\\s*ViewText\\s*\\=\\s*(\\d+)", "ViewText",
                                      LineShape::Numbers};
inline constexpr LinePattern SaveText{"^\\s*SaveText\\s*\\=\\s*(\\d+)", "SaveText",
                                      LineShape::Numbers};
inline constexpr LinePattern ViewEvent{"^\\s*ViewEvent\\s*\\=\\s*(\\d+)", "ViewEvent",
                                       LineShape::Numbers};
inline constexpr LinePattern SaveEvent{"^\\s*SaveEvent\\s*\\=\\s*(\\d+)", "SaveEvent",
                                       LineShape::Numbers};
inline constexpr LinePattern SaveEventMap{"^\\s*SaveEventMap\\s*\\=\\s*(\\d+)", "SaveEventMap",
                                          LineShape::Numbers};
inline constexpr LinePattern SaveEventRem{"^\\s*SaveEventRem\\s*\\=\\s*(\\d+)", "SaveEventRem",
                                          LineShape::Numbers};
inline constexpr LinePattern TextOption{"^\\s*TextOption\\s*\\=\\s*(\\S{1,1}.*)$", "TextOption",
                                        LineShape::RestOfLine};
inline constexpr LinePattern IntOptions{
    "^\\s*IntOptions\\s*\\=\\s*(\\-*\\d+)\\,(\\-*\\d+)\\,(\\-*\\d+)\\,(\\-*\\d+)", "IntOptions",
    LineShape::Numbers, 4, true, false, true};

inline constexpr LinePattern FilePath{"^\\s*FilePath\\s*\\=\\s*(\\S.*)$", "FilePath",
                                      LineShape::RestOfLine};

inline constexpr LinePattern Name{"^\\s*Name\\s*\\=\\s*(\\S.*)$", "Name", LineShape::RestOfLine};
inline constexpr LinePattern ChipPage{"^\\s*ChipPage\\s*\\=\\s*(\\d+)", "ChipPage",
                                      LineShape::Numbers};
inline constexpr LinePattern View{"^\\s*View\\s*\\=\\s*(\\d+)", "View", LineShape::Numbers};
inline constexpr LinePattern SaveType{"^\\s*SaveType\\s*\\=\\s*(\\d+)", "SaveType",
                                      LineShape::Numbers};
inline constexpr LinePattern DataSize{"^\\s*DataSize\\s*\\=\\s*(\\d+)", "DataSize",
                                      LineShape::Numbers};

// Every number the event and text dialogs accept may be negative (a text may also hang half
// over the map's top or left edge, so its box can start below zero).
inline constexpr LinePattern EventType{"^\\s*Type\\s*\\=\\s*(\\-*\\d+)$", "Type",
                                       LineShape::Numbers, 1, true, false, true, true};
inline constexpr LinePattern Rect{
    "^\\s*Rect\\s*\\=\\s*(\\-*\\d+),\\s*(\\-*\\d+),\\s*(\\-*\\d+),\\s*(\\-*\\d+)", "Rect",
    LineShape::Numbers, 4, true, true, true};
inline constexpr LinePattern Map{"^\\s*Map\\s*\\=\\s*(\\S{1,1}.*)$", "Map", LineShape::RestOfLine};
inline constexpr LinePattern Pos{"^\\s*Pos\\s*\\=\\s*(\\-*\\d+),\\s*(\\-*\\d+)", "Pos",
                                 LineShape::Numbers, 2, true, true, true};
inline constexpr LinePattern Option{"^\\s*Option\\s*\\=\\s*(\\-*\\d+),\\s*(\\-*\\d+)", "Option",
                                    LineShape::Numbers, 2, true, true, true};
inline constexpr LinePattern Rem{"^\\s*Rem\\s*\\=\\s*(\\S{1,1}.*)$", "Rem", LineShape::RestOfLine};

inline constexpr LinePattern Text{"^\\s*Text\\s*\\=\\s*(\\S.*)$", "Text", LineShape::RestOfLine};
inline constexpr LinePattern Size{"^\\s*Size\\s*\\=\\s*(\\-*\\d+)", "Size", LineShape::Numbers, 1,
                                  true, false, true};
inline constexpr LinePattern Color{"^\\s*Color\\s*\\=\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)", "Color",
                                   LineShape::Numbers, 3, true, true};
}  // namespace MapFilePatterns
