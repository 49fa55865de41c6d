// The pattern matcher on the lines of a map file, as the reader tries its patterns in order:
// compiled once as the reader has them, and compiled on every call.
#include "mapfile/linepatterns.h"
#include "mapfile/ptnmatch.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using L = MapLine;

const std::vector<MapLine> kPropertyPatterns = {
    L::ChipSize,  L::MapSize,      L::FontSize,     L::FontColor,  L::ViewText,   L::SaveText,
    L::ViewEvent, L::SaveEvent,    L::SaveEventMap, L::SaveEventRem, L::TextOption,
    L::IntOptions,
};

const std::vector<MapLine> kEventPatterns = {
    L::EventType, L::Rect, L::Map, L::Pos, L::Option, L::Rem,
};

// Tries the patterns in order until one applies, as the reader does; returns the groups seen.
// Compiled: the reader's way, each pattern compiled once. Otherwise compiled on every call.
template <bool Compiled>
std::size_t MatchInOrder(const std::string& line, const std::vector<MapLine>& patterns)
{
    if constexpr (Compiled) {
        LineGroups groups;
        for (MapLine p : patterns) {
            if (MatchLine(p, line, groups))
                return groups.size();
        }
    } else {
        std::vector<std::string> groups;
        for (MapLine p : patterns) {
            if (CPtnMatch::Match(line, PatternOf(p).Text, groups))
                return groups.size();
        }
    }
    return 0;
}

template <bool Compiled>
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
            benchmark::DoNotOptimize(MatchInOrder<Compiled>(line, kPropertyPatterns));
        for (const std::string& line : event)
            benchmark::DoNotOptimize(MatchInOrder<Compiled>(line, kEventPatterns));
        lines += property.size() + event.size();
    }
    state.SetItemsProcessed(static_cast<int64_t>(lines));
}
BENCHMARK(BM_MatchLine<true>)->Name("BM_MatchLine");
BENCHMARK(BM_MatchLine<false>)->Name("BM_MatchLineCompilingEach");

template <bool Compiled>
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
            benchmark::DoNotOptimize(MatchInOrder<Compiled>(line, kEventPatterns));
            benchmark::DoNotOptimize(MatchInOrder<Compiled>(line, kPropertyPatterns));
            bytes += line.size();
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
}
BENCHMARK(BM_MatchHostileLine<true>)->Name("BM_MatchHostileLine")->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MatchHostileLine<false>)
    ->Name("BM_MatchHostileLineCompilingEach")
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
