#include "world/course_reset.h"

#include "base/random.h"
#include "world/world_state.h"

// Flat water, each grid point with its own random swing; buoys at rest; no wake.
void ResetCourseAnimation() {
    for (int k = 0; k < kWaterGridPoints; ++k) {
        WaveHeight[k] = 100.0f;
        WaveSpeed[k] = static_cast<float>(Random() / 1300 - 25);
    }
    for (int i = 0; i < kStageCheckpoints; ++i) {
        CheckpointBob[i] = 100;
        CheckpointBobSpeed[i] = 0;
    }
    for (int k = 0; k < kWakeMarks; ++k) {
        WakeX[k] = 0.0;
        WakeY[k] = 0.0;
    }
    WakeNext = 0;
}
