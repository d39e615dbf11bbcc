// The shell on the headless platform: key edges, frame pace, scene flow, quitting.
#include <gtest/gtest.h>

#include <vector>

#include "base/app_state.h"
#include "base/frame_pace.h"
#include "base/keys.h"
#include "base/random.h"
#include "base/trig_tables.h"
#include "platform/headless/headless.h"
#include "shell/main_loop.h"

namespace {

using platform::Key;

TEST(PollKey, FollowsTheEdgesOfAKey) {
    headless::Reset();
    int32_t state = kKeyUp;
    auto poll = [&](bool down) {
        headless::SetKey(Key::Up, down);
        PollKey(Key::Up, state);
        return state;
    };
    EXPECT_EQ(poll(true), kKeyPressed);
    EXPECT_EQ(poll(true), kKeyHeld);
    EXPECT_EQ(poll(false), kKeyReleased);
    EXPECT_EQ(poll(true), kKeyHeld);  // pressed again right after the release acts at once
    EXPECT_EQ(poll(false), kKeyReleased);
    EXPECT_EQ(poll(false), kKeyUp);
    EXPECT_EQ(poll(false), kKeyUp);
    // A key held when a scene was left reads as held on the scene's first poll back.
    state = kKeyHeld;
    EXPECT_EQ(poll(true), kKeyHeld);
}

class FramePace : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        FramePaceTick = 0;
    }
    // Ticks at which each of `count` frames is presented when each frame works `work` ms.
    std::vector<uint32_t> Run(int count, uint32_t work) {
        std::vector<uint32_t> stamps;
        for (int i = 0; i < count; ++i) {
            headless::AdvanceClock(work);
            WaitFramePace();
            stamps.push_back(headless::Clock());
        }
        return stamps;
    }
};

TEST_F(FramePace, HoldsOneFrameEvery33Milliseconds) {
    headless::AdvanceClock(1000);
    Run(1, 0);
    for (uint32_t work : {0u, 5u, 20u, 32u}) {
        const std::vector<uint32_t> stamps = Run(20, work);
        for (size_t i = 1; i < stamps.size(); ++i) {
            EXPECT_EQ(stamps[i] - stamps[i - 1], 33u) << "work " << work << " frame " << i;
        }
    }
}

TEST_F(FramePace, SlowFrameGoesAtOnceAndTheNextCountsFromIt) {
    Run(3, 1);
    const uint32_t before = headless::Clock();
    headless::AdvanceClock(50);
    WaitFramePace();
    EXPECT_EQ(headless::Clock(), before + 50);  // no extra wait
    EXPECT_EQ(FramePaceTick, before + 50);
    WaitFramePace();
    EXPECT_EQ(headless::Clock(), before + 83);
}

// However long the pause (past half the clock's range too), the first wait ends at once and the
// frames after it keep the 33 ms pace from there.
TEST_F(FramePace, FirstWaitAfterALongPauseEndsAtOnce) {
    for (uint32_t pause : {60000u, 3000000000u, 0xFFFFFFFFu}) {
        Run(2, 1);
        headless::AdvanceClock(pause);
        const uint32_t resumed = headless::Clock();
        WaitFramePace();
        EXPECT_EQ(headless::Clock(), resumed) << "pause " << pause;
        EXPECT_EQ(FramePaceTick, resumed);
        WaitFramePace();
        EXPECT_EQ(headless::Clock(), resumed + 33u) << "pause " << pause;
    }
}

TEST_F(FramePace, SurvivesTheClockWrapping) {
    FramePaceTick = 0xFFFFFFF0u;
    headless::AdvanceClock(0xFFFFFFF5u);
    WaitFramePace();
    EXPECT_EQ(headless::Clock(), 0xFFFFFFF0u + 33u);  // wrapped past zero
}

