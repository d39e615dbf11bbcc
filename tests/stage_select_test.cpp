// The stage select frame by frame: stepping through the stages, the circling camera, the start.
#include "screens/stage_select.h"

#include <gtest/gtest.h>

#include "base/app_state.h"
#include "base/frame_pace.h"
#include "base/keys.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "race/view_state.h"
#include "render/camera_state.h"
#include "tests/screen_fixture.h"

namespace {

using platform::Key;

class StageSelect : public screen_test::ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        SelectLeftKey = SelectRightKey = SelectDownKey = kKeyUp;
        StepLatch = 0;
        RaceSetup();
        ASSERT_EQ(Scene, kSceneStageSelect);
        ASSERT_STREQ(StageName, "One");
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
    Hold(1, true, false);
    EXPECT_EQ(StageNumber, 3);  // left of the first is the last
    EXPECT_STREQ(StageName, "Three");
    Hold(30, true, false);
    EXPECT_EQ(StageNumber, 3);
    EXPECT_EQ(Steps(), 1);

    // Released, then Right twice: the latch opens again on the release.
    Hold(2, false, false);
    Hold(2, false, true);
    Hold(2, false, false);
    Hold(2, false, true);
    EXPECT_EQ(StageNumber, 2);  // 3 -> 1 -> 2
    EXPECT_STREQ(StageName, "Two");
    EXPECT_EQ(Steps(), 3);
}

TEST_F(StageSelect, BothKeysTogetherStepLeftOnce) {
    Hold(10, true, true);
    EXPECT_EQ(StageNumber, 3);
    EXPECT_EQ(Steps(), 1);
}

// The stage file is read again on every frame a step key is held.
TEST_F(StageSelect, AHeldKeyKeepsReloadingTheStage) {
    Hold(2, false, true);
    ASSERT_STREQ(StageName, "Two");
    Write("02.dat", stage_test::StageText("Renamed"));
    Hold(1, false, true);
    EXPECT_STREQ(StageName, "Renamed");
    Write("02.dat", stage_test::StageText("Again"));
    Hold(1, false, false);
    EXPECT_STREQ(StageName, "Renamed");
}

TEST_F(StageSelect, CameraCirclesTheMiddleOfTheWaterFromHighAbove) {
    Hold(1, false, false);
    EXPECT_EQ(CameraX, 35500.0f);
    EXPECT_EQ(CameraY, 11500.0f);
    EXPECT_EQ(CameraZ, 6500.0f);
    EXPECT_EQ(CameraHeading, 1800);
    EXPECT_EQ(CameraPitch, 3500);
    EXPECT_EQ(CameraRoll, 0);
    Hold(179, false, false);
    EXPECT_EQ(OrbitAngle, 1800);
    EXPECT_EQ(CameraHeading, 3590);  // angle 1790 seen from across the water
    Hold(180, false, false);
    EXPECT_EQ(OrbitAngle, 0);  // one turn in 360 frames
}

TEST_F(StageSelect, DownStartsTheCountdownOnTheStageShown) {
    Hold(2, false, true);
    Hold(1, false, false);
    OpponentPace = 15;
    Hold(1, false, false, true);
    EXPECT_EQ(Scene, kSceneStageSelect);
    Hold(1, false, false, true);
    EXPECT_EQ(Scene, kSceneCountdown);
    EXPECT_EQ(Countdown, 3.2);
    EXPECT_STREQ(StagePath, "./stage/02.dat");
    EXPECT_EQ(OpponentCruise[0], 52 * 15);
    EXPECT_EQ(MusicOpen, 0);
    const std::vector<std::string> heard = Heard();
    ASSERT_GE(heard.size(), 2u);
    EXPECT_EQ(heard[0], "music-open select.mid");
    EXPECT_EQ(heard[heard.size() - 2], "music-close");
    EXPECT_EQ(heard.back(), Effect(GateSound));
}

// The screen shows a frame per display refresh, 60 a second, and leaves the race's pace alone.
TEST_F(StageSelect, RunsAtSixtyFramesASecond) {
    FramePaceTick = 1234;
    Hold(1, false, false);
    const uint32_t start = headless::Clock();
    Hold(60, false, false);
    EXPECT_EQ(headless::Clock() - start, 1000u);
    EXPECT_EQ(FramePaceTick, 1234u);
}

}  // namespace
