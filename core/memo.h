#pragma once

#include "geometry.h"

#include <cstdint>
#include <string>

/** A one-line text label on the map. */
struct CMemo {
    std::string Text;      ///< CP932 bytes
    IntRect Rect;          ///< full-size map pixels; right and bottom exclusive
    int Size = 10;         ///< points
    uint32_t Color = 0;    ///< colour reference: red in the low byte, then green, then blue
    friend bool operator==(const CMemo&, const CMemo&) = default;
};

/** Values of the text dialog; the size is the text of its size box. */
struct TextDialogValues {
    std::string Text;
    std::string SizeText;
    uint32_t Color = 0;
};

/** Copies colour, text and size (read as a decimal prefix, no range check) where they differ;
 *  returns whether anything changed. Rect is left alone. */
bool ApplyTextDialog(const TextDialogValues& dialog, CMemo& memo);
