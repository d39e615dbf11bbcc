// Scene 2: every race and every replay starts from the same grid, with the stage's pace.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "base/app_state.h"
#include "base/random.h"
#include "course/stage.h"
#include "platform/headless/headless.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "race/replay_state.h"
#include "race/view_state.h"
#include "render/camera_state.h"
#include "screens/race_setup_scene.h"
#include "shell/main_loop.h"
#include "testing/stage_folder.h"
#include "world/world_state.h"

namespace {

using stage_test::StageFolder;
using stage_test::StageText;

using RaceSetupScene = StageFolder;

// What a finished race leaves behind.
void Scramble() {
    PlayerX = 9999.0f;
    PitchSpring = PitchRate = 77;
    PlayerAirborne = 1;
    for (int i = 0; i < kOpponentCount; ++i) {
        OpponentAirborne[i] = 1;
        OpponentCruise[i] = OpponentSpeed[i] = 1300;
    }
    LapTimes[2] = 40.0;
    RaceFrame = 4000;
    WakeNext = 42;
    ReplayInputs[10] = 2;
}

TEST_F(RaceSetupScene, ALiveRaceStartsOnTheGridAndOpensTheStageSelectOnStageOne) {
    Write("01.dat", StageText("One"));
    Write("02.dat", StageText("Two"));
    ASSERT_TRUE(LoadStage(2));
    Scramble();
    ReplayMode = 0;
    SeedRandom(1234);

    RaceSetup();

    EXPECT_EQ(Scene, kSceneStageSelect);
    EXPECT_EQ(StageNumber, 1);
    EXPECT_STREQ(StageName, "One");
    EXPECT_EQ(std::tuple(PlayerX, PlayerAirborne, PitchSpring, PitchRate),
              std::tuple(600.1f, 0, 80, 0));
    const int32_t baseSpeeds[kOpponentCount] = {520, 548, 576, 604, 632, 660, 688};
    for (int i = 0; i < kOpponentCount; ++i) {
        EXPECT_EQ(OpponentX[i], float(1400.1 + 800 * i)) << i;
        EXPECT_EQ(OpponentY[i], i % 2 ? 2000.1f : 1400.1f) << i;
        EXPECT_EQ(std::pair(OpponentAirborne[i], OpponentCruise[i]), std::pair(0, baseSpeeds[i]));
    }
    EXPECT_EQ(std::tuple(LapTimes[2], RaceFrame, WakeNext), std::tuple(0.0, 1, 0));
    EXPECT_EQ(ReplayInputs[10], 2);  // the steering record lives until the title

    // The water speeds are the game's random draws, in grid order.
    SeedRandom(1234);
    for (int k = 0; k < kWaterGridPoints; ++k) {
        ASSERT_EQ(WaveSpeed[k], float(Random() / 1300 - 25)) << k;
        ASSERT_EQ(WaveHeight[k], 100.0f);
    }
}

TEST_F(RaceSetupScene, AReplayStartsAtOnceWithThePaceOfItsRace) {
    Write("01.dat", StageText("One"));
    ASSERT_TRUE(LoadStage(1));
    OpponentPace = 10;
    std::filesystem::remove(Stage("01.dat"));  // a replay does not read the stage again
    ReplayMode = 1;
    for (int round = 0; round < 2; ++round) {
        Scramble();
        RaceSetup();
        EXPECT_EQ(Scene, kSceneRace);
        const int32_t paced[kOpponentCount] = {520, 540, 570, 600, 630, 660, 680};
        for (int i = 0; i < kOpponentCount; ++i)
            EXPECT_EQ(std::pair(OpponentCruise[i], OpponentSpeed[i]),
                      std::pair(paced[i], paced[i]));
    }
    EXPECT_EQ(ReplayInputs[10], 2);
    EXPECT_TRUE(headless::ErrorBoxes().empty());
    ReplayMode = 0;
}

// Past the title into the set-up without stages: the loader's message, a failure status.
TEST_F(RaceSetupScene, WithoutStagesTheGameEndsWithAFailure) {
    std::filesystem::remove(root_ / "stage");
    ReplayMode = 0;
    int frames = 0;
    auto skipTitle = [](int32_t, void* context) {
        int& count = *static_cast<int*>(context);
        if (++count == 1) Scene = kSceneRaceSetup;
        return count < 1000;
    };
    EXPECT_EQ(RunGame(skipTitle, &frames), 1);
    EXPECT_LT(frames, 5);
    ASSERT_FALSE(headless::ErrorBoxes().empty());
    EXPECT_NE(headless::ErrorBoxes().back().find("ステージ読込みエラーです"), std::string::npos);
}

}  // namespace
