// A race on open water for the simulation tests: the grid as the set-up leaves it, the tables
// built, the four effects loaded (so the sound record names them), and a course whose buoys,
// ramp and pad stand far from the grid unless a test moves them.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/app_state.h"
#include "base/program_dir.h"
#include "base/trig_tables.h"
#include "course/stage.h"
#include "media/sound.h"
#include "platform/headless/headless.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "race/replay_state.h"
#include "screens/race_setup_scene.h"

namespace race_test {

class OpenWater : public ::testing::Test {
  protected:
    void SetUp() override {
        headless::Reset();
        headless::SetExecutableDir(TIDEWAKE_BINARY_DIR);
        GetProgramDir();
        BuildTrigTables();
        StartSoundDevice();
        GateSound = LoadSound("SE01.WAV");
        BoostSound = LoadSound("speed.WAV");
        JumpSound = LoadSound("jump.WAV");
        CrashSound = LoadSound("crash.WAV");
        for (int i = 0; i < 6; ++i) CheckpointX[i] = 12000 + 1500 * i, CheckpointY[i] = 20000;
        JumpRampX = JumpRampY = 20000;
        BoostPadX = 22000, BoostPadY = 12000;
        ReplayMode = 0;
        // No stage file behind these races: a finish has nowhere to write its records.
        StagePath[0] = '\0';
        for (int32_t& input : ReplayInputs) input = 0;
        ResetRaceState();
        Scene = kSceneRace;
    }
    void TearDown() override { ShutDownAudio(); }

    // How often each effect was asked for so far.
    static int Played(int32_t soundId) {
        const auto& log = headless::AudioLog();
        return int(std::count_if(log.begin(), log.end(), [&](const headless::AudioRecord& r) {
            return r.what == "effect" && r.detail == std::to_string(SoundHandles[soundId]);
        }));
    }
};

}  // namespace race_test
