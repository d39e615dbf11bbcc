// A stage folder with three stages, the game's sounds loaded and the tables built: what the
// stage select, countdown and results screens need to run frame by frame.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/program_dir.h"
#include "base/trig_tables.h"
#include "course/stage.h"
#include "media/music.h"
#include "media/sound.h"
#include "platform/headless/headless.h"
#include "tests/stage_folder.h"

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
        BoostSound = LoadSound("speed.WAV");
        JumpSound = LoadSound("jump.WAV");
        CrashSound = LoadSound("crash.WAV");
        BuildTrigTables();
        Write("01.dat", stage_test::StageText("One"));
        Write("02.dat", stage_test::StageText("Two"));
        Write("03.dat", stage_test::StageText("Three"));
        CountStages();
    }
    void TearDown() override {
        ShutDownAudio();
        StageFolder::TearDown();
    }

    // Effects and tune changes heard so far: "effect N" with the sound id, "music-open F" with
    // the tune's file name, "music-close".
    static std::vector<std::string> Heard() {
        std::vector<std::string> lines;
        for (const auto& r : headless::AudioLog()) {
            if (r.what == "effect") {
                for (int32_t id = 0; id < kSoundSlots; ++id) {
                    if (SoundInUse[id] && std::to_string(SoundHandles[id]) == r.detail) {
                        lines.push_back("effect " + std::to_string(id));
                        break;
                    }
                }
            } else if (r.what == "music-open") {
                lines.push_back("music-open " + r.detail.substr(r.detail.rfind('/') + 1));
            } else if (r.what == "music-close") {
                lines.push_back("music-close");
            }
        }
        return lines;
    }
    static std::string Effect(int32_t id) { return "effect " + std::to_string(id); }
};

}  // namespace screen_test
