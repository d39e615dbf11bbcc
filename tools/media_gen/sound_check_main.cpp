// tidewake-sound-check: opens the real sound device, loads the game's four effects from beside
// the executable and plays each once, a second apart, then the title tune for three seconds.
// `--volume N` (0..10) plays them all that loud. Exit status 1 when the device or an effect
// fails. For listening, and for the captured-audio test.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/program_dir.h"
#include "media/music.h"
#include "media/sound.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
    int32_t volume = 10;
    if (argc == 3 && std::strcmp(argv[1], "--volume") == 0) {
        volume = static_cast<int32_t>(std::strtol(argv[2], nullptr, 10));
    } else if (argc != 1) {
        std::fprintf(stderr, "usage: tidewake-sound-check [--volume 0..10]\n");
        return 2;
    }
    GetProgramDir();
    StartSoundDevice();
    if (SoundDeviceOpen == 0) return 1;
    ChooseEffectsVolume(volume);
    ChooseMusicVolume(volume);
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
    StartSceneMusic("title.mid");
    platform::Sleep(3000);
    ShutDownAudio();
    return 0;
}
