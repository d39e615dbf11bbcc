// Where the camera stands for each race view, and the view key.
#pragma once

// The live race's chase view, also the countdown's: 1800 behind the boat along its heading,
// 400 above it, looking along the heading 10 degrees down. The roll is left alone.
void PlaceChaseCamera();
