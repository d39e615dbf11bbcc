// Opening, looping and stopping the scene tunes, through the headless platform's record.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/app_state.h"
#include "base/program_dir.h"
#include "media/music.h"
#include "platform/headless/headless.h"
#include "shell/main_loop.h"
#include "shell/scene_table.h"
#include "shell/window_proc.h"

namespace {

// The log as "what detail" lines, tune paths shortened to their file names.
std::vector<std::string> Heard() {
    std::vector<std::string> lines;
    for (const auto& r : headless::AudioLog()) {
        std::string detail = r.detail;
        const size_t slash = detail.rfind('/');
        if (slash != std::string::npos) detail = detail.substr(slash + 1);
        lines.push_back(detail.empty() ? r.what : r.what + " " + detail);
    }
    return lines;
}

class Music : public testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        headless::SetExecutableDir(TIDEWAKE_BINARY_DIR);
        GetProgramDir();
        MusicOpen = 0;
    }
    void TearDown() override { StopMusic(); }
};

TEST_F(Music, OpensOnceStopsAndStartsAgainFromTheBeginning) {
    StartSceneMusic("title.mid");
    StartSceneMusic("title.mid");   // every frame asks; only the first opens
    StartSceneMusic("select.mid");  // a tune already open keeps playing
    EXPECT_EQ(MusicOpen, 1);
    EXPECT_EQ(Heard(), (std::vector<std::string>{"music-open title.mid", "music-play"}));

    // The end-of-tune report changes nothing: the player loops the tune itself.
    HandleWindowEvent(platform::EventType::MusicEnded);
    EXPECT_EQ(MusicOpen, 1);
    EXPECT_EQ(Heard().size(), 2u);

    StopMusic();
    StopMusic();
    EXPECT_EQ(MusicOpen, 0);
    StartSceneMusic("title.mid");
    EXPECT_EQ(Heard(),
              (std::vector<std::string>{"music-open title.mid", "music-play", "music-close",
                                        "music-open title.mid", "music-play"}));
}

// A tune that is not there: silence, but the scene still counts its music as started, so it
// does not try again every frame; the next stop clears it.
TEST_F(Music, MissingTuneIsSilentUntilStopped) {
    StartSceneMusic("no-such-tune.mid");
    EXPECT_EQ(MusicOpen, 1);
    StartSceneMusic("title.mid");
    EXPECT_EQ(Heard(), (std::vector<std::string>{"music-open no-such-tune.mid"}));
    EXPECT_TRUE(headless::ErrorBoxes().empty());
    StopMusic();
    StartSceneMusic("title.mid");
    EXPECT_EQ(Heard().back(), "music-play");
}

struct TitleRun {
    int32_t frame = 0;
    int32_t upFrame = -1;
};

// Presses Up on the title's tenth frame and runs a few frames more.
bool PressUpOnTitle(int32_t scene, void* context) {
    auto& run = *static_cast<TitleRun*>(context);
    ++run.frame;
    headless::SetFrameNumber(run.frame);
    if (scene == kSceneTitle && run.upFrame < 0 && run.frame > 215) {
        headless::SetKey(platform::Key::Up, true);
        run.upFrame = run.frame;
    }
    return run.upFrame < 0 || run.frame < run.upFrame + 3;
}

// The opening starts the title tune on its first frame; the title keeps it and, on the start
// key, plays the gate sound and stops the tune.
TEST_F(Music, TitleTunePlaysFromTheOpeningUntilTheStartKey) {
    if (FindSceneHandler(kSceneTitle) == nullptr) GTEST_SKIP() << "no title screen yet";
    headless::SetText(false);
    TitleRun run;
    ASSERT_EQ(RunGame(PressUpOnTitle, &run), 0);
    ASSERT_GT(run.upFrame, 0);

    // One tune from the opening's first frame on through the reset into the title; the key,
    // pressed before frame upFrame, counts as held on the frame after: the tune stops, then the
    // gate sound (slot 0) plays.
    std::vector<std::string> heard;
    for (const headless::AudioRecord& r : headless::AudioLog())
        heard.push_back(std::to_string(r.frame) + " " + r.what + " " + r.detail);
    const std::string key = std::to_string(run.upFrame + 1);
    EXPECT_EQ(heard, (std::vector<std::string>{
                         "0 music-open " + std::string(TIDEWAKE_BINARY_DIR) + "/title.mid",
                         "0 music-play ", key + " music-close ", key + " effect 0"}));
    headless::SetKey(platform::Key::Up, false);
}

}  // namespace
