// The title screen (scene 1).
#pragma once

#include <cstdint>

// Change of the title camera's x per frame.
extern int32_t TitleDrift;
