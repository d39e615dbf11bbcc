// Whole races on one of our courses: a live race steered through the keys, pinned bit for bit,
// and its replay, which must drive the very same race from the steering record alone.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/keys.h"
#include "base/program_dir.h"
#include "base/trig_tables.h"
#include "course/stage.h"
#include "race/race_setup.h"
#include "race/records.h"
#include "race/replay_state.h"
#include "screens/race_scene.h"
#include "screens/race_setup_scene.h"
#include "testing/race_driver.h"
#include "testing/race_state_dump.h"
#include "testing/stage_folder.h"

namespace {

namespace fs = std::filesystem;
using stage_test::StageFolder;

// FNV-1a over every byte of the trace rows.
uint64_t Fnv(const std::string& text, uint64_t hash = 14695981039346656037ull) {
    for (const unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

class WholeRace : public StageFolder {
  protected:
    void SetUp() override {
        StageFolder::SetUp();
        headless::SetExecutableDir(TIDEWAKE_BINARY_DIR);
        headless::SetDrawing(false);
        GetProgramDir();
        BuildTrigTables();
        Write("01.dat", stage_test::ReadBytes(fs::path(TIDEWAKE_SOURCE_DIR) / "stage/01.dat"));
        ASSERT_TRUE(LoadStage(1));
        StageNumber = 1;
        for (int32_t& input : ReplayInputs) input = 0;
        ReplayMode = 0;
        RaceDownKey = RaceLeftKey = RaceRightKey = RaceQuitKey = kKeyUp;
    }
    void TearDown() override {
        headless::SetDrawing(true);
        StageFolder::TearDown();
    }

    // Runs race frames until the race scene ends, steering with `steer` before each frame; the
    // boats and progress after each frame, and in `world` the course world's.
    template <typename Steer>
    std::vector<std::string> Race(Steer steer) {
        std::vector<std::string> rows;
        world.clear();
        while (Scene == kSceneRace && rows.size() < 7000) {
            steer(static_cast<int32_t>(rows.size()));
            RaceScene();
            rows.push_back(race_test::DumpBoatsAndProgress());
            world.push_back(race_test::DumpCourseWorld());
        }
        return rows;
    }
    std::vector<std::string> world;

    void StartLiveRace() {
        ResetRaceState();
        ApplyOpponentPace();
        Scene = kSceneRace;
    }
};

// Pinned from a run of this very race: any change of arithmetic, order or compiler flags that
// moves one bit of one boat, wave or wake mark in one frame changes the hash. The hash covers the
// named fields of race_state_dump.h, not the runner's trace, so a new trace column leaves it be.
TEST_F(WholeRace, ALiveRaceComesOutBitForBitAsPinned) {
    StartLiveRace();
    const std::vector<std::string> rows = Race([](int32_t) { race_test::SteerTowardNextBuoy(); });
    uint64_t hash = Fnv("");
    for (size_t k = 0; k < rows.size(); ++k) hash = Fnv(world[k], Fnv(rows[k], hash));

    EXPECT_EQ(Scene, kSceneResults);
    EXPECT_EQ(rows.size(), 2381u);
    EXPECT_EQ(LapTimes[0], 23.256000000000121);
    EXPECT_EQ(LapTimes[1], 22.306000000000115);
    EXPECT_EQ(LapTimes[2], 22.268000000000114);
    EXPECT_EQ(LapTimes[3], 22.648000000000117);
    EXPECT_EQ(FinishedOpponents, 3);
    EXPECT_EQ(hash, 14037438070570292558ull) << hash;
    // The finish entered the records.
    EXPECT_EQ(BestTotals[0], RaceTotal());
}

TEST_F(WholeRace, TheReplayDrivesTheSameRaceEvenWhileTheViewChanges) {
    StartLiveRace();
    const std::vector<std::string> live = Race([](int32_t) { race_test::SteerTowardNextBuoy(); });
    headless::SetKey(platform::Key::Left, false);
    headless::SetKey(platform::Key::Right, false);
    const double laps[4] = {LapTimes[0], LapTimes[1], LapTimes[2], LapTimes[3]};
    const double bestTotal = BestTotals[0];

    for (int run = 0; run < 2; ++run) {
        ReplayMode = 1;
        RaceSetup();
        ASSERT_EQ(Scene, kSceneRace);
        // The down key cycles the replay's seven views; the arrows no longer steer.
        const std::vector<std::string> replay = Race([run](int32_t frame) {
            headless::SetKey(platform::Key::Down, frame % 90 < 2);
            headless::SetKey(platform::Key::Right, run == 1 && frame % 7 == 0);
        });
        EXPECT_EQ(Scene, kSceneRaceSetup);  // the replay starts over
        ASSERT_EQ(replay.size(), live.size());
        for (size_t k = 0; k < live.size(); ++k) ASSERT_EQ(replay[k], live[k]) << "frame " << k;
        for (int lap = 0; lap < 4; ++lap) EXPECT_EQ(LapTimes[lap], laps[lap]);
        EXPECT_EQ(BestTotals[0], bestTotal);
    }
}

}  // namespace
