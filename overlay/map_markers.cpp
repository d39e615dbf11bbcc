#include "overlay/map_markers.h"

void DrawMapMarkers() {}
