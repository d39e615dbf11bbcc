// The media layer's globals: the loaded sound effects, the open tune, the sprite clip, the locked
// back buffer and the frame's palette.
#pragma once

#include <array>
#include <cstdint>

#include "platform/platform.h"

constexpr int32_t kSoundSlots = 30;

// The languages the game's texts come in.
enum class Language : int32_t { Japanese, English };

// Sound id of the checkpoint chime (also the start of a race), 0 when it did not load.
extern int32_t GateSound;
// Sound id of the speed pad's rush, 0 when it did not load.
extern int32_t BoostSound;
// Sound id of a take-off from the ramp, 0 when it did not load.
extern int32_t JumpSound;
// Sound id of a collision (also a step on the stage select), 0 when it did not load.
extern int32_t CrashSound;

// 1 while the sound device is open; without it every sound request does nothing.
extern int32_t SoundDeviceOpen;
// 1 while effects are held silent (a ghost's race run beside the live one), else 0.
extern int32_t EffectsSilenced;
// How loud the effects play, 0 (silent) to 10 (as recorded).
extern int32_t EffectsVolume;
// How loud the music plays, 0 (silent) to 10 (as recorded).
extern int32_t MusicVolume;
// Per sound id: 1 when the slot holds a loaded sound.
extern int32_t SoundInUse[kSoundSlots];
// Per sound id: the platform's handle of the loaded sound; -1 once the slot was emptied.
extern int32_t SoundHandles[kSoundSlots];

// The language of the game's texts; Japanese unless the player or the runner chose another.
extern Language TextLanguage;
// 1 from the moment a tune was opened (even one that could not play) until it is stopped.
extern int32_t MusicOpen;

// Clip rectangle of sprite copies in pixels: left, top, right, bottom (right and bottom
// exclusive); the whole frame once InitMedia ran.
extern int32_t BlitClip[4];

// The locked back buffer: pixel (x, y) is FrameBits[y * FramePitch + x]. Null whenever the
// buffer is not locked: every drawing routine then skips its writes but still does the rest of
// its work.
extern uint8_t* FrameBits;
// Bytes from one row of the locked back buffer to the next; left as it was by a refused lock.
extern int32_t FramePitch;

// The 256 colours of the 8-bit frame, fixed: 0..9 and 246..255 are the system colours the game
// draws with; 10..225 a 6x6x6 colour cube and 226..245 a ramp of greys between the cube's greys.
extern const std::array<platform::Rgb, 256> GamePalette;
