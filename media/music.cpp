#include "media/music.h"

#include <cstdio>

#include "base/program_dir.h"
#include "platform/platform.h"

int32_t MusicOpen = 0;

void StartSceneMusic(const char* fileName) {
    if (MusicOpen == 1) return;
    char path[kProgramDirSize + 256];
    const int length = std::snprintf(path, sizeof path, "%s%s", ProgramDir, fileName);
    // A tune that cannot be opened leaves the scene silent until the next stop; a path too long
    // for the buffer is not cut short into some other file's name.
    if (length > 0 && length < static_cast<int>(sizeof path) && platform::OpenMusic(path)) {
        platform::PlayMusic();
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
void HandleMusicEnded() {}
