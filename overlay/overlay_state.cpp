#include "overlay/overlay_state.h"

BitmapSlot BitmapSlots[kBitmapSlots];
int32_t CharSlot = 0;
