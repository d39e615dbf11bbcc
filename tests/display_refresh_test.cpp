// The display refresh wait: 1000/60 ms a frame on its own stamp.
#include <gtest/gtest.h>

#include <vector>

#include "base/frame_pace.h"
#include "platform/headless/headless.h"

namespace {

class DisplayRefresh : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        DisplayRefreshTick = 0;
        DisplayRefreshThirds = 0;
    }
    // Intervals between `count` refreshes when each frame works `work` ms.
    std::vector<uint32_t> Intervals(int count, uint32_t work) {
        std::vector<uint32_t> intervals;
        uint32_t last = headless::Clock();
        for (int i = 0; i < count; ++i) {
            headless::AdvanceClock(work);
            WaitDisplayRefresh();
            intervals.push_back(headless::Clock() - last);
            last = headless::Clock();
        }
        return intervals;
    }
};

TEST_F(DisplayRefresh, SixtyFramesEverySecondWhateverTheWork) {
    for (uint32_t work : {0u, 3u, 15u}) {
        const std::vector<uint32_t> intervals = Intervals(60, work);
        uint32_t sum = 0;
        for (uint32_t interval : intervals) {
            EXPECT_GE(interval, 16u);
            EXPECT_LE(interval, 17u);
            sum += interval;
        }
        EXPECT_EQ(sum, 1000u) << "work " << work;
    }
}

TEST_F(DisplayRefresh, SlowFrameGoesAtOnceAndLeavesTheRacePaceAlone) {
    FramePaceTick = 77;
    Intervals(3, 1);
    const uint32_t before = headless::Clock();
    headless::AdvanceClock(40);
    WaitDisplayRefresh();
    EXPECT_EQ(headless::Clock(), before + 40);
    EXPECT_EQ(FramePaceTick, 77u);
}

}  // namespace
