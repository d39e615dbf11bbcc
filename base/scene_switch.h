// The one way the game changes scene.
#pragma once

#include <cstdint>

#include "base/app_state.h"

// Makes `scene` (a kScene number) the scene whose handler runs in the next frame; a handler
// that switches goes on to the end of its own frame.
void EnterScene(int32_t scene);
