// The race on open water, frame by frame: the boats, the contacts, the checkpoints and the
// views.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "base/keys.h"
#include "race/checkpoints.h"
#include "race/contacts.h"
#include "race/opponents.h"
#include "race/player_boat.h"
#include "race/race_camera.h"
#include "race/race_clock.h"
#include "race/records.h"
#include "race/replay.h"
#include "race/view_state.h"
#include "render/camera_state.h"
#include "render/frame_state.h"
#include "tests/race_fixture.h"
#include "world/course_world.h"

namespace {

// ---- The player's boat: steering and bank, cruise, the ramp and the flight, the pitch spring,
// the pad and the playfield edge.

using PlayerBoat = race_test::OpenWater;

void Steer(int32_t steer, int frames) {
    for (int k = 0; k < frames; ++k) {
        ReplayInputs[RaceFrame] = steer;
        UpdatePlayerBoat();
        ++RaceFrame;
    }
}

TEST_F(PlayerBoat, FullLockBanksToTheLimitAndTheBankTurnsOnAfterRelease) {
    Steer(kSteerLeft, 40);
    EXPECT_EQ(PlayerRoll, -400);
    const int32_t before = PlayerHeading;
    Steer(kSteerLeft, 1);
    EXPECT_EQ(PlayerRoll, -400);  // -410 after the key, back to -400 at the limit
    EXPECT_EQ((PlayerHeading - before + 3600) % 3600, 112);
    EXPECT_EQ(CameraRoll, 3200);

    // Released, the bank decays by 10 a frame and turns the boat 194 degrees more.
    int32_t turned = 0;
    for (int k = 0; k < 45; ++k) {
        const int32_t heading = PlayerHeading;
        Steer(kSteerNone, 1);
        turned += (PlayerHeading - heading + 3600) % 3600;
    }
    EXPECT_EQ(PlayerRoll, 0);
    EXPECT_EQ(turned, 1940);
}

TEST_F(PlayerBoat, CruisingStraightAlternatesBetweenTwoSpeeds) {
    Steer(kSteerNone, 40);
    EXPECT_EQ(PlayerVX, 600);
    std::vector<int32_t> speedsAndSteps;
    for (int k = 0; k < 4; ++k) {
        const float x = PlayerX;
        Steer(kSteerNone, 1);
        speedsAndSteps.push_back(PlayerVX);
        speedsAndSteps.push_back(static_cast<int32_t>(PlayerX - x + 0.5f));
    }
    EXPECT_EQ(speedsAndSteps, (std::vector<int32_t>{585, 97, 600, 100, 585, 97, 600, 100}));
    EXPECT_EQ(std::pair(PlayerVY, PlayerSpeed), std::pair(0, 600));
}

TEST_F(PlayerBoat, TheRampThrowsTheBoatUpForTwentySevenFramesAndItLandsInItsFiftyFourth) {
    PlayerVX = JumpRampX = 600;
    JumpRampY = 2000;
    Steer(kSteerNone, 1);
    EXPECT_EQ(PlayerAirborne, 1);
    EXPECT_EQ(PlayerSpeed, 1300);
    EXPECT_EQ(Played(JumpSound), 1);
    EXPECT_FLOAT_EQ(PlayerZ, 170.1f + 105);

    float top = PlayerZ;
    int frames = 1;
    while (PlayerAirborne == 1 && frames < 100) {
        Steer(kSteerNone, 1);
        ++frames;
        top = std::max(top, PlayerZ);
        if (frames == 27) {
            EXPECT_FLOAT_EQ(PlayerZ, 1601.1f);
        }
        // The ramp cannot throw a boat that is already in the air.
        JumpRampX = static_cast<int32_t>(PlayerX);
    }
    EXPECT_EQ(frames, 54);
    EXPECT_FLOAT_EQ(top, 1601.1f);
    EXPECT_FLOAT_EQ(PlayerZ, 170.1f);
    EXPECT_EQ(Played(JumpSound), 1);
    // The nose-down angle of the fall sets the spring going.
    EXPECT_LT(PitchSpring, 0);
}

TEST_F(PlayerBoat, ThePitchSpringSwingsOnATwentyFourFrameCycle) {
    std::vector<int32_t> pitch;
    for (int k = 0; k < 72; ++k) {
        Steer(kSteerNone, 1);
        pitch.push_back(PlayerPitch);
    }
    for (int k = 24; k < 72; ++k) EXPECT_EQ(pitch[k], pitch[k - 24]) << k;
    // Between +4 and -5 degrees, nose down kept as the whole turn less 5 degrees.
    std::vector<int32_t> signedPitch;
    for (int32_t p : pitch) signedPitch.push_back(p > 1800 ? p - 3600 : p);
    const auto [low, high] = std::minmax_element(signedPitch.begin(), signedPitch.end());
    EXPECT_EQ(std::pair(*low, *high), std::pair(-50, 40));
    EXPECT_NE(std::find(pitch.begin(), pitch.end(), 3550), pitch.end());
}

TEST_F(PlayerBoat, ThePadSpeedsTheBoatUpEveryFrameItIsOnIt) {
    PlayerVX = 600;
    BoostPadX = 700, BoostPadY = 2000;
    Steer(kSteerNone, 1);
    EXPECT_EQ(PlayerVX, static_cast<int32_t>(585 * 1.2));
    Steer(kSteerNone, 1);
    EXPECT_EQ(Played(BoostSound), 2);
    EXPECT_GT(PlayerVX, 800);
}

TEST_F(PlayerBoat, ThePlayfieldEdgeBouncesTheBoatBack) {
    PlayerX = 210.0f, PlayerVX = -300;
    PlayerHeading = 1800;
    Steer(kSteerNone, 1);
    EXPECT_FLOAT_EQ(PlayerX, 200.0f);
    EXPECT_EQ(PlayerVX, 315);
    // The bow still points at the edge, so the velocity swings back toward it.
    Steer(kSteerNone, 1);
    EXPECT_EQ(PlayerVX, 300);

    PlayerY = 23240.0f, PlayerVY = 600;
    Steer(kSteerNone, 1);
    EXPECT_FLOAT_EQ(PlayerY, 23250.0f);
    EXPECT_LT(PlayerVY, 0);
}

TEST_F(PlayerBoat, TheHullRocksDownToMinusTwelveThenInStepsOfThree) {
    std::vector<int32_t> rock;
    for (int k = 0; k < 30; ++k) {
        RockPlayerHull();
        rock.push_back(PlayerRock);
    }
    EXPECT_EQ((std::vector<int32_t>{rock[21], rock[22], rock[29]}),
              (std::vector<int32_t>{-12, -9, 12}));
    PlayerAirborne = 1;
    RockPlayerHull();
    EXPECT_EQ(PlayerRock, 12);
}

// ---- The computer boats and the contacts between boats.

using Opponents = race_test::OpenWater;

// Spreads the boats far apart so that only the ones a test brings together meet.
void SpreadOut() {
    for (int i = 0; i < kOpponentCount; ++i) {
        OpponentX[i] = 1000.0f + 3000.0f * i;
        OpponentY[i] = 5000.0f;
    }
}

TEST_F(Opponents, ABoatOnItsBearingWeavesEitherSideOfIt) {
    SpreadOut();
    CheckpointX[0] = 23000;
    CheckpointY[0] = 5000;
    std::vector<int32_t> headings;
    for (int k = 0; k < 3; ++k) {
        UpdateOpponents();
        headings.push_back(OpponentHeading[0]);
    }
    EXPECT_EQ(headings, (std::vector<int32_t>{40, 0, 40}));
    // The velocity swings toward the bow by 12 a frame on each axis.
    EXPECT_FLOAT_EQ(OpponentVX[0], 200.0f + 3 * 12.0f);
}

TEST_F(Opponents, AfterTheRampTheSpeedFallsBackToTheCruise) {
    SpreadOut();
    for (int i = 0; i < kOpponentCount; ++i) OpponentSpeed[i] = 1300;
    OpponentCruise[0] = 540, OpponentCruise[1] = 570, OpponentCruise[2] = 545;
    for (int k = 0; k < 100; ++k) UpdateOpponents();
    // Less than 10 above the cruise: no further step.
    EXPECT_EQ(std::vector<int32_t>(OpponentSpeed, OpponentSpeed + 3),
              (std::vector<int32_t>{540, 570, 550}));
}

TEST_F(Opponents, TheRampThrowsAnOpponentSilently) {
    SpreadOut();
    JumpRampX = 1000, JumpRampY = 5000;
    OpponentVX[0] = 600.0f;
    UpdateOpponents();
    EXPECT_EQ(OpponentAirborne[0], 1);
    EXPECT_EQ(OpponentSpeed[0], 1300);
    EXPECT_GT(OpponentZ[0], 170.1f);
    EXPECT_EQ(Played(JumpSound), 0);
}

TEST_F(Opponents, TwoStackedBoatsTradeVelocitiesAndArePushedApart) {
    SpreadOut();
    OpponentX[1] = OpponentX[0], OpponentY[1] = OpponentY[0];
    OpponentVY[1] = 33.7f;
    UpdateOpponents();
    // Slot 0 moved first, then met slot 1 where it stood; each ended 240 apart on an axis.
    const int32_t dx = static_cast<int32_t>(double(OpponentX[1]) - double(OpponentX[0]));
    const int32_t dy = static_cast<int32_t>(double(OpponentY[1]) - double(OpponentY[0]));
    EXPECT_TRUE(std::abs(dx) >= 240 || std::abs(dy) >= 240) << dx << " " << dy;
    EXPECT_GT(OpponentX[0], OpponentX[1] + 200.0f);  // slot 0 was moved 100 along +x first
    EXPECT_EQ(Played(CrashSound), 0);
}

TEST_F(Opponents, BoatsFarApartInHeightNeverTouch) {
    SpreadOut();
    OpponentX[1] = OpponentX[0], OpponentY[1] = OpponentY[0];
    OpponentZ[1] = 400.0f, OpponentVZ[1] = 50.0f;
    OpponentAirborne[1] = 1;
    const float x0 = OpponentX[0];
    UpdateOpponents();
    EXPECT_NEAR(OpponentX[0], x0 + 200.0f / 6, 3.0f);
}

TEST_F(Opponents, ThePlayerOnTopOfABoatIsMovedClearWithOneCrash) {
    SpreadOut();
    PlayerX = OpponentX[3], PlayerY = OpponentY[3];
    PlayerVX = 450, PlayerVY = -20;
    OpponentVX[3] = 123.75f, OpponentVY[3] = -7.5f;
    CollidePlayerWithOpponents();

    EXPECT_EQ(Played(CrashSound), 1);
    EXPECT_EQ(std::pair(PlayerVX, PlayerVY), std::pair(123, -7));
    EXPECT_FLOAT_EQ(OpponentVX[3], 450.0f);
    EXPECT_FLOAT_EQ(OpponentVY[3], -20.0f);
    const int32_t dx = static_cast<int32_t>(double(PlayerX) - double(OpponentX[3]));
    EXPECT_LE(dx, -280);  // pushed apart along x, the way the opponent was moved first
    EXPECT_FLOAT_EQ(PlayerY, OpponentY[3]);
}

// Contact needs all three axes close: within 240 across and 200 in height.
TEST_F(Opponents, ContactNeedsAllThreeAxesClose) {
    for (const auto& [dx, dy, dz] : {std::tuple{239.0f, -239.0f, 199.0f},
                                     {240.0f, 0.0f, 0.0f},
                                     {0.0f, 240.0f, 0.0f},
                                     {0.0f, 0.0f, 200.0f}}) {
        SpreadOut();
        PlayerX = OpponentX[2] + dx, PlayerY = OpponentY[2] + dy, PlayerZ = OpponentZ[2] + dz;
        CollidePlayerWithOpponents();
    }
    EXPECT_EQ(Played(CrashSound), 1);
}

// ---- Checkpoints, laps, the finish, the time limit, the place and the records.

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

// ---- The race views: where each puts the camera, the view key, and the replay's director.

using RaceCamera = race_test::OpenWater;

TEST_F(RaceCamera, TheChaseCameraRidesBehindAndAboveTheBoat) {
    PlayerX = PlayerY = 5000.0f;
    PlaceRaceCamera();
    EXPECT_FLOAT_EQ(CameraX, 3200.0f);
    EXPECT_FLOAT_EQ(CameraY, 5000.0f);
    EXPECT_FLOAT_EQ(CameraZ, 570.1f);
    EXPECT_EQ(CameraHeading, 0);
    EXPECT_EQ(CameraPitch, 3500);

    CameraMode = kViewCockpit;
    PlayerPitch = 3550;
    CameraRoll = 3400;
    PlaceRaceCamera();
    EXPECT_FLOAT_EQ(CameraX, 5000.0f);
    EXPECT_FLOAT_EQ(CameraZ, 270.1f);
    EXPECT_EQ(CameraPitch, 3550);
    EXPECT_EQ(CameraRoll, 3400);  // the bank stays
}

TEST_F(RaceCamera, TheReplaysFixedViews) {
    ReplayMode = 1;
    PlayerX = PlayerY = 5000.0f;
    PlayerHeading = 900;
    CameraRoll = 100;

    CameraMode = kViewFromAhead;
    PlaceRaceCamera();
    EXPECT_NEAR(CameraY, 6900.0f, 0.01f);
    EXPECT_EQ(CameraHeading, 2700);
    EXPECT_EQ(CameraRoll, 100);

    CameraMode = kViewBelowBehind;
    PlaceRaceCamera();
    EXPECT_NEAR(CameraY, 2200.0f, 0.01f);
    EXPECT_FLOAT_EQ(CameraZ, -1000.0f);
    EXPECT_EQ(CameraPitch, 250);
    EXPECT_EQ(CameraRoll, 0);

    CameraMode = kViewWholeCourse;
    PlaceRaceCamera();
    EXPECT_FLOAT_EQ(CameraZ, 25000.0f);
    EXPECT_EQ(CameraPitch, 2700);

    // The rival's eye sits on opponent 6 and looks at the player: here along -x, and down.
    CameraMode = kViewRivalsEye;
    OpponentX[6] = 9000.0f;
    OpponentY[6] = 5000.0f;
    PlaceRaceCamera();
    EXPECT_FLOAT_EQ(CameraX, 9000.0f);
    EXPECT_FLOAT_EQ(CameraZ, 270.1f);
    EXPECT_EQ(CameraHeading, 1800);
    EXPECT_GT(CameraPitch, 3500);
}

// Presses the down key as a player would and returns the views it gave, frame by frame.
std::vector<int32_t> PressDown(int frames) {
    std::vector<int32_t> views;
    for (int k = 0; k < frames; ++k) {
        RaceDownKey = RaceDownKey == kKeyUp ? kKeyPressed : kKeyHeld;
        HandleViewKey();
        views.push_back(CameraMode);
    }
    RaceDownKey = kKeyUp;
    for (int k = 0; k < 12; ++k) HandleViewKey();
    return views;
}

TEST_F(RaceCamera, HeldDownChangesTheViewOnItsSecondFrameThenEveryEleven) {
    const std::vector<int32_t> views = PressDown(24);  // a live race has two views
    EXPECT_EQ((std::vector<int32_t>{views[0], views[1], views[11], views[12], views[23]}),
              (std::vector<int32_t>{0, 1, 1, 0, 1}));

    CameraMode = 0;
    ReplayMode = 1;
    std::vector<int32_t> replayViews;
    for (int press = 0; press < 7; ++press) replayViews.push_back(PressDown(2).back());
    EXPECT_EQ(replayViews, (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 0}));
}

