// The race (scene 3), live or replayed: one fixed simulation step per frame.
#pragma once

// One race frame: keys, steering record, view key, the player's boat, the opponents, contacts,
// camera, course world (with the checkpoint tests), hull, display, race clock and the way out.
void RaceScene();
