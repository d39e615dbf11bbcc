// The shell on the headless platform: key edges, frame pace, scene flow, quitting.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "base/app_state.h"
#include "base/frame_pace.h"
#include "base/keys.h"
#include "base/random.h"
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

// Whatever each frame's work, one frame every 33 ms; a slow frame goes at once and the next
// counts from it.
TEST_F(FramePace, HoldsOneFrameEvery33MillisecondsAndASlowOneGoesAtOnce) {
    headless::AdvanceClock(1000);
    Run(1, 0);
    for (uint32_t work : {0u, 5u, 20u, 32u}) {
        const std::vector<uint32_t> stamps = Run(20, work);
        for (size_t i = 1; i < stamps.size(); ++i)
            EXPECT_EQ(stamps[i] - stamps[i - 1], 33u) << "work " << work << " frame " << i;
    }
    const uint32_t before = headless::Clock();
    headless::AdvanceClock(50);
    EXPECT_EQ(Run(2, 0), (std::vector<uint32_t>{before + 50, before + 83}));
}

// However long the pause (past half the clock's range too), the first wait ends at once and the
// frames after it keep the 33 ms pace from there; the clock wrapping past zero is no pause.
TEST_F(FramePace, LongPausesAndTheClockWrapping) {
    for (uint32_t pause : {60000u, 3000000000u, 0xFFFFFFFFu}) {
        Run(2, 1);
        headless::AdvanceClock(pause);
        const uint32_t resumed = headless::Clock();
        EXPECT_EQ(Run(2, 0), (std::vector<uint32_t>{resumed, resumed + 33u})) << pause;
    }
    FramePaceTick = 0xFFFFFFF0u;
    headless::AdvanceClock(0xFFFFFFF5u - headless::Clock());
    WaitFramePace();
    EXPECT_EQ(headless::Clock(), 0xFFFFFFF0u + 33u);
}

TEST(Random, IsTheGamesOwnLinearCongruentialSequence) {
    SeedRandom(0);
    EXPECT_EQ((std::vector<int32_t>{Random(), Random(), Random()}),
              (std::vector<int32_t>{38, 7719, 21238}));
    SeedRandom(1);
    EXPECT_EQ(Random(), 41);
    for (int i = 0; i < 1000; ++i) {
        const int32_t draw = Random();
        ASSERT_TRUE(draw >= 0 && draw <= 32767) << draw;
    }
}

// Runs the game, calling `onFrame` with the number of frames run so far after each; the game
// stops after `limit` frames.
struct SceneLog {
    explicit SceneLog(
        size_t frames, std::function<void(size_t)> hook = [](size_t) {})
        : limit(frames), onFrame(std::move(hook)) {}
    size_t limit;
    std::function<void(size_t)> onFrame;
    std::vector<int32_t> scenes, active;
    int status = -1;

    SceneLog& Run() {
        headless::Reset();
        headless::SetText(false);
        status = RunGame(
            [](int32_t scene, void* context) {
                auto& log = *static_cast<SceneLog*>(context);
                log.scenes.push_back(scene);
                log.active.push_back(AppActive);
                log.onFrame(log.scenes.size());
                return log.scenes.size() < log.limit;
            },
            this);
        return *this;
    }
};

TEST(SceneFlow, OpeningRuns201FramesThenResetThenTitle) {
    SceneLog log{205};
    EXPECT_EQ(log.Run().status, 0);
    ASSERT_EQ(log.scenes.size(), 205u);
    for (int i = 0; i <= 200; ++i) ASSERT_EQ(log.scenes[i], kSceneOpening) << i;
    EXPECT_EQ(log.scenes[201], kSceneReset);
    EXPECT_EQ(log.scenes[202], kSceneTitle);
}

// Escape pressed twice between frames, or the window closed: no further frame, status 0.
TEST(SceneFlow, EscapeOrClosingTheWindowEndsTheGameBeforeAnotherFrame) {
    SceneLog escape{100, [](size_t frames) {
                        if (frames != 5) return;
                        headless::PushEvent(platform::EventType::EscapeDown);
                        headless::PushEvent(platform::EventType::EscapeDown);
                    }};
    EXPECT_EQ(escape.Run().status, 0);
    EXPECT_EQ(escape.scenes.size(), 5u);
    EXPECT_EQ(ShutdownState, 2);

    SceneLog close{100, [](size_t) {
                       headless::PushEvent(platform::EventType::Deactivated);
                       headless::PushEvent(platform::EventType::CloseRequest);
                   }};
    EXPECT_EQ(close.Run().status, 0);
    EXPECT_EQ(close.scenes.size(), 1u);
}

// While inactive no frame runs; the headless platform wakes the game with an activation.
TEST(SceneFlow, NoFrameRunsWhileInactive) {
    SceneLog log{4, [](size_t frames) {
                     if (frames == 2) headless::PushEvent(platform::EventType::Deactivated);
                 }};
    EXPECT_EQ(log.Run().active, (std::vector<int32_t>{1, 1, 1, 1}));
}

}  // namespace