TEST_F(RaceCamera, TheDirectorCutsEvery601FramesAfterATracksideOpening) {
    ReplayMode = 1;
    for (int i = 0; i < 6; ++i) {
        CameraStandX[i] = 100.0 * i;
        CameraStandY[i] = 7777.0;
        CameraStandZ[i] = 900.0;
    }
    std::string shots;
    for (int frame = 1; frame <= 3700; ++frame) {
        PlaceRaceCamera();
        const bool trackside = CameraY == 7777.0f;
        const char shot = trackside ? 'T' : static_cast<char>('0' + DirectorView);
        if (shots.empty() || shots.back() != shot) shots += shot;
        if (frame == 300) {
            EXPECT_TRUE(trackside);
        }
    }
    EXPECT_EQ(shots, "T1T2T3T4T");
    EXPECT_EQ(DirectorView, 1);
}

// The course world leaves out the boat the camera rides in: the player's in either cockpit, the
// rival's in its own view, and in the director's shots of those two once their trackside
// opening is over.
TEST_F(RaceCamera, TheBoatCarryingTheCameraIsTheOneItRidesIn) {
    EXPECT_EQ(BoatCarryingCamera(), CameraBoat::None);
    CameraMode = kViewCockpit;
    EXPECT_EQ(BoatCarryingCamera(), CameraBoat::Player);

    ReplayMode = 1;
    const std::pair<int32_t, CameraBoat> chosen[] = {
        {kViewLowCockpit, CameraBoat::Player}, {kViewFromAhead, CameraBoat::None},
        {kViewFromAbove, CameraBoat::None},    {kViewBelowBehind, CameraBoat::None},
        {kViewWholeCourse, CameraBoat::None},  {kViewRivalsEye, CameraBoat::Rival}};
    for (auto [view, boat] : chosen) {
        CameraMode = view;
        EXPECT_EQ(BoatCarryingCamera(), boat) << view;
    }
    CameraMode = kViewDirector;
    std::string carriers;
    for (int frame = 1; frame <= 3700; ++frame) {
        PlaceRaceCamera();
        const CameraBoat boat = BoatCarryingCamera();
        const char c = boat == CameraBoat::Player ? 'P' : boat == CameraBoat::Rival ? 'R' : '-';
        if (carriers.empty() || carriers.back() != c) carriers += c;
    }
    EXPECT_EQ(carriers, "-P-R-");
}

}  // namespace
