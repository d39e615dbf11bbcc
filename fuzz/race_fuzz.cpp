// Any course the stage reader accepts, raced: the stage select's preview, the countdown, a few
// hundred race frames steered by the bytes after the course, the results when the race ends,
// and the replay through every camera view, all with the world drawn. Under the sanitizers no
// number a course may hold can reach undefined arithmetic or a write outside the frame.
//
// Input: the stage file's text, then a zero byte, then the steering: each byte holds the keys
// for the next eight frames (bit 0 left, bit 1 right, bit 2 the view key).
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "base/app_state.h"
#include "base/keys.h"
#include "base/trig_tables.h"
#include "course/stage.h"
#include "course/stage_file.h"
#include "platform/headless/headless.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "race/replay_state.h"
#include "screens/countdown.h"
#include "screens/race_scene.h"
#include "screens/race_setup_scene.h"
#include "screens/results.h"
#include "screens/screen_state.h"
#include "screens/stage_select.h"

namespace {

constexpr int kFramesPerSteeringByte = 8;
constexpr int kLiveRaceFrames = 240;
constexpr int kReplayRaceFrames = 120;
constexpr int kResultsFrames = 20;
constexpr int kDrawEvery = 4;

struct Steering {
    const uint8_t* bytes;
    size_t size;
    int frame = 0;
    bool steer = true;  // in a replay left leaves for the title, so only the view key counts

    void Next() {
        const size_t at = static_cast<size_t>(frame / kFramesPerSteeringByte);
        const uint8_t keys = at < size ? bytes[at] : 0;
        headless::SetKey(platform::Key::Left, steer && (keys & 1) != 0);
        headless::SetKey(platform::Key::Right, steer && (keys & 2) != 0);
        headless::SetKey(platform::Key::Down, (keys & 4) != 0);
        // Every fourth frame is drawn: drawing is most of the time a frame takes, and the boats
        // move far enough between drawn frames.
        headless::SetDrawing(frame % kDrawEvery == 0);
        ++frame;
    }
};

// The course goes into a file of its own, so that a finish writes its records as in the game.
const std::string& CoursePath() {
    static const std::string path = "/tmp/fuzz_race-" + std::to_string(getpid()) + ".dat";
    return path;
}

bool WriteCourse(const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(CoursePath().c_str(), "wb");
    if (file == nullptr) return false;
    const bool whole = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && whole;
}

// Runs the race scene until it leaves the race or `frames` frames have run.
void Race(Steering& steering, int frames) {
    for (int i = 0; i < frames && Scene == kSceneRace; ++i) {
        steering.Next();
        RaceScene();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool tablesBuilt = (BuildTrigTables(), true);
    (void)tablesBuilt;

    size_t courseSize = 0;
    while (courseSize < size && data[courseSize] != 0) ++courseSize;
    static StageFile stage;
    StageFileError error;
    if (!ParseStageFile(reinterpret_cast<const char*>(data), courseSize, stage, error)) return 0;
    if (!WriteCourse(data, courseSize)) return 0;
    const size_t steeringAt = courseSize < size ? courseSize + 1 : size;
    Steering steering{data + steeringAt, size - steeringAt};

    headless::Reset();
    headless::SetText(false);  // the texts are the platform's, fuzzed on their own
    UseStage(stage, CoursePath().c_str());
    ReplayMode = 0;
    for (int32_t& input : ReplayInputs) input = 0;
    SelectLeftKey = SelectRightKey = SelectDownKey = ResultsUpKey = ResultsDownKey = kKeyUp;
    RaceDownKey = RaceLeftKey = RaceRightKey = RaceQuitKey = kKeyUp;
    ResetRaceState();

    // The stage select's preview of the course, then the countdown to the start.
    Scene = kSceneStageSelect;
    for (int i = 0; i < 4; ++i) StageSelectScene();
    Scene = kSceneCountdown;
    Countdown = 3.2;
    ApplyOpponentPace();
    for (int i = 0; i < 100 && Scene == kSceneCountdown; ++i) CountdownScene();

    Race(steering, kLiveRaceFrames);
    if (Scene == kSceneResults) {
        for (int i = 0; i < kResultsFrames; ++i) ResultsScene();
    }

    // The replay of what was driven, its view key stepping through the fixed cameras.
    ReplayMode = 1;
    Scene = kSceneRaceSetup;
    RaceSetup();
    steering.steer = false;
    Race(steering, kReplayRaceFrames);
    std::remove(CoursePath().c_str());
    return 0;
}
