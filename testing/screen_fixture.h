// A stage folder with three stages, the game's sounds loaded and the tables built: what the
// stage select, countdown and results screens need to run frame by frame.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/keys.h"
#include "base/program_dir.h"
#include "base/trig_tables.h"
#include "course/stage.h"
#include "media/music.h"
#include "media/sound.h"
#include "platform/headless/headless.h"
#include "race/replay_state.h"
#include "screens/screen_state.h"
#include "testing/stage_folder.h"

namespace screen_test {

class ScreenTest : public stage_test::StageFolder {
  protected:
    void SetUp() override {
        StageFolder::SetUp();
        headless::SetText(false);
        headless::SetExecutableDir(TIDEWAKE_BINARY_DIR);
        GetProgramDir();
        MusicOpen = 0;
        StartSoundDevice();
        GateSound = LoadSound("SE01.WAV");
        CrashSound = LoadSound("crash.WAV");
        BuildTrigTables();
        // Key states outlive scenes; each test starts with every key up.
        SelectLeftKey = SelectRightKey = SelectDownKey = ResultsUpKey = ResultsDownKey = kKeyUp;
        StepLatch = ReplayMode = 0;
        const char* names[] = {"One", "Two", "Three"};
        for (int i = 0; i < 3; ++i)
            Write("0" + std::to_string(i + 1) + ".dat", stage_test::StageText(names[i]));
        CountStages();
    }
    void TearDown() override {
        ShutDownAudio();
        StageFolder::TearDown();
    }

    // What was heard: "effect H" with the sound's handle, "music-open F" with the tune's file
    // name, "music-close".
    static std::vector<std::string> Heard() {
        std::vector<std::string> lines;
        for (const auto& r : headless::AudioLog()) {
            const std::string file = r.detail.substr(r.detail.rfind('/') + 1);
            if (r.what != "music-play") lines.push_back(r.what + (file.empty() ? "" : " " + file));
        }
        return lines;
    }
    static std::string Effect(int32_t id) { return "effect " + std::to_string(SoundHandles[id]); }
};

}  // namespace screen_test
