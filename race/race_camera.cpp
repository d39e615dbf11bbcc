#include "race/race_camera.h"

#include "base/trig_tables.h"
#include "race/race_state.h"
#include "render/camera_state.h"

void PlaceChaseCamera() {
    const int32_t h = PlayerHeading;
    CameraX = static_cast<float>(double(PlayerX) - 1800.0 * double(CosTable[h]));
    CameraY = static_cast<float>(double(PlayerY) - 1800.0 * double(SinTable[h]));
    CameraZ = static_cast<float>(double(PlayerZ) + 400.0);
    CameraHeading = h;
    CameraPitch = 3500;
}
