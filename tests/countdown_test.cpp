// The start countdown: 74 frames of 3, 2, 1 behind the boat, then the race.
#include "screens/countdown.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "base/app_state.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "render/camera_state.h"
#include "tests/screen_fixture.h"

namespace {

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

}  // namespace
