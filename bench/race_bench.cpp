// One race frame end to end (keys, boats, camera, course world with its tests, markers, lap
// list and place, pace wait on the virtual clock, present), at the start grid and mid-race; and
// the whole race of a ghost.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "base/app_state.h"
#include "base/program_dir.h"
#include "base/trig_tables.h"
#include "course/stage.h"
#include "platform/headless/headless.h"
#include "race/ghost_race.h"
#include "race/race_clock.h"
#include "race/race_setup.h"
#include "race/replay.h"
#include "race/replay_course.h"
#include "race/replay_file.h"
#include "race/replay_state.h"
#include "screens/race_scene.h"
#include "screens/race_setup_scene.h"
#include "testing/race_driver.h"

namespace {

namespace fs = std::filesystem;

// Our first course, copied into a scratch folder so that a finish cannot write its records
// into the shipped stage.
class RaceOnFirstCourse {
  public:
    RaceOnFirstCourse() {
        home_ = fs::current_path();
        char pattern[] = "/tmp/tidewake-race-bench-XXXXXX";
        if (mkdtemp(pattern) == nullptr) std::abort();
        root_ = pattern;
        fs::create_directory(root_ / "stage");
        fs::copy_file(fs::path(TIDEWAKE_SOURCE_DIR) / "stage/01.dat", root_ / "stage/01.dat");
        fs::current_path(root_);
        headless::Reset();
        headless::SetExecutableDir(TIDEWAKE_BINARY_DIR);
        GetProgramDir();
        BuildTrigTables();
        LoadStage(1);
    }
    ~RaceOnFirstCourse() {
        fs::current_path(home_);
        fs::remove_all(root_);
        headless::SetText(true);
        headless::SetDrawing(true);
    }

    void Start() {
        ReplayMode = 0;
        for (int32_t& input : ReplayInputs) input = 0;
        ResetRaceState();
        ApplyOpponentPace();
        Scene = kSceneRace;
    }
    void Frame() {
        race_test::SteerTowardNextBuoy();
        RaceScene();
        if (Scene != kSceneRace) Start();
    }

  private:
    fs::path home_;
    fs::path root_;
};

void BM_RaceFrameAtTheStartGrid(benchmark::State& state) {
    RaceOnFirstCourse race;
    headless::SetText(state.range(0) != 0);
    for (auto _ : state) {
        state.PauseTiming();
        race.Start();
        state.ResumeTiming();
        RaceScene();
    }
}
BENCHMARK(BM_RaceFrameAtTheStartGrid)->Arg(0)->Arg(1)->ArgName("text");

// Frames from the middle of a race on, the race going on (and starting over when finished).
void BM_RaceFrameMidRace(benchmark::State& state) {
    RaceOnFirstCourse race;
    headless::SetText(state.range(0) != 0);
    race.Start();
    for (int k = 0; k < 1000; ++k) race.Frame();
    for (auto _ : state) race.Frame();
}
BENCHMARK(BM_RaceFrameMidRace)->Arg(0)->Arg(1)->ArgName("text");

// The simulation alone, as the runner's --no-draw plays it.
void BM_RaceFrameWithoutDrawing(benchmark::State& state) {
    RaceOnFirstCourse race;
    headless::SetDrawing(false);
    race.Start();
    for (auto _ : state) race.Frame();
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RaceFrameWithoutDrawing);

// A ghost's whole race as the stage select runs it before the countdown: the longest there is,
// over the ramp and on until the time is up (it must take less than a frame's 33 ms).
void BM_GhostOfTheLongestRace(benchmark::State& state) {
    RaceOnFirstCourse race;
    static ReplayFile replay;
    std::snprintf(replay.course, sizeof replay.course, "01.dat");
    replay.checksum = RacingDataChecksum();
    replay.pace = OpponentPace;
    replay.frames = kRaceFrameLimit;
    for (int32_t frame = 9; frame < 24; ++frame) replay.steering[frame] = kSteerLeft;
    static GhostTrack track;
    for (auto _ : state) {
        RunGhostRace(replay, track);
        benchmark::DoNotOptimize(track.lastFrame);
    }
    if (track.lastFrame != kRaceFrameLimit)
        state.SkipWithError("the ghost's race was not the longest");
}
BENCHMARK(BM_GhostOfTheLongestRace)->Unit(benchmark::kMillisecond);

}  // namespace
