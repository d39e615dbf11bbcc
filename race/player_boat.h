// The player's boat: steering, speed, the jump ramp and the flight, the turn, the speed pad, the
// nodding pitch, the playfield edge and the rocking hull. One fixed step per race frame.
#pragma once

// Moves the boat by one frame, steered by this frame's entry of the steering record.
void UpdatePlayerBoat();

// Rocks the hull one step while the boat is afloat: first down to -12, then between -12 and 12
// in steps of 3.
void RockPlayerHull();
