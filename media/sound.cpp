#include "media/sound.h"

#include <cstdio>
#include <string>

#include "base/program_dir.h"
#include "media/display.h"
#include "media/music.h"
#include "media/wave_file.h"
#include "platform/platform.h"

namespace {

void EmptySlots() {
    for (int32_t i = 0; i < kSoundSlots; ++i) {
        SoundInUse[i] = 0;
        SoundHandles[i] = -1;
    }
}

// The box keeps its short text; stderr says which file and why.
int32_t RefuseSound(const char* path, const std::string& why) {
    const std::string detail = std::string("sound not loaded: ") + path + ": " + why;
    ShowMediaError("---", detail.c_str());
    return 0;
}

}  // namespace

void StartSoundDevice() {
    // Without a device the game says so once and runs silent.
    std::string why;
    SoundDeviceOpen = platform::StartAudio(why) ? 1 : 0;
    if (SoundDeviceOpen == 0) {
        const std::string detail = "no sound device, the game runs silent: " + why;
        ShowMediaError("DirectSoundError", detail.c_str());
    }
    EmptySlots();
    // A volume chosen before the device opened, or kept from an earlier device.
    if (SoundDeviceOpen != 0 && EffectsVolume != platform::kFullVolume) {
        platform::SetEffectsVolume(EffectsVolume);
    }
    if (SoundDeviceOpen != 0 && MusicVolume != platform::kFullVolume) {
        platform::SetMusicVolume(MusicVolume);
    }
}

int32_t LoadSound(const char* fileName) {
    if (SoundDeviceOpen == 0) return 0;
    int32_t slot = 0;
    while (slot < kSoundSlots && SoundInUse[slot] != 0) ++slot;
    if (slot == kSoundSlots) {
        ShowMediaError("---");
        return 0;
    }

    char path[kProgramDirSize + 256];
    const int length = std::snprintf(path, sizeof path, "%s%s", ProgramDir, fileName);
    if (length < 0 || length >= static_cast<int>(sizeof path)) {
        return RefuseSound(fileName, "the path is too long");
    }
    WaveFile wave;
    std::string why;
    if (!ReadWaveFile(path, wave, why)) return RefuseSound(path, why);
    const platform::WaveFormat format = wave.Format();
    const int handle = platform::IsSaneWaveFormat(format)
                           ? platform::CreateSound(format, wave.data.data(), wave.data.size())
                           : -1;
    if (handle < 0) return RefuseSound(path, "the sound device cannot play its samples");
    SoundInUse[slot] = 1;
    SoundHandles[slot] = handle;
    return slot;
}

void LoadSoundEffects() {
    GateSound = LoadSound("SE01.WAV");
    BoostSound = LoadSound("speed.WAV");
    JumpSound = LoadSound("jump.WAV");
    CrashSound = LoadSound("crash.WAV");
}

namespace {

int32_t Clamped(int32_t volume) {
    return volume < 0 ? 0 : volume > platform::kFullVolume ? platform::kFullVolume : volume;
}

}  // namespace

void ChooseEffectsVolume(int32_t volume) {
    EffectsVolume = Clamped(volume);
    if (SoundDeviceOpen != 0) platform::SetEffectsVolume(EffectsVolume);
}

void ChooseMusicVolume(int32_t volume) {
    MusicVolume = Clamped(volume);
    if (SoundDeviceOpen != 0) platform::SetMusicVolume(MusicVolume);
}

void SilenceEffects(bool silenced) {
    EffectsSilenced = silenced ? 1 : 0;
}

void PlayEffect(int32_t soundId) {
    if (SoundDeviceOpen == 0 || EffectsSilenced != 0 || soundId < 0 || soundId >= kSoundSlots)
        return;
    if (SoundInUse[soundId] == 0) return;
    platform::PlaySound(SoundHandles[soundId]);
}

void ShutDownAudio() {
    for (int32_t i = 0; i < kSoundSlots; ++i) {
        if (SoundInUse[i] != 0) platform::ReleaseSound(SoundHandles[i]);
    }
    EmptySlots();
    StopMusic();
    if (SoundDeviceOpen != 0) platform::StopAudio();
    SoundDeviceOpen = 0;
}
