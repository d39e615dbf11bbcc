// The seven computer boats: each chases its next checkpoint buoy, turning a fixed step a frame,
// with the player's drift, ramp, pad and edge rules but float velocities and no sounds.
#pragma once

// Moves slot 0 to 6 in turn, each finished (contacts with the others included) before the
// next begins.
void UpdateOpponents();
