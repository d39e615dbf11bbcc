// Checkpoints, laps, the finish, the time limit, the place and the records.
#include <gtest/gtest.h>

#include "race/checkpoints.h"
#include "race/race_clock.h"
#include "race/records.h"
#include "race/view_state.h"
#include "render/frame_state.h"
#include "tests/race_fixture.h"
#include "world/course_world.h"

namespace {

using Checkpoints = race_test::OpenWater;

void PutPlayerAt(double x, double y) {
    PlayerX = static_cast<float>(x);
    PlayerY = static_cast<float>(y);
}

TEST_F(Checkpoints, TheZoneEndsJustShortOf700) {
    CheckpointX[0] = 5000;
    CheckpointY[0] = 8000;
    PutPlayerAt(5699.9, 8000);
    TestPlayerCheckpoint();
    EXPECT_EQ(NextCheckpoint, 1);
    EXPECT_EQ(CheckpointBanner, 20);
    EXPECT_EQ(Played(GateSound), 1);

    CheckpointX[1] = 5000;
    CheckpointY[1] = 8000;
    PutPlayerAt(5700.0, 8000);
    TestPlayerCheckpoint();
    EXPECT_EQ(NextCheckpoint, 1);
    // A boat flying high over the buoy does not pass it either.
    PutPlayerAt(5000, 8000);
    PlayerZ = 350.0f;
    TestPlayerCheckpoint();
    EXPECT_EQ(NextCheckpoint, 1);
}

TEST_F(Checkpoints, OutsideTheRaceTheChimeSoundsButNothingCounts) {
    CheckpointX[0] = 600;
    CheckpointY[0] = 2000;
    Scene = kSceneCountdown;
    TestPlayerCheckpoint();
    TestPlayerCheckpoint();
    EXPECT_EQ(NextCheckpoint, 0);
    EXPECT_EQ(Played(GateSound), 2);
}

TEST_F(Checkpoints, TwoOverlappingCheckpointsPassInOneFrame) {
    NextCheckpoint = 2;
    CheckpointX[2] = 800;
    CheckpointY[2] = 2000;
    CheckpointX[3] = 1000;
    CheckpointY[3] = 2400;
    UpdateCourseWorld();
    EXPECT_EQ(NextCheckpoint, 4);
    EXPECT_EQ(CheckpointBanner, 20);
    EXPECT_EQ(Played(GateSound), 2);
    EXPECT_EQ(DrawColour, 255);
}

TEST_F(Checkpoints, TheTwentyFourthCheckpointFinishesTheRaceAndEntersTheRecords) {
    Lap = 3;
    NextCheckpoint = 5;
    PlayerHeading = 2500;
    CheckpointX[5] = 600;
    CheckpointY[5] = 2000;
    LapTimes[0] = 39.5;
    LapTimes[1] = 40.5;
    LapTimes[2] = 43.0;
    LapTimes[3] = 40.962;
    BestLaps[0] = 40.0;
    BestLaps[1] = 41.0;
    BestLaps[2] = 42.0;
    for (double& total : BestTotals) total = 999.99;
    // An opponent finishing later in the same frame does not count ahead of the player.
    OpponentLap[0] = 3;
    OpponentNextCheckpoint[0] = 5;
    OpponentX[0] = 600.0f;
    OpponentY[0] = 2000.0f;

    TestPlayerCheckpoint();
    TestOpponentCheckpoint(0);

    EXPECT_EQ(Scene, kSceneResults);
    EXPECT_EQ(Lap, 3);
    EXPECT_EQ(NextCheckpoint, 0);
    EXPECT_EQ(OrbitAngle, 700);
    EXPECT_EQ(FinishedOpponents, 1);
    EXPECT_EQ(OpponentLap[0], 3);
    EXPECT_DOUBLE_EQ(BestLaps[0], 39.5);
    EXPECT_DOUBLE_EQ(BestLaps[1], 40.0);
    EXPECT_DOUBLE_EQ(BestLaps[2], 40.5);
    EXPECT_DOUBLE_EQ(BestTotals[0], 164.0);
    // The results show the very total that was entered.
    CountLapTime();
    EXPECT_EQ(ResultsTotal(), BestTotals[0]);
}

TEST_F(Checkpoints, AReplayFinishStartsOverWithoutTouchingTheRecords) {
    ReplayMode = 1;
    Lap = 3;
    NextCheckpoint = 5;
    CheckpointX[5] = 600;
    CheckpointY[5] = 2000;
    BestLaps[0] = 0.5;
    TestPlayerCheckpoint();
    EXPECT_EQ(Scene, kSceneRaceSetup);
    EXPECT_EQ(BestLaps[0], 0.5);
}

TEST_F(Checkpoints, OpponentsTakeEarlyCheckpointsWideButTheLastAndTheFourthLapClose) {
    CheckpointX[0] = 5000;
    CheckpointY[0] = 5000;
    OpponentX[0] = 6400.0f;
    OpponentY[0] = 5000.0f;
    TestOpponentCheckpoint(0);
    EXPECT_EQ(OpponentNextCheckpoint[0], 1);

    OpponentNextCheckpoint[1] = 0;
    OpponentLap[1] = 3;
    OpponentX[1] = 6400.0f;
    OpponentY[1] = 5000.0f;
    TestOpponentCheckpoint(1);
    EXPECT_EQ(OpponentNextCheckpoint[1], 0);
    OpponentX[1] = 5699.0f;
    TestOpponentCheckpoint(1);
    EXPECT_EQ(OpponentNextCheckpoint[1], 1);

    CheckpointX[5] = 5000;
    CheckpointY[5] = 5000;
    OpponentNextCheckpoint[2] = 5;
    OpponentX[2] = 6400.0f;
    OpponentY[2] = 5000.0f;
    TestOpponentCheckpoint(2);
    EXPECT_EQ(OpponentNextCheckpoint[2], 5);
    OpponentX[2] = 5500.0f;
    OpponentLap[2] = 3;
    TestOpponentCheckpoint(2);
    EXPECT_EQ(OpponentNextCheckpoint[2], 0);
    EXPECT_EQ(OpponentLap[2], 4);
    EXPECT_EQ(FinishedOpponents, 2);
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
    CheckpointX[0] = 10000;
    CheckpointY[0] = 2000;
    PutPlayerAt(5000, 2000);
    for (int i = 0; i < kOpponentCount; ++i) OpponentX[i] = 1000.0f;
    EXPECT_EQ(ComputeRacePlace(), 1);
    EXPECT_EQ(PlayerRaceScore, 5000 + 5500000);
    OpponentX[2] = 6000.0f;
    OpponentY[2] = 2000.0f;
    OpponentLap[5] = 1;
    EXPECT_EQ(ComputeRacePlace(), 3);
    // A tie leaves the player ahead.
    OpponentX[2] = 5000.0f;
    EXPECT_EQ(ComputeRacePlace(), 2);
}

TEST(Records, AnEqualTimeDoesNotDisplaceARecord) {
    BestLaps[0] = 30.0;
    BestLaps[1] = 31.0;
    BestLaps[2] = 32.0;
    BestTotals[0] = BestTotals[1] = BestTotals[2] = 130.0;
    LapTimes[0] = 31.0;
    LapTimes[1] = 33.0;
    LapTimes[2] = 29.0;
    LapTimes[3] = 36.962;
    UpdateRecords();
    EXPECT_DOUBLE_EQ(BestLaps[0], 29.0);
    EXPECT_DOUBLE_EQ(BestLaps[1], 30.0);
    EXPECT_DOUBLE_EQ(BestLaps[2], 31.0);
    EXPECT_DOUBLE_EQ(BestTotals[0], 130.0);
    EXPECT_DOUBLE_EQ(LapTimes[3], 36.962);
}

}  // namespace
