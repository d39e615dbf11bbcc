// The stage select frame by frame: stepping through the stages, the start, the pace.
#include "screens/stage_select.h"

#include <gtest/gtest.h>

#include "base/app_state.h"
#include "base/frame_pace.h"
#include "base/keys.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "tests/screen_fixture.h"

namespace {

using platform::Key;

class StageSelect : public screen_test::ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        RaceSetup();
        ASSERT_EQ(Scene, kSceneStageSelect);
    }
    // Runs `frames` frames with the given keys down.
    void Hold(int frames, bool left, bool right, bool down = false) {
        headless::SetKey(Key::Left, left);
        headless::SetKey(Key::Right, right);
        headless::SetKey(Key::Down, down);
        for (int i = 0; i < frames; ++i) StageSelectScene();
    }
    int Steps() const {
        int steps = 0;
        for (const std::string& line : Heard()) steps += line == Effect(CrashSound);
        return steps;
    }
};

TEST_F(StageSelect, AHeldKeyStepsOnceOnItsSecondFrameAndWraps) {
    Hold(1, true, false);
    EXPECT_EQ(StageNumber, 1);  // just pressed
    Hold(30, true, true);       // Right joining in changes nothing
    EXPECT_EQ(StageNumber, 3);  // left of the first is the last
    EXPECT_STREQ(StageName, "Three");
    EXPECT_EQ(Steps(), 1);

    // The latch opens on the release; right of the last is the first.
    for (int step = 0; step < 2; ++step) {
        Hold(2, false, false);
        Hold(2, false, true);
    }
    EXPECT_EQ(StageNumber, 2);
    EXPECT_STREQ(StageName, "Two");
    EXPECT_EQ(Steps(), 3);
}

TEST_F(StageSelect, DownStartsTheCountdownOnTheStageShown) {
    Hold(2, false, true);
    Hold(1, false, false);
    OpponentPace = 15;
    Hold(2, false, false, true);
    EXPECT_EQ(Scene, kSceneCountdown);
    EXPECT_EQ(Countdown, 3.2);
    EXPECT_STREQ(StagePath, "./stage/02.dat");
    EXPECT_EQ(OpponentCruise[0], 52 * 15);
    const std::vector<std::string> heard = Heard();
    ASSERT_GE(heard.size(), 3u);
    EXPECT_EQ(heard[0], "music-open select.mid");
    EXPECT_EQ(heard[heard.size() - 2], "music-close");
    EXPECT_EQ(heard.back(), Effect(GateSound));
}

// A frame per display refresh, 60 a second, leaving the race's frame pace alone.
TEST_F(StageSelect, RunsAtSixtyFramesASecond) {
    FramePaceTick = 1234;
    Hold(1, false, false);
    for (uint32_t work : {0u, 15u}) {
        const uint32_t start = headless::Clock();
        for (int i = 0; i < 60; ++i) {
            headless::AdvanceClock(work);
            Hold(1, false, false);
        }
        EXPECT_EQ(headless::Clock() - start, 1000u) << "work " << work;
    }
    EXPECT_EQ(FramePaceTick, 1234u);
}

}  // namespace
