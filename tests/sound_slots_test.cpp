// Loading effects into the sound slots and playing them, through the headless platform's record.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/program_dir.h"
#include "media/display.h"
#include "media/music.h"
#include "media/sound.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_audio.h"

namespace {

namespace fs = std::filesystem;

const char* const kEffects[] = {"SE01.WAV", "speed.WAV", "jump.WAV", "crash.WAV"};

// A program folder holding copies of the built effects (those named in `present`).
class SoundSlots : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::path(testing::TempDir()) /
               ("sound_slots_" +
                std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        headless::Reset();
        headless::SetExecutableDir(dir_.string());
        GetProgramDir();
    }
    void TearDown() override {
        ShutDownAudio();
        headless::SetExecutableDir(TIDEWAKE_BINARY_DIR);
        fs::remove_all(dir_);
    }
    void Copy(const char* name, const char* as = nullptr) {
        fs::copy_file(fs::path(TIDEWAKE_BINARY_DIR) / name, dir_ / (as ? as : name));
    }
    void Write(const char* name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    std::vector<std::string> Effects() const {
        std::vector<std::string> played;
        for (const auto& r : headless::AudioLog())
            if (r.what == "effect") played.push_back(r.detail);
        return played;
    }
    fs::path dir_;
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
    Copy("speed.WAV");
    Copy("jump.WAV");
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

}  // namespace
