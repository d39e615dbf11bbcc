// The markers on the course map in the top-right corner: the buoys, the opponents, the player.
#pragma once

// Draws the six checkpoints, the seven opponents and the player, in that order, as 8 x 8 cells
// of the sprite sheet with their top-left corner on the map point. The frame must be unlocked.
void DrawMapMarkers();
