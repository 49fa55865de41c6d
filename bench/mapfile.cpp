// The map file of a 512 x 512 map with eight full layers, one of many records (where the line
// patterns cost, as cell rows are not matched), and a hostile 10 MB file.
#include "mapfilebench.h"

#include "mapfile/mapdocumentfile.h"
#include "mapfile/mapfilereader.h"
#include "mapfile/mapfilewriter.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <unistd.h>

namespace {

void BM_MapFileSave(benchmark::State& state)
{
    CBigMap map;
    for (auto _ : state) {
        std::string bytes;
        WriteMapFile(map.Doc, bytes, "/maps/");
        benchmark::DoNotOptimize(bytes.data());
        state.counters["bytes"] = static_cast<double>(bytes.size());
    }
}
BENCHMARK(BM_MapFileSave)->Unit(benchmark::kMillisecond);

// The same written to disk: temporary file, flush to the disk, rename.
void BM_MapFileSaveToDisk(benchmark::State& state)
{
    CBigMap map;
    char folder[] = "/tmp/quelp-bench-XXXXXX";
    if (!mkdtemp(folder)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string path = std::string(folder) + "/big.mpx";
    for (auto _ : state) {
        std::string error;
        if (!SaveMapFile(map.Doc, path, error))
            state.SkipWithError(error.c_str());
    }
    std::remove(path.c_str());
    rmdir(folder);
}
BENCHMARK(BM_MapFileSaveToDisk)->Unit(benchmark::kMillisecond);

void BM_MapFileLoad(benchmark::State& state)
{
    std::string bytes;
    {
        CBigMap map;
        WriteMapFile(map.Doc, bytes, "/maps/");
    }
    CBigMap target;
    for (auto _ : state) {
        ReadMapFile(target.Doc, bytes, "/maps/");
        benchmark::DoNotOptimize(target.Doc.Layers[7].Cells->data());
    }
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}
BENCHMARK(BM_MapFileLoad)->Unit(benchmark::kMillisecond);

// A small map carrying 20,000 events and 20,000 texts: nearly every line goes to the patterns.
void BM_MapFileLoadRecords(benchmark::State& state)
{
    std::string bytes;
    {
        CBigMap map;
        map.Doc.OnNewDocument();
        for (int i = 0; i < 20000; ++i) {
            CEventData event;
            event.Type = i % 7 - 1;
            event.Rect = {i % 500, i % 300, i % 500 + 2, i % 300 + 1};
            event.Map = "/maps/next" + std::to_string(i) + ".mpx";
            event.Rem = "remark " + std::to_string(i);
            event.Pos = {i % 40, -(i % 9)};
            map.Doc.Events.Append(event);
            CMemo memo;
            memo.Text = "label " + std::to_string(i);
            memo.Rect = {i % 512 * 16, i % 256 * 16, i % 512 * 16 + 60, i % 256 * 16 + 14};
            memo.Color = static_cast<uint32_t>(i) * 2654435761u % 0x1000000u;
            map.Doc.Texts.Append(memo);
        }
        WriteMapFile(map.Doc, bytes, "/maps/");
    }
    CBigMap target;
    for (auto _ : state) {
        ReadMapFile(target.Doc, bytes, "/maps/");
        benchmark::DoNotOptimize(target.Doc.Texts.GetCount());
    }
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}
BENCHMARK(BM_MapFileLoadRecords)->Unit(benchmark::kMillisecond);

// About 10 MB of what a damaged or malicious file may hold.
std::string HostileFile()
{
    std::string text = "<property>\n";
    text += "\tFontSize = " + std::string(200000, ' ') + "17\n";
    text += "\tTextOption = " + std::string(1000000, 'y') + "\n";
    text += "\tMapSize = " + std::string(1000000, '9') + ",3\n";
    text += "\tIntOptions = " + std::string(500000, '-') + "1,2,3,4\n";
    for (int i = 0; i < 200000; ++i)
        text += "Name=";  // an occurrence on every fifth byte, none completes
    text += "\n";
    for (int i = 0; i < 20000; ++i)
        text += "\tChipSize = 16, 16 SaveEvent = x\tSaveEventMap=\n";
    text += "</property>\n<map page=0>\n\tName = " + std::string(500000, 'n') + "\n\t<data>\n\t\t";
    for (int i = 0; i < 1000000; ++i)
        text += "12,";
    text += "\n\t</data>\n</map>\n";
    for (int i = 0; i < 2000; ++i)
        text += "<chip page=3>\n\tFilePath = /nonexistent/" + std::to_string(i) + ".png\n</chip>\n";
    text += "<event>\n";
    for (int i = 0; i < 40000; ++i)
        text += "\t<data>\n\t\tRect = 1,2,3,4 Rect = " + std::string(20, '5') + "\n<text>\n";
    text += "</event>\n<text>\n\t<data>\n\t\tText = " + std::string(500000, 't') + " x\n";
    while (text.size() < 10000000)
        text += "<map page=1>\n<<</data><map page=</map\n</map>\n";
    return text;
}

void BM_HostileLoad(benchmark::State& state)
{
    const std::string bytes = HostileFile();
    CBigMap target;
    for (auto _ : state) {
        ReadMapFile(target.Doc, bytes, "/maps/");
        benchmark::DoNotOptimize(target.Doc.Events.GetCount());
    }
    state.counters["MB"] = static_cast<double>(bytes.size()) / 1e6;
}
BENCHMARK(BM_HostileLoad)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
