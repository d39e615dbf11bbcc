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

constexpr char kHeading[] = "The replay cannot be played.";

bool Refuse(const char* path, int line, const std::string& what) {
    ShowFileRefusal(kHeading, path, line, what);
    return false;
}

bool ReadReplayBytes(const char* path, std::string& bytes) {
    int errorNumber = 0;
    switch (ReadWholeFile(path, kReplayFileLimit, bytes, errorNumber)) {
        case WholeFile::Read:
            return true;
        case WholeFile::CannotOpen:
            return Refuse(path, 0, std::strerror(errorNumber));
        case WholeFile::CannotRead:
            return Refuse(path, 0, "the file cannot be read");
        case WholeFile::TooLarge:
            break;
    }
    return Refuse(path, 0, "the file is larger than a replay can be");
}

std::string Hex(uint64_t value) {
    char text[20];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

}  // namespace

bool StartReplayFile(const char* path) {
    std::string bytes;
    if (!ReadReplayBytes(path, bytes)) return false;
    static ReplayFile replay;
    ReplayFileError error;
    if (!ParseReplayFile(bytes.data(), bytes.size(), replay, error)) {
        return Refuse(path, error.line, error.message);
    }

    const int32_t number = FindStageNumber(replay.course);
    if (number == 0) {
        return Refuse(path, 2,
                      std::string("there is no course named ") + replay.course + " to replay on");
    }
    // A course that is there but cannot be read has been told about by the loader.
    if (!LoadStage(number)) return false;
    const uint64_t checksum = RacingDataChecksum();
    if (checksum != replay.checksum) {
        return Refuse(path, replay.checksumLine,
                      std::string("the course ") + replay.course +
                          " has changed since this race: its checksum is " + Hex(checksum) +
                          ", the replay's is " + Hex(replay.checksum));
    }

    SetStageNumber(number);
    SetOpponentPace(replay.pace);
    std::memcpy(ReplayInputs, replay.steering, sizeof ReplayInputs);
    BuildTrigTables();
    StartReplay();
    EnterScene(kSceneRaceSetup);
    return true;
}
