#include "race/replay_load.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/scene_switch.h"
#include "base/trig_tables.h"
#include "base/whole_file.h"
#include "course/stage.h"
#include "media/display.h"
#include "race/replay.h"
#include "race/replay_course.h"
#include "race/replay_file.h"
#include "race/replay_state.h"

namespace {

constexpr char kReplayHeading[] = "The replay cannot be played.";

bool Refuse(const char* heading, const char* path, int line, const std::string& what) {
    ShowFileRefusal(heading, path, line, what);
    return false;
}

bool ReadReplayBytes(const char* heading, const char* path, std::string& bytes) {
    int errorNumber = 0;
    switch (ReadWholeFile(path, kReplayFileLimit, bytes, errorNumber)) {
        case WholeFile::Read:
            return true;
        case WholeFile::CannotOpen:
            return Refuse(heading, path, 0, std::strerror(errorNumber));
        case WholeFile::CannotRead:
            return Refuse(heading, path, 0, "the file cannot be read");
        case WholeFile::TooLarge:
            break;
    }
    return Refuse(heading, path, 0, "the file is larger than a replay can be");
}

std::string Hex(uint64_t value) {
    char text[20];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

}  // namespace

bool ReadReplayFor(const char* path, const char* heading, ReplayFile& replay, bool load) {
    std::string bytes;
    if (!ReadReplayBytes(heading, path, bytes)) return false;
    ReplayFileError error;
    if (!ParseReplayFile(bytes.data(), bytes.size(), replay, error)) {
        return Refuse(heading, path, error.line, error.message);
    }

    const int32_t number = FindStageNumber(replay.course);
    if (number == 0) {
        return Refuse(heading, path, 2,
                      std::string("there is no course named ") + replay.course + " to replay on");
    }
    // A course that is there but cannot be read has been told about by the loader.
    uint64_t checksum = 0;
    if (load) {
        if (!LoadStage(number)) return false;
        checksum = RacingDataChecksum();
    } else {
        static StageFile stage;
        std::string stagePath;
        if (!ReadStage(number, stage, stagePath)) return false;
        checksum = RacingDataChecksum(stage);
    }
    return ReplayFitsCourse(heading, path, replay, checksum);
}

bool ReplayFitsCourse(const char* heading, const char* path, const ReplayFile& replay,
                      uint64_t checksum) {
    if (checksum == replay.checksum) return true;
    return Refuse(heading, path, replay.checksumLine,
                  std::string("the course ") + replay.course +
                      " has changed since this race: its checksum is " + Hex(checksum) +
                      ", the replay's is " + Hex(replay.checksum));
}

bool StartReplayFile(const char* path) {
    static ReplayFile replay;
    if (!ReadReplayFor(path, kReplayHeading, replay, true)) return false;

    SetStageNumber(FindStageNumber(replay.course));
    SetOpponentPace(replay.pace);
    std::memcpy(ReplayInputs, replay.steering, sizeof ReplayInputs);
    BuildTrigTables();
    StartReplay();
    EnterScene(kSceneRaceSetup);
    return true;
}
