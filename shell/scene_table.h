// One handler per scene number; a handler runs one frame of its scene.
#pragma once

#include <cstdint>

using SceneHandler = void (*)();

// The handler of a scene, or null for a number with none (it then runs nothing).
SceneHandler FindSceneHandler(int32_t scene);

// Runs one frame of the current Scene.
void RunScene();
