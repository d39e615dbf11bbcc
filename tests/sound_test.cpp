// The game's sound through the headless platform's record: effects loaded into the sound slots
// and played, and the scene tunes opened, looped and stopped.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/app_state.h"
#include "base/program_dir.h"
#include "media/display.h"
#include "media/music.h"
#include "media/sound.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"
#include "shell/main_loop.h"
#include "shell/scene_table.h"
#include "shell/window_proc.h"
#include "testing/program_folder.h"

namespace {

namespace fs = std::filesystem;

const char* const kEffects[] = {"SE01.WAV", "speed.WAV", "jump.WAV", "crash.WAV"};

// A program folder of its own, into which each test copies the built media it wants.
class SoundSlots : public program_test::ProgramFolder {
  protected:
    void TearDown() override {
        ShutDownAudio();
        ProgramFolder::TearDown();
    }
    void Copy(const char* name) {
        fs::copy_file(fs::path(TIDEWAKE_BINARY_DIR) / name, dir_ / name);
    }
    std::vector<std::string> Effects() const {
        std::vector<std::string> played;
        for (const auto& r : headless::AudioLog())
            if (r.what == "effect") played.push_back(r.detail);
        return played;
    }
};

void LoadFour() {
    GateSound = LoadSound("SE01.WAV");
    BoostSound = LoadSound("speed.WAV");
    JumpSound = LoadSound("jump.WAV");
    CrashSound = LoadSound("crash.WAV");
}

TEST_F(SoundSlots, FourEffectsTakeSlotsZeroToThreeAndPlayIndependently) {
    for (const char* name : kEffects) Copy(name);
    StartSoundDevice();
    LoadFour();
    EXPECT_EQ((std::vector<int32_t>{GateSound, BoostSound, JumpSound, CrashSound}),
              (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_TRUE(headless::ErrorBoxes().empty());

    headless::SetFrameNumber(12);
    PlayEffect(CrashSound);
    PlayEffect(GateSound);
    PlayEffect(GateSound);  // the same id again restarts it
    EXPECT_EQ(Effects(), (std::vector<std::string>{"3", "0", "0"}));
    EXPECT_EQ(headless::AudioLog().back().frame, 12);
}

// A file that fails gives "---" and id 0, so its event plays whatever landed in slot 0; the
// files after it still load, into the next free slots.
TEST_F(SoundSlots, FailedLoadLeavesIdZeroAndLaterFilesMoveUp) {
    Write("SE01.WAV", "RIFF\x04\0\0\0WAVE");  // no chunks at all
    for (const char* name : {"speed.WAV", "jump.WAV"}) Copy(name);
    StartSoundDevice();
    LoadFour();  // crash.WAV is missing
    EXPECT_EQ((std::vector<int32_t>{GateSound, BoostSound, JumpSound, CrashSound}),
              (std::vector<int32_t>{0, 0, 1, 0}));
    EXPECT_EQ(headless::ErrorBoxes(), (std::vector<std::string>{"Error: ---", "Error: ---"}));

    PlayEffect(GateSound);  // the boost sound, which sits in slot 0
    PlayEffect(JumpSound);
    PlayEffect(5);   // an empty slot
    PlayEffect(-1);  // never a slot
    PlayEffect(kSoundSlots);
    EXPECT_EQ(Effects(), (std::vector<std::string>{"0", "1"}));
}

TEST_F(SoundSlots, FullSlotsAndUnplayableFormatsAreRefused) {
    Copy("SE01.WAV");
    // Zero channels: a WAVE the reader accepts but no mixer can play.
    std::string bad(
        "RIFF\x28\0\0\0WAVEfmt \x10\0\0\0\x01\0\0\0\x22\x56\0\0\x44\xac\0\0\x02\0\x10\0"
        "data\x04\0\0\0\0\0\0\0",
        48);
    Write("bad.WAV", bad);
    StartSoundDevice();
    EXPECT_EQ(LoadSound("bad.WAV"), 0);
    EXPECT_EQ(headless::ErrorBoxes().size(), 1u);
    for (int32_t i = 0; i < kSoundSlots; ++i) ASSERT_EQ(LoadSound("SE01.WAV"), i);
    EXPECT_EQ(LoadSound("SE01.WAV"), 0);
    EXPECT_EQ(headless::ErrorBoxes().size(), 2u);
    EXPECT_EQ(headless::ErrorBoxes().back(), "Error: ---");
}

// No device: one box, and every later sound request quietly does nothing. With a device, shut
// down releases every slot and closes the music, and may come twice.
TEST_F(SoundSlots, WithoutADeviceOrAfterShutDownNothingPlays) {
    for (const char* name : kEffects) Copy(name);
    Copy("title.mid");
    headless::SetAudioDeviceAvailable(false);
    StartSoundDevice();
    LoadFour();
    PlayEffect(GateSound);
    EXPECT_EQ(headless::ErrorBoxes(), (std::vector<std::string>{"Error: DirectSoundError"}));
    EXPECT_EQ(SoundDeviceOpen, 0);

    headless::SetAudioDeviceAvailable(true);
    StartSoundDevice();
    MusicOpen = 0;
    LoadFour();
    StartSceneMusic("title.mid");
    ShutDownAudio();
    EXPECT_EQ(MusicOpen, 0);
    EXPECT_EQ(headless::AudioLog().back().what, "music-close");
    for (int32_t i = 0; i < kSoundSlots; ++i) EXPECT_EQ(SoundInUse[i], 0);
    PlayEffect(GateSound);
    EXPECT_TRUE(Effects().empty());
    ShutDownAudio();
}

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
