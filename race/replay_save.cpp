#include "race/replay_save.h"

#include <cstdio>
#include <cstring>

#include "base/numbered_file.h"
#include "course/stage.h"
#include "platform/platform.h"
#include "race/ghost_keep.h"
#include "race/race_clock.h"
#include "race/race_state.h"
#include "race/replay_course.h"
#include "race/replay_state.h"

namespace {

FinishedRaceListener listener = nullptr;
void* listenerContext = nullptr;

std::string CourseStem() {
    std::string name = LoadedCourseFileName();
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return name;
}

// The replay's name in the data folder, before any "-2" that keeps it from replacing another.
std::string ReplayStem() {
    return CourseStem() + "-" + platform::LocalTimeStamp();
}

// False, after saying why in one line, when the replay could not be written.
bool WriteIntoDataFolder(const std::string& text, const std::string& stemName) {
    const std::string folder = std::string(platform::UserDataDir()) + "replays";
    std::string path, error;
    if (WriteNumberedFile(folder, stemName, ".twr", text, path, error)) return true;
    const char* where = path == folder ? ":" : " to";
    std::fprintf(stderr, "tidewake: replay not saved%s %s: %s\n", where, path.c_str(),
                 error.c_str());
    return false;
}

}  // namespace

void DescribeRace(ReplayFile& replay) {
    replay = ReplayFile();
    std::snprintf(replay.course, sizeof replay.course, "%s", LoadedCourseFileName());
    replay.checksum = RacingDataChecksum();
    replay.pace = OpponentPace;
    replay.frames = RaceFrame < 1 ? 1 : RaceFrame > kRaceFrameLimit ? kRaceFrameLimit : RaceFrame;
    for (int32_t frame = 1; frame <= replay.frames; ++frame) {
        replay.steering[frame] = ReplayInputs[frame];
    }
}

void SaveRaceReplay() {
    const bool dataFolder = platform::UserDataDir()[0] != '\0';
    if (LoadedCourseFileName()[0] == '\0') {
        if (dataFolder) std::fprintf(stderr, "tidewake: replay not saved: no stage is loaded\n");
        return;
    }
    static ReplayFile replay;
    DescribeRace(replay);
    const std::string text = FormatReplayFile(replay);
    const std::string stem = ReplayStem();
    if (listener != nullptr) listener(text, stem + ".twr", listenerContext);
    // A data folder that cannot take the replay cannot take the ghost either: that is said once.
    if (dataFolder && !WriteIntoDataFolder(text, stem)) return;
    KeepGhostIfBest(replay, text, RecordedTotal);
}

void ListenToFinishedRaces(FinishedRaceListener newListener, void* context) {
    listener = newListener;
    listenerContext = context;
}
