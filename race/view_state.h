// Which camera view the race is watched through.
#pragma once

#include <cstdint>

// The chosen view: live 0..1, replay 0 (director) to 6.
extern int32_t CameraMode;
// Frames before the down key may change the view again.
extern int32_t CameraKeyDelay;
// The replay director's shot, 0..4.
extern int32_t DirectorView;
// Frames since the director's shot began.
extern int32_t DirectorFrames;
// Where the circling camera of the stage select and the results stands, tenths of a degree
// round its centre, 0..3599.
extern int32_t OrbitAngle;

// Views of a live race.
constexpr int32_t kViewChase = 0;
constexpr int32_t kViewCockpit = 1;
// Views of a replay: 0 is the director, 1 to 6 fixed views.
constexpr int32_t kViewDirector = 0;
constexpr int32_t kViewLowCockpit = 1;
constexpr int32_t kViewFromAhead = 2;
constexpr int32_t kViewFromAbove = 3;
constexpr int32_t kViewBelowBehind = 4;
constexpr int32_t kViewWholeCourse = 5;
constexpr int32_t kViewRivalsEye = 6;
// The opponent whose boat the rival's-eye view rides in.
constexpr int32_t kRivalSlot = 6;
