#include "media/media_state.h"

int32_t GateSound = 0;
int32_t BoostSound = 0;
int32_t JumpSound = 0;
int32_t CrashSound = 0;
int32_t SoundDeviceOpen = 0;
int32_t EffectsSilenced = 0;
int32_t EffectsVolume = 10;
int32_t MusicVolume = 10;
int32_t SoundInUse[kSoundSlots] = {};
int32_t SoundHandles[kSoundSlots] = {};
Language TextLanguage = Language::Japanese;
int32_t MusicOpen = 0;
int32_t BlitClip[4] = {0, 0, 0, 0};
uint8_t* FrameBits = nullptr;
int32_t FramePitch = 0;
