// The screens between the title and the race and after it, frame by frame: the stage select
// (stepping through the stages, the start, the pace), the countdown and the results.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "base/app_state.h"
#include "base/frame_pace.h"
#include "base/keys.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "race/replay_state.h"
#include "race/view_state.h"
#include "render/camera_state.h"
#include "screens/countdown.h"
#include "screens/race_setup_scene.h"
#include "screens/results.h"
#include "screens/stage_select.h"
#include "testing/screen_fixture.h"

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

using CountdownScreen = screen_test::ScreenTest;

TEST_F(CountdownScreen, Shows3For23Frames2For33And1For18ThenStartsTheRace) {
    RaceSetup();
    Scene = kSceneCountdown;
    Countdown = 3.2;
    CameraRoll = 0;
    std::string digits;
    int frames = 0;
    while (Scene == kSceneCountdown && frames < 200) {
        CountdownScene();
        ++frames;
        char digit[32];
        FormatCountdownDigit(digit, sizeof digit, Countdown);
        digits += digit;
    }
    EXPECT_EQ(frames, 74);
    EXPECT_EQ(Scene, kSceneRace);
    EXPECT_EQ(digits, std::string(23, '3') + std::string(33, '2') + std::string(18, '1'));

    // Seen from behind the boat on the grid, which has not moved; the race tune has begun.
    EXPECT_EQ(CameraX, float(600.1f - 1800.0));
    EXPECT_EQ(CameraZ, float(170.1f + 400.0));
    EXPECT_EQ(CameraPitch, 3500);
    EXPECT_EQ(PlayerX, 600.1f);
    EXPECT_EQ(RaceFrame, 1);
    EXPECT_EQ(Heard(), (std::vector<std::string>{"music-open game.mid"}));
}

class Results : public screen_test::ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        ASSERT_TRUE(LoadStage(1));
        ResetRaceState();
        // As a finish leaves it: the camera set to start ahead of the boat, heading 900.
        OrbitAngle = 2700;
        RaceFrame = 3000;
        ScreenFrames = 0;
        Scene = kSceneResults;
        StartSceneMusic("game.mid");
    }
    void Frame(bool up, bool down) {
        headless::SetKey(Key::Up, up);
        headless::SetKey(Key::Down, down);
        ResultsScene();
    }
};

TEST_F(Results, CameraCirclesTheBoatWhileTheAnnouncementSlidesInForFortyFrames) {
    Frame(false, false);
    EXPECT_EQ(std::tuple(CameraX, CameraY, CameraZ, CameraHeading, ScreenFrames),
              std::tuple(float(double(PlayerX) + 1900.0 * double(CosTable[2700])),
                         float(double(PlayerY) - 1900.0), float(double(PlayerZ) + 480.0), 900, 1));
    for (int i = 0; i < 89; ++i) Frame(false, false);
    EXPECT_EQ(OrbitAngle, 0);
    EXPECT_EQ(ScreenFrames, kResultsSlideFrames);
    EXPECT_EQ(Scene, kSceneResults);
}

TEST_F(Results, UpHeldASecondFrameStartsTheReplay) {
    for (bool up : {true, false, false, true}) Frame(up, false);  // one frame is not enough
    EXPECT_EQ(Scene, kSceneResults);
    Frame(true, false);
    EXPECT_EQ(Scene, kSceneRaceSetup);
    EXPECT_EQ(ReplayMode, 1);
    EXPECT_EQ(MusicOpen, 0);
}

TEST_F(Results, DownReturnsToTheTitleAndWinsOverUp) {
    Frame(true, true);
    Frame(true, true);
    EXPECT_EQ(Scene, kSceneReset);
    EXPECT_EQ(MusicOpen, 0);
}

}  // namespace
