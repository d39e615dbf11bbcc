// The fixed scenery around every course: the title billboard on the near side, two trees on
// the far side, a wedge-shaped stand along each of the other two sides and four flagpoles.
#pragma once

// Draws all of it, each line with the near-depth and guard-window test. Leaves DrawColour at
// 248.
void DrawScenery();
