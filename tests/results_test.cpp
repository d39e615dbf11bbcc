// The results frame by frame: the circling camera, the sliding announcement, the two keys.
#include "screens/results.h"

#include <gtest/gtest.h>

#include <tuple>

#include "base/app_state.h"
#include "base/keys.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "race/replay_state.h"
#include "race/view_state.h"
#include "render/camera_state.h"
#include "tests/screen_fixture.h"

namespace {

using platform::Key;

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
