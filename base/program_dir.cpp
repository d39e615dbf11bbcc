#include "base/program_dir.h"

#include <cstdio>
#include <string>

#include "platform/platform.h"

namespace {

// The installed game keeps its sounds, tunes and courses in a share folder beside its bin:
// share/tidewake/ for an install into any prefix, share/games/tidewake/ for Debian's package,
// whose programs live in /usr/games.
constexpr const char* kSharedMediaFolders[] = {"../share/tidewake/", "../share/games/tidewake/"};
// A folder holds the game's media when it holds the first sound the game loads.
constexpr char kMediaMarker[] = "SE01.WAV";

bool HoldsMedia(const std::string& folder) {
    std::FILE* file = std::fopen((folder + kMediaMarker).c_str(), "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

}  // namespace

const char* GetProgramDir() {
    const std::string own = platform::ExecutableDir();
    std::string folder = own;
    if (!HoldsMedia(own)) {
        for (const char* shared : kSharedMediaFolders) {
            if (HoldsMedia(own + shared)) {
                folder = own + shared;
                break;
            }
        }
    }
    // A folder too long for the buffer would lose its tail; an empty name (the current folder)
    // is better than a wrong one.
    const int written = std::snprintf(ProgramDir, sizeof ProgramDir, "%s", folder.c_str());
    if (written < 0 || written >= kProgramDirSize) ProgramDir[0] = '\0';
    return ProgramDir;
}
