#include "base/scene_switch.h"

void EnterScene(int32_t scene) {
    Scene = scene;
}
