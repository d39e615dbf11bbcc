#include "race/ghost_keep.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/whole_file.h"
#include "platform/platform.h"
#include "race/ghost_race.h"
#include "race/ghost_state.h"

namespace {

KeptGhostListener listener = nullptr;
void* listenerContext = nullptr;

void Say(const std::string& what) {
    std::fprintf(stderr, "tidewake: %s\n", what.c_str());
}

// The kept ghost's total: known when it raced this race, else its race is run again.
double KeptTotal(const ReplayFile& kept) {
    if (GhostRacing != 0 && GhostIsKeptBest != 0) return RacingGhost.total;
    static GhostTrack track;
    RunGhostRace(kept, track);
    return track.total;
}

bool Beats(double total, double kept) {
    return kept < 0.0 || total < kept;
}

bool WriteGhost(const std::string& path, const std::string& text, std::string& error) {
    if (!platform::MakeFolder(platform::GhostFolder(), error)) return false;
    bool existed = false;
    if (platform::WriteNewFile(path.c_str(), text.data(), text.size(), existed, error)) return true;
    if (!existed) return false;
    return platform::ReplaceFileContents(path.c_str(), text.data(), text.size(), error);
}

}  // namespace

std::string KeptGhostPath(uint64_t checksum) {
    const std::string folder = platform::GhostFolder();
    if (folder.empty()) return "";
    char name[32];
    std::snprintf(name, sizeof name, "%016llx.twr", static_cast<unsigned long long>(checksum));
    return folder + name;
}

bool ReadKeptGhost(uint64_t checksum, ReplayFile& replay) {
    const std::string path = KeptGhostPath(checksum);
    if (path.empty()) return false;
    std::string bytes;
    int errorNumber = 0;
    switch (ReadWholeFile(path.c_str(), kReplayFileLimit, bytes, errorNumber)) {
        case WholeFile::Read:
            break;
        case WholeFile::CannotOpen:
            // No file, or no folder to hold one: there is no kept ghost.
            if (errorNumber != ENOENT && errorNumber != ENOTDIR)
                Say("ghost not raced: " + path + ": " + std::strerror(errorNumber));
            return false;
        case WholeFile::CannotRead:
            Say("ghost not raced: " + path + ": " + std::strerror(errorNumber));
            return false;
        case WholeFile::TooLarge:
            Say("ghost not raced: " + path + ": the file is larger than a replay can be");
            return false;
    }
    ReplayFileError error;
    if (!ParseReplayFile(bytes.data(), bytes.size(), replay, error)) {
        Say("ghost not raced: " + path + ":" + std::to_string(error.line) + ": " + error.message);
        return false;
    }
    if (replay.checksum != checksum) {
        Say("ghost not raced: " + path + ":" + std::to_string(replay.checksumLine) +
            ": it is the replay of another course");
        return false;
    }
    return true;
}

void KeepGhostIfBest(const ReplayFile& finished, const std::string& text, double total) {
    const std::string path = KeptGhostPath(finished.checksum);
    if (path.empty()) return;
    static ReplayFile kept;
    if (ReadKeptGhost(finished.checksum, kept) && !Beats(total, KeptTotal(kept))) return;
    std::string error;
    if (!WriteGhost(path, text, error)) {
        Say("ghost not kept: " + path + ": " + error);
        return;
    }
    if (listener != nullptr) listener(path.c_str(), listenerContext);
}

void ListenToKeptGhosts(KeptGhostListener newListener, void* context) {
    listener = newListener;
    listenerContext = context;
}
