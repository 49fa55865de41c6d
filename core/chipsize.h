#pragma once

// The one chip size of the whole program, in pixels. Read from the settings at start-up,
// changed by the chip size command and by a map file's ChipSize line; a new map keeps it.
inline int ChipWidth = 16;
inline int ChipHeight = 16;
