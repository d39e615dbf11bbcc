#include "race/title_pose.h"

#include "race/race_state.h"

void ParkBoatsForTitle() {
    PlayerHeading = 0;
    for (int32_t& heading : OpponentHeading) heading = 0;
    PlayerX = 100.0f;
    PlayerY = 0.0f;
    PlayerZ = 450.0f;
}

void PlaceTitleBoat(float x, float y, float z, int32_t heading) {
    PlayerX = x;
    PlayerY = y;
    PlayerZ = z;
    PlayerHeading = heading;
}
