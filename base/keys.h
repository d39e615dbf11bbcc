// Edge state of the keys the scenes poll, once per frame.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// Values of a key state. Every action of the game fires on kKeyHeld only, so a key acts from
// the second consecutive frame in which it is seen down.
constexpr int32_t kKeyUp = 0;
constexpr int32_t kKeyPressed = 1;
constexpr int32_t kKeyReleased = 2;
constexpr int32_t kKeyHeld = 3;

// Reads whether the key is down now and moves its state on:
// down: 0 -> 1, anything else -> 3;  up: 1 or 3 -> 2, anything else -> 0.
void PollKey(platform::Key key, int32_t& state);
