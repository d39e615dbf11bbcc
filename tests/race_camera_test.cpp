// The race views: where each puts the camera, the view key, the replay's director and the boat
// the camera rides in.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "base/keys.h"
#include "race/race_camera.h"
#include "race/view_state.h"
#include "render/camera_state.h"
#include "testing/race_fixture.h"

namespace {

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
