// A picture of a stage from above, for its author: the water and its fence, the checkpoints
// numbered in course order with the course line between them, the jump ramp, the speed pad,
// the camera stands looking at their checkpoints and the start grid. World x runs up the
// picture and world y to the left, as on the course map in the corner of the race screen.
#pragma once

#include <cstdint>
#include <string>

#include "course/stage_file.h"

namespace stage_tool {

constexpr int kMapSize = 640;

// Draws the map into a kMapSize x kMapSize frame of palette indices (the game's palette).
void RenderStageMap(const StageFile& stage, uint8_t* pixels);

// Screen position of a world point on the map.
int MapX(double worldY);
int MapY(double worldX);

}  // namespace stage_tool
