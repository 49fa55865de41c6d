#pragma once

#include <vector>

/** Nearest-neighbour mapping of target pixels onto the pixels of a picture drawn at full size:
 *  for each target column and row, the source column and row. Every path that stretches the map
 *  (the map view, tests comparing with a stretched full-size picture) uses this one rule. */
struct StretchMap {
    std::vector<int> SourceX;
    std::vector<int> SourceY;
    bool IdentityX = false;   ///< SourceX[i] == i

    /** One target pixel per source pixel. */
    static StretchMap Identity(int width, int height);
    /** Source sourceWidth x sourceHeight stretched onto targetWidth x targetHeight, each target
     *  pixel taking the source pixel under its centre. */
    static StretchMap Fit(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight);
};
