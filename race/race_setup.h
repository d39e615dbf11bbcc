// Putting every boat on the start grid and the race, the views and the camera back to their
// start, before every race and every replay.
#pragma once

// Puts the boats on the start grid and the race progress, the views and the camera back to their
// start values.
void ResetRace();

// Scales the opponents' speeds by the stage's pace: each becomes (speed / 10) * OpponentPace.
// Runs once per race start, always after the race set-up has restored the base speeds.
void ApplyOpponentPace();
