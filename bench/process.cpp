// The command line as a pipeline runs it: the whole quelp process, start to exit, on the
// 512 x 512 map with eight full layers. QUELP_BENCH_BINARY measures another build of quelp.
#include "mapfilebench.h"

#include "mapfile/mapfilewriter.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

/** A private folder with the big map, a small one and an empty settings home; removed at exit. */
class CWorkFolder {
public:
    CWorkFolder()
    {
        char pattern[] = "/tmp/quelp-bench-process-XXXXXX";
        if (!mkdtemp(pattern))
            return;
        Path = pattern;
        CBigMap big;
        Write(big.Doc, "big.mpx");
        // A small map with a text: what a picture export starts, without the big picture.
        MemorySettingsStore store;
        NullUiPort ui;
        CQuelpDoc small(store, ui);
        small.OnNewDocument();
        CMemo memo;
        memo.Text = "label";
        memo.Rect = {0, 0, 80, 16};
        small.Texts.Append(memo);
        small.SaveText = 1;
        Write(small, "small.mpx");
    }
    ~CWorkFolder()
    {
        std::error_code ignored;
        if (!Path.empty())
            std::filesystem::remove_all(Path, ignored);
    }
    void Write(CQuelpDoc& doc, const char* name) const
    {
        std::string bytes;
        WriteMapFile(doc, bytes, Path + "/");
        std::ofstream(Path + "/" + name, std::ios::binary) << bytes;
    }
    CWorkFolder(const CWorkFolder&) = delete;
    CWorkFolder& operator=(const CWorkFolder&) = delete;

    std::string Path;
};

const CWorkFolder& Work()
{
    static const CWorkFolder folder;
    return folder;
}

std::string Binary()
{
    const char* other = std::getenv("QUELP_BENCH_BINARY");
    return other && *other ? other : QUELP_BINARY;
}

/** Runs quelp with the arguments, output to /dev/null, the settings in the work folder; the exit
 *  status, or -1 when it could not start or did not exit. */
int RunQuelp(const std::vector<std::string>& args)
{
    const std::string binary = Binary();
    std::vector<char*> argv{const_cast<char*>(binary.c_str())};
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);

    // The user's own settings never take part: HOME and XDG_CONFIG_HOME point at the folder.
    const std::string home = "HOME=" + Work().Path;
    const std::string config = "XDG_CONFIG_HOME=" + Work().Path + "/config";
    std::vector<char*> env;
    for (char** e = environ; *e; ++e)
        if (std::string_view(*e).rfind("HOME=", 0) != 0 &&
            std::string_view(*e).rfind("XDG_CONFIG_HOME=", 0) != 0)
            env.push_back(*e);
    env.push_back(const_cast<char*>(home.c_str()));
    env.push_back(const_cast<char*>(config.c_str()));
    env.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, binary.c_str(), &actions, nullptr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

void RunEach(benchmark::State& state, const std::vector<std::string>& args)
{
    if (Work().Path.empty()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    for (auto _ : state) {
        if (RunQuelp(args) != 0) {
            state.SkipWithError(("quelp failed: " + Binary()).c_str());
            return;
        }
    }
}

void BM_ProcessResave(benchmark::State& state)
{
    RunEach(state, {"--resave", Work().Path + "/big.mpx", Work().Path + "/out.mpx"});
}
BENCHMARK(BM_ProcessResave)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ProcessExportBinary(benchmark::State& state)
{
    RunEach(state, {"--export-binary", Work().Path + "/big.mpx", Work().Path + "/out.mpb"});
}
BENCHMARK(BM_ProcessExportBinary)->Unit(benchmark::kMillisecond)->UseRealTime();

// A picture needs fonts for its texts: the start of the font system, on a small map.
void BM_ProcessExportImage(benchmark::State& state)
{
    RunEach(state, {"--export-image", Work().Path + "/small.mpx", Work().Path + "/out.png"});
}
BENCHMARK(BM_ProcessExportImage)->Unit(benchmark::kMillisecond)->UseRealTime();

// The program that does nothing but start and exit, for scale.
void BM_ProcessVersion(benchmark::State& state)
{
    RunEach(state, {"--version"});
}
BENCHMARK(BM_ProcessVersion)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
