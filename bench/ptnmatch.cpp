// The pattern matcher on the lines of a map file, as the reader tries its patterns in order.
#include "mapfile/ptnmatch.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::string> kPropertyPatterns = {
    "ChipSize\\s*\\=\\s*(\\d+)\\,(\\d+)",
    "MapSize\\s*\\=\\s*(\\d+)\\,(\\d+)",
    "FontSize\\s*\\=\\s*(\\d+)",
    "FontColor\\s*\\=\\s*(\\d+)\\,(\\d+)\\,(\\d+)",
    "ViewText\\s*\\=\\s*(\\d+)",
    "SaveText\\s*\\=\\s*(\\d+)",
    "ViewEvent\\s*\\=\\s*(\\d+)",
    "SaveEvent\\s*\\=\\s*(\\d+)",
    "SaveEventMap\\s*\\=\\s*(\\d+)",
    "SaveEventRem\\s*\\=\\s*(\\d+)",
    "TextOption\\s*\\=\\s*(\\S{1,1}.*)$",
    "IntOptions\\s*\\=\\s*(\\-*\\d+)\\,(\\-*\\d+)\\,(\\-*\\d+)\\,(\\-*\\d+)",
};

const std::vector<std::string> kEventPatterns = {
    "Type\\s*\\=\\s*(\\d+)$",
    "Rect\\s*\\=\\s*(\\d+),\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)",
    "Map\\s*\\=\\s*(\\S{1,1}.*)$",
    "Pos\\s*\\=\\s*(\\d+),\\s*(\\d+)",
    "Option\\s*\\=\\s*(\\d+),\\s*(\\d+)",
    "Rem\\s*\\=\\s*(\\S{1,1}.*)$",
};

// Tries the patterns in order until one applies, as the reader does; returns the groups seen.
std::size_t MatchInOrder(const std::string& line, const std::vector<std::string>& patterns)
{
    std::vector<std::string> groups;
    for (const std::string& p : patterns) {
        if (CPtnMatch::Match(line, p, groups))
            return groups.size();
    }
    return 0;
}

void BM_MatchLine(benchmark::State& state)
{
    const std::vector<std::string> property = {
        "\tChipSize = 16,16", "\tMapSize = 50,50", "\tFontSize = 10",
        "\tFontColor = 0,0,0", "\tSaveEventRem = 1", "\tTextOption = abc",
        "\tIntOptions = 0,-1,2,3",
    };
    const std::vector<std::string> event = {
        "\t\tType = 1", "\t\tRect = 3,4,15,6", "\t\tMap = [MapFolder]town.mpx",
        "\t\tPos = 10,12", "\t\tOption = 0,0", "\t\tRem = a remark",
    };
    std::size_t lines = 0;
    for (auto _ : state) {
        for (const std::string& line : property)
            benchmark::DoNotOptimize(MatchInOrder(line, kPropertyPatterns));
        for (const std::string& line : event)
            benchmark::DoNotOptimize(MatchInOrder(line, kEventPatterns));
        lines += property.size() + event.size();
    }
    state.SetItemsProcessed(static_cast<int64_t>(lines));
}
BENCHMARK(BM_MatchLine);

void BM_MatchHostileLine(benchmark::State& state)
{
    const std::size_t n = 100 * 1024;
    const std::vector<std::string> lines = {
        "\t\tRect = " + std::string(n, ' '),
        "\t\tRect = " + std::string(n, '7') + ",1,2,3",
        "\t\tMap = a" + std::string(n, ' '),
        "\tIntOptions = " + std::string(n, '-') + "1,2,3,4",
    };
    std::size_t bytes = 0;
    for (auto _ : state) {
        for (const std::string& line : lines) {
            benchmark::DoNotOptimize(MatchInOrder(line, kEventPatterns));
            benchmark::DoNotOptimize(MatchInOrder(line, kPropertyPatterns));
            bytes += line.size();
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(BM_MatchHostileLine)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
