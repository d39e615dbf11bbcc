#include "race/race_state.h"

float PlayerX = 0.0f;
float PlayerY = 0.0f;
float PlayerZ = 0.0f;
int32_t PlayerHeading = 0;

int32_t OpponentHeading[kOpponentCount] = {};
