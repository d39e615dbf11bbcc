#pragma once

// Scene 0: builds the angle tables, puts the title screen's animation back to its start and
// clears the steering record, then hands over to the title.
void ResetGame();
