#pragma once

/** A point in the units its owner names (cells, map pixels). */
struct IntPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const IntPoint&, const IntPoint&) = default;
};

/** A size in pixels. */
struct IntSize {
    int Width = 0;
    int Height = 0;
    friend bool operator==(const IntSize&, const IntSize&) = default;
};

/** A rectangle as four edges; whether right and bottom are inclusive is its owner's rule. */
struct IntRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    friend bool operator==(const IntRect&, const IntRect&) = default;
};
