// The computer boats frame by frame, and the contacts between boats.
#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>
#include <utility>
#include <vector>

#include "race/contacts.h"
#include "race/opponents.h"
#include "testing/race_fixture.h"

namespace {

using Opponents = race_test::OpenWater;

// Spreads the boats far apart so that only the ones a test brings together meet.
void SpreadOut() {
    for (int i = 0; i < kOpponentCount; ++i) {
        OpponentX[i] = 1000.0f + 3000.0f * static_cast<float>(i);
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
// Within 240 on both level axes and 200 in height is a contact; one unit more on any axis is not.
TEST_F(Opponents, ContactNeedsAllThreeAxesClose) {
    const std::pair<std::tuple<float, float, float>, int> cases[] = {
        {{239.0f, -239.0f, 199.0f}, 1},
        {{240.0f, 0.0f, 0.0f}, 0},
        {{0.0f, 240.0f, 0.0f}, 0},
        {{0.0f, 0.0f, 200.0f}, 0},
    };
    for (const auto& [offset, crashes] : cases) {
        const auto [dx, dy, dz] = offset;
        const int before = Played(CrashSound);
        SpreadOut();
        PlayerX = OpponentX[2] + dx, PlayerY = OpponentY[2] + dy, PlayerZ = OpponentZ[2] + dz;
        CollidePlayerWithOpponents();
        EXPECT_EQ(Played(CrashSound) - before, crashes) << dx << "," << dy << "," << dz;
    }
}

}  // namespace
