// A game controller, read as the keys the game knows: the D-pad or left stick as the arrows,
// Back as Q.
#pragma once

#include <SDL.h>

#include "platform/platform.h"

namespace platform::sdl {

// Opens the controller subsystem; without it the keyboard alone is read.
void StartGamepads();

// Opens and closes controllers as they are plugged in and out.
void HandleGamepadEvent(const SDL_Event& event);

// Whether an open controller holds the key down.
bool GamepadHolds(Key key);

}  // namespace platform::sdl
