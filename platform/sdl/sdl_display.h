// The SDL window's internals shared by the SDL backend's files.
#pragma once

#include <SDL.h>

namespace platform::sdl {

SDL_Window* Window();

// Shows the last presented frame again (after an expose or a resize).
void RedrawLastFrame();

// Switches between the window and desktop fullscreen.
void ToggleFullscreen();

// Event type used to tell the main thread that a tune ended (0 before the window opens).
Uint32 MusicEndedEventType();

}  // namespace platform::sdl
