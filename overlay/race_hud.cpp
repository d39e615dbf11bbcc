#include "overlay/race_hud.h"

void DrawRaceBanners() {}
void DrawRaceHud() {}
