#include "media/music.h"

#include <cstdio>

#include "platform/platform.h"
#include "shell/program_dir.h"

int32_t MusicOpen = 0;

void StartSceneMusic(const char* fileName) {
    if (MusicOpen == 1) return;
    char path[kProgramDirSize + 64];
    std::snprintf(path, sizeof path, "%s%s", ProgramDir, fileName);
    // A tune that cannot be opened leaves the scene silent until the next stop.
    if (platform::OpenMusic(path)) platform::PlayMusic();
    MusicOpen = 1;
}

void StopMusic() {
    if (MusicOpen == 0) return;
    platform::CloseMusic();
    MusicOpen = 0;
}

// The player loops the tune itself, without the gap a restart here would leave.
void HandleMusicEnded() {}
