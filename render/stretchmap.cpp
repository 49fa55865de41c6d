#include "stretchmap.h"

#include <cstddef>
#include <cstdint>

namespace {

std::vector<int> Axis(int source, int target)
{
    std::vector<int> map(static_cast<size_t>(target > 0 ? target : 0));
    for (int i = 0; i < target; ++i)
        map[static_cast<size_t>(i)] =
            static_cast<int>((int64_t{2} * i + 1) * source / (int64_t{2} * target));
    return map;
}

}  // namespace

StretchMap StretchMap::Identity(int width, int height)
{
    return Fit(width, height, width, height);
}

StretchMap StretchMap::Fit(int sourceWidth, int sourceHeight, int targetWidth, int targetHeight)
{
    StretchMap map;
    map.SourceX = Axis(sourceWidth, targetWidth);
    map.SourceY = Axis(sourceHeight, targetHeight);
    map.IdentityX = sourceWidth == targetWidth;
    return map;
}