TEST(Random, IsTheGamesOwnLinearCongruentialSequence) {
    SeedRandom(0);
    EXPECT_EQ(Random(), 38);
    EXPECT_EQ(Random(), 7719);
    EXPECT_EQ(Random(), 21238);
    SeedRandom(1);
    EXPECT_EQ(Random(), 41);
    for (int i = 0; i < 1000; ++i) {
        const int32_t draw = Random();
        ASSERT_GE(draw, 0);
        ASSERT_LE(draw, 32767);
    }
}

TEST(TrigTables, UseTheGamesOwnStep) {
    BuildTrigTables();
    EXPECT_EQ(SinTable[900], 1.0f);
    EXPECT_EQ(SinTable[0], 0.0f);
    EXPECT_NEAR(CosTable[900], 3.2679e-7f, 1e-10f);
    EXPECT_NEAR(SinTable[1800], 6.536e-7f, 1e-10f);
    EXPECT_EQ(CosTable[0], 1.0f);
}

// Runs the game for at most `frames` frames and returns the scene each frame ran.
struct SceneLog {
    std::vector<int32_t> scenes;
    size_t limit;
};

bool LogScene(int32_t scene, void* context) {
    auto& log = *static_cast<SceneLog*>(context);
    log.scenes.push_back(scene);
    return log.scenes.size() < log.limit;
}

TEST(SceneFlow, OpeningRuns201FramesThenResetThenTitle) {
    headless::Reset();
    headless::SetText(false);
    SceneLog log{{}, 205};
    EXPECT_EQ(RunGame(LogScene, &log), 0);
    ASSERT_EQ(log.scenes.size(), 205u);
    for (int i = 0; i <= 200; ++i) ASSERT_EQ(log.scenes[i], kSceneOpening) << i;
    EXPECT_EQ(log.scenes[201], kSceneReset);
    EXPECT_EQ(log.scenes[202], kSceneTitle);
}

// Escape pressed several times between frames: media released once, no further frame.
bool PressEscapeTwiceAfterFrameFive(int32_t, void* context) {
    auto& log = *static_cast<SceneLog*>(context);
    log.scenes.push_back(Scene);
    if (log.scenes.size() == 5) {
        headless::PushEvent(platform::EventType::EscapeDown);
        headless::PushEvent(platform::EventType::EscapeDown);
    }
    return log.scenes.size() < log.limit;
}

TEST(SceneFlow, EscapeEndsTheGameBeforeAnotherFrame) {
    headless::Reset();
    headless::SetText(false);
    SceneLog log{{}, 100};
    EXPECT_EQ(RunGame(PressEscapeTwiceAfterFrameFive, &log), 0);
    EXPECT_EQ(log.scenes.size(), 5u);
    EXPECT_EQ(ShutdownState, 2);
}

bool CloseAfterFirstFrame(int32_t, void* context) {
    auto& log = *static_cast<SceneLog*>(context);
    log.scenes.push_back(Scene);
    headless::PushEvent(platform::EventType::Deactivated);
    headless::PushEvent(platform::EventType::CloseRequest);
    return true;
}

TEST(SceneFlow, ClosingTheWindowQuitsWithStatusZero) {
    headless::Reset();
    headless::SetText(false);
    SceneLog log{{}, 100};
    EXPECT_EQ(RunGame(CloseAfterFirstFrame, &log), 0);
    EXPECT_EQ(log.scenes.size(), 1u);
}

// While inactive no frame runs; the headless platform wakes the game with an activation.
bool DeactivateOnce(int32_t, void* context) {
    auto& log = *static_cast<SceneLog*>(context);
    log.scenes.push_back(AppActive);
    if (log.scenes.size() == 2) headless::PushEvent(platform::EventType::Deactivated);
    return log.scenes.size() < log.limit;
}

TEST(SceneFlow, NoFrameRunsWhileInactive) {
    headless::Reset();
    headless::SetText(false);
    SceneLog log{{}, 4};
    RunGame(DeactivateOnce, &log);
    EXPECT_EQ(log.scenes, (std::vector<int32_t>{1, 1, 1, 1}));
}

}  // namespace
