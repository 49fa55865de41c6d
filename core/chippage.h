#pragma once

#include "cimage.h"

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

/** One chip page slot: a tile sheet cut into chips of one size. */
struct CChipPage {
    CImage Image;             ///< the decoded sheet; a page is in use when it is not null
    /** CP932 bytes; empty for an empty page. A path without an image names a sheet the map
     *  file gave that could not be read: the page is not in use, but the map keeps naming it. */
    std::string FilePath;
    int32_t ChipWidth = 0;    ///< pixels
    int32_t ChipHeight = 0;   ///< pixels
    int32_t Columns = 0;      ///< image width / chip width, at least 1 when in use
    int32_t Rows = 0;         ///< image height / chip height, may be 0
    int16_t LeftChip = -1;    ///< chosen for the left button, -1 for none
    int16_t RightChip = -1;   ///< chosen for the right button, -1 for none
    /** The sheet prepared for drawing on the map (key applied, premultiplied ARGB); made once per
     *  load or re-cut so that drawing a chip is a plain blend. */
    QImage Prepared;
    /** Per chip of Prepared, made with it: 0 all pixels transparent, 1 all opaque, 2 only
     *  transparent and opaque pixels, 3 some pixels partly transparent. */
    std::vector<uint8_t> ChipKinds;

    bool InUse() const { return !Image.IsNull(); }
    int ChipCount() const { return Columns * Rows; }
};
