// The player's boat frame by frame: steering and bank, cruise, the ramp and the flight, the
// pitch spring, the pad, the playfield edge and the rocking hull.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "race/player_boat.h"
#include "race/replay.h"
#include "render/camera_state.h"
#include "testing/race_fixture.h"

namespace {

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
    EXPECT_EQ(PlayerVX, 702);  // 585 after the step toward the bow, then a fifth more
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

}  // namespace
