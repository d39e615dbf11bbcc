// The browser backend's own controls, for the page's main (app/web_main.cpp).
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace web {

// With text off only the text output is skipped (the page's notext=1).
void SetText(bool on);

// Sets a key as the page's key script does, on top of the keyboard and pads.
void SetScriptedKey(platform::Key key, bool down);
// Queues a window event.
void PushEvent(platform::EventType event);

// The page's seed for the random numbers instead of the calendar time.
void SetSeed(uint32_t seed);

// Frames as fast as the browser allows, timed by a clock that only the game's waits move.
void SetFast();

}  // namespace web
