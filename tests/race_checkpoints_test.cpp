// Checkpoints, laps, the finish, the time limit, the place and the records.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "race/checkpoints.h"
#include "race/race_clock.h"
#include "race/records.h"
#include "race/view_state.h"
#include "render/frame_state.h"
#include "testing/race_fixture.h"
#include "world/course_world.h"

namespace {

using Checkpoints = race_test::OpenWater;

void Buoy(int i, int32_t x, int32_t y) {
    CheckpointX[i] = x;
    CheckpointY[i] = y;
}

// The zone ends just short of 700, and a boat flying high over the buoy misses it; outside the
// race the chime sounds but nothing counts.
TEST_F(Checkpoints, TheZoneAndWhenItCounts) {
    Buoy(0, 5000, 8000);
    Buoy(1, 5000, 8000);
    PlayerY = 8000.0f;
    for (const auto& [x, z] : {std::pair{5700.0f, 170.1f}, {5000.0f, 350.0f}, {5699.9f, 170.1f}}) {
        PlayerX = x, PlayerZ = z;
        TestPlayerCheckpoint();
    }
    EXPECT_EQ(NextCheckpoint, 1);
    EXPECT_EQ(CheckpointBanner, 20);
    EXPECT_EQ(Played(GateSound), 1);

    Scene = kSceneCountdown;
    PlayerX = 5000.0f, PlayerZ = 170.1f;
    TestPlayerCheckpoint();
    TestPlayerCheckpoint();
    EXPECT_EQ(NextCheckpoint, 1);
    EXPECT_EQ(Played(GateSound), 3);
}

TEST_F(Checkpoints, TwoOverlappingCheckpointsPassInOneFrame) {
    NextCheckpoint = 2;
    Buoy(2, 800, 2000);
    Buoy(3, 1000, 2400);
    UpdateCourseWorld();
    EXPECT_EQ(NextCheckpoint, 4);
    EXPECT_EQ(CheckpointBanner, 20);
    EXPECT_EQ(Played(GateSound), 2);
    EXPECT_EQ(DrawColour, 255);
}

// An opponent finishing later in the same frame does not count ahead of the player; the
// results show the very total that was entered.
TEST_F(Checkpoints, TheTwentyFourthCheckpointFinishesTheRaceAndEntersTheRecords) {
    Lap = OpponentLap[0] = 3;
    NextCheckpoint = OpponentNextCheckpoint[0] = 5;
    PlayerHeading = 2500;
    Buoy(5, 600, 2000);
    OpponentX[0] = 600.0f, OpponentY[0] = 2000.0f;
    const double laps[4] = {39.5, 40.5, 43.0, 40.962};
    std::copy(laps, laps + 4, LapTimes);
    BestLaps[0] = 40.0, BestLaps[1] = 41.0, BestLaps[2] = 42.0;
    for (double& total : BestTotals) total = 999.99;

    TestPlayerCheckpoint();
    TestOpponentCheckpoint(0);

    EXPECT_EQ(Scene, kSceneResults);
    EXPECT_EQ(Lap, 3);
    EXPECT_EQ(NextCheckpoint, 0);
    EXPECT_EQ(OrbitAngle, 700);
    EXPECT_EQ(FinishedOpponents, 1);
    EXPECT_EQ(OpponentLap[0], 3);
    EXPECT_EQ((std::vector<double>(BestLaps, BestLaps + 3)), (std::vector<double>{39.5, 40, 40.5}));
    EXPECT_DOUBLE_EQ(BestTotals[0], 164.0);
    CountLapTime();
    EXPECT_EQ(ResultsTotal(), BestTotals[0]);

    // A replay's finish starts over without touching the records.
    ReplayMode = 1;
    Scene = kSceneRace;
    Lap = 3;
    NextCheckpoint = 5;
    BestLaps[0] = 0.5;
    TestPlayerCheckpoint();
    EXPECT_EQ(Scene, kSceneRaceSetup);
    EXPECT_EQ(BestLaps[0], 0.5);
}

// Opponents take early checkpoints within 1500, but the last and every one of the fourth lap
// within 700 (silently).
TEST_F(Checkpoints, OpponentsTakeEarlyCheckpointsWideButTheLastAndTheFourthLapClose) {
    Buoy(0, 5000, 5000);
    Buoy(5, 5000, 5000);
    struct Case {
        int next, lap;
        float x;
        int expectedNext;
    };
    for (const Case& c : {Case{0, 0, 6400, 1}, Case{0, 3, 6400, 0}, Case{0, 3, 5699, 1},
                          Case{5, 0, 6400, 5}, Case{5, 3, 5500, 0}}) {
        OpponentNextCheckpoint[1] = c.next, OpponentLap[1] = c.lap;
        OpponentX[1] = c.x, OpponentY[1] = 5000.0f;
        TestOpponentCheckpoint(1);
        EXPECT_EQ(OpponentNextCheckpoint[1], c.expectedNext)
            << c.next << " " << c.lap << " " << c.x;
    }
    EXPECT_EQ(OpponentLap[1], 4);
    EXPECT_EQ(FinishedOpponents, 2);  // the place the player would now finish in
    EXPECT_EQ(Played(GateSound), 0);
}

TEST_F(Checkpoints, TimeRunsOutAfter5990RaceFrames) {
    RaceFrame = 5989;
    AdvanceRaceFrame();
    EXPECT_EQ(Scene, kSceneRace);
    AdvanceRaceFrame();
    EXPECT_EQ(Scene, kSceneResults);

    Scene = kSceneRace;
    ReplayMode = 1;
    RaceFrame = 5990;
    AdvanceRaceFrame();
    EXPECT_EQ(Scene, kSceneRaceSetup);
}

TEST_F(Checkpoints, ThePlaceCountsTheOpponentsWithLessToGo) {
    Buoy(0, 10000, 2000);
    PlayerX = 5000.0f, PlayerY = 2000.0f;
    for (int i = 0; i < kOpponentCount; ++i) OpponentX[i] = 1000.0f;
    EXPECT_EQ(ComputeRacePlace(), 1);
    EXPECT_EQ(PlayerRaceScore, 5000 + 5500000);
    OpponentX[2] = 6000.0f, OpponentY[2] = 2000.0f;
    OpponentLap[5] = 1;
    EXPECT_EQ(ComputeRacePlace(), 3);
    OpponentX[2] = 5000.0f;  // a tie leaves the player ahead
    EXPECT_EQ(ComputeRacePlace(), 2);
}

TEST(Records, AnEqualTimeDoesNotDisplaceARecord) {
    BestLaps[0] = 30.0, BestLaps[1] = 31.0, BestLaps[2] = 32.0;
    BestTotals[0] = BestTotals[1] = BestTotals[2] = 130.0;
    const double laps[4] = {31.0, 33.0, 29.0, 36.962};
    std::copy(laps, laps + 4, LapTimes);
    UpdateRecords();
    EXPECT_EQ((std::vector<double>(BestLaps, BestLaps + 3)), (std::vector<double>{29, 30, 31}));
    EXPECT_DOUBLE_EQ(BestTotals[0], 130.0);
    EXPECT_DOUBLE_EQ(LapTimes[3], 36.962);
}

}  // namespace
