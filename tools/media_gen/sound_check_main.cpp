// tidewake-sound-check: opens the real sound device, loads the game's four effects from beside
// the executable and plays each once, a second apart. Exit status 1 when the device or an
// effect fails. For listening, and for the captured-audio test.
#include <cstdio>

#include "base/program_dir.h"
#include "media/sound.h"
#include "platform/platform.h"

int main() {
    GetProgramDir();
    StartSoundDevice();
    if (SoundDeviceOpen == 0) return 1;
    const char* names[] = {"SE01.WAV", "speed.WAV", "jump.WAV", "crash.WAV"};
    int32_t ids[4];
    for (int i = 0; i < 4; ++i) {
        ids[i] = LoadSound(names[i]);
        if (ids[i] != i) {
            std::fprintf(stderr, "tidewake-sound-check: %s did not load\n", names[i]);
            ShutDownAudio();
            return 1;
        }
    }
    // A second of silence first, then each effect followed by silence.
    platform::Sleep(1000);
    for (int i = 0; i < 4; ++i) {
        PlayEffect(ids[i]);
        platform::Sleep(1000);
    }
    ShutDownAudio();
    return 0;
}
