// The course world's own reset: what every race and replay starts its water, buoys and wake from.
#include <gtest/gtest.h>

#include "base/random.h"
#include "world/course_reset.h"
#include "world/world_state.h"

namespace {

TEST(CourseReset, TheWaterStartsFlatWithOneRandomSwingPerPoint) {
    WaveHeight[7] = 3.0f;
    SeedRandom(1234);
    ResetCourseAnimation();
    SeedRandom(1234);
    for (int k = 0; k < kWaterGridPoints; ++k) {
        ASSERT_EQ(WaveHeight[k], 100.0f) << k;
        ASSERT_EQ(WaveSpeed[k], static_cast<float>(Random() / 1300 - 25)) << k;
    }
    // Exactly one draw per grid point: the wake's marks go on from the very next number.
    const int32_t next = Random();
    SeedRandom(1234);
    ResetCourseAnimation();
    EXPECT_EQ(Random(), next);
}

TEST(CourseReset, BuoysComeToRestAndTheWakeIsCleared) {
    CheckpointBob[2] = 55;
    CheckpointBobSpeed[4] = -3;
    WakeX[99] = WakeY[0] = 1234.5;
    WakeNext = 42;
    ResetCourseAnimation();
    for (int i = 0; i < kStageCheckpoints; ++i) {
        EXPECT_EQ(CheckpointBob[i], 100);
        EXPECT_EQ(CheckpointBobSpeed[i], 0);
    }
    EXPECT_EQ(WakeX[99], 0.0);
    EXPECT_EQ(WakeY[0], 0.0);
    EXPECT_EQ(WakeNext, 0);
}

}  // namespace
