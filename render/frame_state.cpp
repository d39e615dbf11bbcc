#include "render/frame_state.h"

int32_t DrawColour = 0;
