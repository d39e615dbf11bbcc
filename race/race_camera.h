// Where the camera stands for each race view, and the view key.
#pragma once

#include <cstdint>

// The down key, held, steps to the next view: on its second frame, then every 11 frames.
void HandleViewKey();

// Back to the first view: the chase camera in a live race, the director in a replay.
void ChooseFirstView();

// The boat the camera rides in for the view in use, which the course world leaves undrawn: the
// player's in the live cockpit and the replay's low cockpit, the rival's in the rival's-eye view
// (chosen, or one of the director's shots once its trackside opening is over).
enum class CameraBoat { None, Player, Rival };
CameraBoat BoatCarryingCamera();

// Places the camera for the current view. In the replay's director view this also moves the
// director on by one frame.
void PlaceRaceCamera();

// The live race's chase view, also the countdown's: 1800 behind the boat along its heading,
// 400 above it, looking along the heading 10 degrees down. The roll is left alone.
void PlaceChaseCamera();

// The circling camera of the stage select and the results: `radius` from (centreX, centreY) at
// OrbitAngle, `z` high, looking back across the centre 10 degrees down. Then the orbit moves on a
// degree: one turn in 360 frames. The roll is left alone.
void PlaceOrbitCamera(double centreX, double centreY, double radius, double z);
// Where the next orbit picture is taken from, in tenths of a degree (any angle; kept in 0..3599).
void SetOrbitAngle(int32_t angle);
