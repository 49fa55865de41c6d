// Whole-map picture speed, as the picture export draws it (the map view's frame is measured by
// bm_views through the view's own painter).

#include "drawbench.h"
#include "render/maprender.h"

#include <benchmark/benchmark.h>

namespace {

void FullMap(benchmark::State& state, bool allHoles)
{
    CQuelpDoc& doc = *Map(allHoles).doc;
    for (auto _ : state) {
        CImage image;
        CreateImage(image, 512 * 16, 512 * 16, 24);
        DrawMapToImage(image, doc, WholeMapRange(doc), false);
        benchmark::DoNotOptimize(image.Pixels.constBits());
    }
}

void BM_FullMapImage(benchmark::State& state)
{
    FullMap(state, false);
}

void BM_FullMapImageAllHoles(benchmark::State& state)
{
    FullMap(state, true);
}

}  // namespace

BENCHMARK(BM_FullMapImage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullMapImageAllHoles)->Unit(benchmark::kMillisecond);
