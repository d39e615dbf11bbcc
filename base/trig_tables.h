// Sine and cosine of every angle in tenths of a degree, 0..3599.
#pragma once

#include "base/base_state.h"

// Fills both tables. The step is 3.141592 / 1800, not pi / 1800: the game's angles have always
// been measured with it, so SinTable[1800] is a little above zero.
void BuildTrigTables();
