#include "media/music.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/program_dir.h"
#include "platform/platform.h"

namespace {

// Tunes already said to be unplayable: every race asks for its tune again, and one line a file
// is enough.
std::vector<std::string> refusedTunes;

void SayRefused(const std::string& path, const std::string& why) {
    if (std::find(refusedTunes.begin(), refusedTunes.end(), path) != refusedTunes.end()) return;
    refusedTunes.push_back(path);
    std::fprintf(stderr, "tidewake: tune not played: %s: %s\n", path.c_str(), why.c_str());
}

}  // namespace

void StartSceneMusic(const char* fileName) {
    if (MusicOpen == 1) return;
    char path[kProgramDirSize + 256];
    const int length = std::snprintf(path, sizeof path, "%s%s", ProgramDir, fileName);
    // A tune that cannot be opened leaves the scene silent until the next stop; a path too long
    // for the buffer is not cut short into some other file's name.
    std::string why;
    if (length <= 0 || length >= static_cast<int>(sizeof path)) {
        SayRefused(fileName, "the path is too long");
    } else if (platform::OpenMusic(path, why)) {
        platform::PlayMusic();
    } else if (!why.empty()) {
        // Without a sound device there is nothing to say: the device's own message said it.
        SayRefused(path, why);
    }
    MusicOpen = 1;
}

void StopMusic() {
    if (MusicOpen == 0) return;
    platform::CloseMusic();
    MusicOpen = 0;
}

// The player loops the tune itself, without the gap a restart here would leave; the report that
// a tune ended (or was halted) needs nothing from the game.
void HoldMusic(bool held) {
    if (MusicOpen == 1) platform::HoldMusic(held);
}

void HandleMusicEnded() {}
