// Loading a stage: the stage select loads one every frame while a key is held.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "course/stage.h"
#include "course/stage_file.h"

namespace {

namespace fs = std::filesystem;

const char kStageText[] =
    "format:tidewake1.5\nName\nInfo1\nInfo2\n10\nBuoys\n9000,2000\n18000,3500\n"
    "21500,11500\n18000,20000\n9000,21000\n3500,12000\nStands\n6204,2516,900\n"
    "16586,1034,900\n22794,8969,900\n20719,19173,900\n11031,22987,900\n2561,14683,900\n"
    "Ramp\n4325,10500\n18420,4460\nBestLap\n99999,99999,99999\n99999,99999,99999\n";

// A working folder holding four stages like the shipped ones.
class StageCopies {
  public:
    StageCopies() {
        home_ = fs::current_path();
        char pattern[] = "/tmp/tidewake-stage-bench-XXXXXX";
        if (mkdtemp(pattern) == nullptr) std::abort();
        root_ = pattern;
        fs::create_directory(root_ / "stage");
        for (const char* name : {"01.dat", "02.dat", "03.dat", "04.dat"}) {
            std::FILE* file = std::fopen((root_ / "stage" / name).c_str(), "wb");
            if (file == nullptr) std::abort();
            std::fputs(kStageText, file);
            std::fclose(file);
        }
        fs::current_path(root_);
        CountStages();
    }
    ~StageCopies() {
        fs::current_path(home_);
        fs::remove_all(root_);
    }

  private:
    fs::path home_;
    fs::path root_;
};

void BM_LoadStage(benchmark::State& state) {
    StageCopies copies;
    int32_t number = 1;
    for (auto _ : state) {
        if (!LoadStage(number)) state.SkipWithError("stage did not load");
        number = number % StageCount + 1;
    }
}
BENCHMARK(BM_LoadStage);

void BM_ParseStageFile(benchmark::State& state) {
    const std::string text = kStageText;
    StageFile stage;
    StageFileError error;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseStageFile(text.data(), text.size(), stage, error));
    }
}
BENCHMARK(BM_ParseStageFile);

}  // namespace
