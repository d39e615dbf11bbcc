// The wireframe boat: shadow, hull pitching with the rocking value, and the figure on deck.
#pragma once

#include <cstdint>

#include "render/render_state.h"

// Where and how an opponent's boat is drawn: its position in world units (z the deck's height,
// 50 above the hull), its heading in tenths of a degree, 0..3599, and its rocking value, which
// lifts the stern by that many units and dips the bow as much.
struct BoatModelPose {
    float x;
    float y;
    float z;
    int32_t heading;
    float rock;
};

// The player's boat from PlayerX/Y/Z, PlayerHeading and PlayerRock, in white. Its deck
// shifts are whole units. Leaves DrawColour at 255.
void DrawPlayerBoat();

// A ghost of the player's boat: the player's model at (x, y, z) with `heading` and `rock`, every
// line of it in `colour` and without a shadow. Leaves DrawColour at 255.
void DrawGhostBoat(float x, float y, float z, int32_t heading, int32_t rock, int32_t colour);

// The boat in `pose`, in palette colour 254 - index. Its deck shifts keep their fractions.
// Leaves DrawColour at 255 and the pose's rock in BoatModelRock.
void DrawOpponentBoat(const BoatModelPose& pose, int32_t index);
