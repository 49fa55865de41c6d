// The binary export of a 512 x 512 map with eight full layers.
#include "mapfilebench.h"

#include "export/binarymap.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <unistd.h>

namespace {

void BM_BinaryExport(benchmark::State& state)
{
    CBigMap map;
    for (auto _ : state) {
        const std::string bytes = BuildBinaryMap(map.Doc);
        benchmark::DoNotOptimize(bytes.data());
        state.counters["bytes"] = static_cast<double>(bytes.size());
    }
}
BENCHMARK(BM_BinaryExport)->Unit(benchmark::kMillisecond);

// The same written to disk, flushed and renamed into place.
void BM_BinaryExportToDisk(benchmark::State& state)
{
    CBigMap map;
    char folder[] = "/tmp/quelp-bench-XXXXXX";
    if (!mkdtemp(folder)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string path = std::string(folder) + "/big.mpb";
    for (auto _ : state) {
        std::string error;
        if (!WriteBinaryMap(path, map.Doc, &error))
            state.SkipWithError(error.c_str());
    }
    std::remove(path.c_str());
    rmdir(folder);
}
BENCHMARK(BM_BinaryExportToDisk)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
