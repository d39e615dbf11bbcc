// Sound for the real game (not yet wired to a mixer: the game runs silent).
#include "platform/platform.h"

namespace platform {

bool StartAudio() {
    return true;
}
void StopAudio() {}
int CreateSound(const WaveFormat&, const uint8_t*, size_t) {
    return -1;
}
void PlaySound(int) {}
void ReleaseSound(int) {}
bool OpenMusic(const char*) {
    return false;
}
void PlayMusic() {}
void CloseMusic() {}

}  // namespace platform
