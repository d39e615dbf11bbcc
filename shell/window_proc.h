// What the game does with the few window events that matter.
#pragma once

#include "platform/platform.h"

// Activation starts and stops the frames; Escape and closing the window shut the game down;
// the end of a tune lets the music go on.
void HandleWindowEvent(platform::EventType event);
