// The title screen frame by frame on the headless platform.
#include "base/keys.h"
#include "screens/title.h"

#include <gtest/gtest.h>

#include <vector>

#include "base/app_state.h"
#include "platform/headless/headless.h"
#include "race/race_state.h"
#include "render/boat_model.h"
#include "render/camera_state.h"
#include "shell/reset_game.h"

namespace {

class Title : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        headless::SetText(false);
        ResetGame();
        TitleUpKey = kKeyUp;  // key states outlive scenes; each test starts with the key up
        ASSERT_EQ(Scene, kSceneTitle);
    }
};

TEST_F(Title, FlyingBoatReentersAfter101FramesThenEvery141) {
    EXPECT_EQ(PlayerX, 100.0f);
    EXPECT_EQ(PlayerZ, 450.0f);
    std::vector<int> reentries;
    for (int frame = 1; frame <= 400; ++frame) {
        TitleScreen();
        if (PlayerX == 6000.0f) {
            reentries.push_back(frame);
            EXPECT_EQ(PlayerY, 0.0f);
            EXPECT_EQ(PlayerZ, 0.0f);
        }
    }
    EXPECT_EQ(reentries, (std::vector<int>{101, 242, 383}));
}

TEST_F(Title, CameraDriftsOnForNineFramesThenSwingsBack) {
    const int expectedDrift[] = {-9, -8, -7, -6, -5, -4, -3, -2, -1, 0, 1};
    float expectedX = 0.1f;
    for (int drift : expectedDrift) {
        TitleScreen();
        expectedX = static_cast<float>(double(expectedX) + drift);
        EXPECT_EQ(TitleDrift, drift);
        EXPECT_EQ(CameraX, expectedX);
    }
}

TEST_F(Title, UpStartsTheRaceSetUpOnTheSecondFrameOfThePress) {
    TitleScreen();
    headless::SetKey(platform::Key::Up, true);
    TitleScreen();
    EXPECT_EQ(Scene, kSceneTitle);
    TitleScreen();
    EXPECT_EQ(Scene, kSceneRaceSetup);
}

TEST_F(Title, DrawsTheFormationAndTheFlyingBoat) {
    TitleScreen();
    int formation = 0, white = 0;
    const uint8_t* frame = headless::PresentedFrame();
    for (int y = 1; y < 479; ++y)
        for (int x = 1; x < 639; ++x) {
            formation += frame[y * headless::BackBufferPitch() + x] == 251;
            white += frame[y * headless::BackBufferPitch() + x] == 255;
        }
    EXPECT_GT(formation, 300);
    EXPECT_GT(white, 50);
}

TEST_F(Title, AnimatesTheSameWithoutDrawing) {
    struct State {
        float playerX, playerY, playerZ, cameraX;
        int32_t drift, roll, heading, formation;
        bool operator==(const State&) const = default;
    };
    auto run = [](bool drawing) {
        headless::Reset();
        headless::SetText(false);
        headless::SetDrawing(drawing);
        ResetGame();
        std::vector<State> states;
        for (int frame = 0; frame < 300; ++frame) {
            TitleScreen();
            states.push_back({PlayerX, PlayerY, PlayerZ, CameraX, TitleDrift, CameraRoll,
                              PlayerHeading, BoatModelHeading});
        }
        return states;
    };
    const std::vector<State> drawn = run(true);
    const std::vector<State> undrawn = run(false);
    headless::SetDrawing(true);
    ASSERT_EQ(drawn.size(), undrawn.size());
    // The title does move: the check below compares animation, not a standstill.
    EXPECT_FALSE(drawn.front() == drawn.back());
    for (size_t frame = 0; frame < drawn.size(); ++frame) {
        EXPECT_EQ(drawn[frame], undrawn[frame]) << "frame " << frame;
    }
}

}  // namespace
