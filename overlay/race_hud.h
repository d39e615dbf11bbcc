// The race's 2D display over the 3D frame.
#pragma once

// The checkpoint banner of a live race (counting it down) and the fading START of the first
// 39 race frames.
void DrawRaceBanners();

// The lap list with the current lap in red, the replay's key hint and the place "N/8"
// (RacePlace, computed by the race frame).
void DrawRaceHud();
