#include "media/sound.h"

#include "platform/platform.h"

int32_t GateSound = 0;
int32_t BoostSound = 0;
int32_t JumpSound = 0;
int32_t CrashSound = 0;

void StartSoundDevice() {
    platform::StartAudio();
}

int32_t LoadSound(const char*) {
    return 0;
}

void PlayEffect(int32_t) {}

void ShutDownAudio() {
    platform::StopAudio();
}
