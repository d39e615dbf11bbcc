// The wireframe boat: shadow, hull pitching with the rocking value, and the figure on deck.
#pragma once

#include <cstdint>

// Pose of the boat DrawOpponentBoat draws; the caller writes it just before each call.
extern float BoatModelX;
extern float BoatModelY;
extern float BoatModelZ;
extern int32_t BoatModelHeading;  // tenths of a degree, 0..3599
extern float BoatModelRock;

// The player's boat from PlayerX/Y/Z, PlayerHeading and PlayerRock, in white. Its deck
// shifts are whole units. Leaves DrawColour at 255.
void DrawPlayerBoat();

// The boat posed in the BoatModel globals, in palette colour 254 - index. Its deck shifts keep
// their fractions. Leaves DrawColour at 255.
void DrawOpponentBoat(int32_t index);
