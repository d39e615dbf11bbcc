#include "screens/countdown.h"

#include <cstdio>

#include "base/frame_pace.h"
#include "base/scene_switch.h"
#include "media/display.h"
#include "media/music.h"
#include "media/text.h"
#include "overlay/lap_list.h"
#include "overlay/map_markers.h"
#include "race/race_camera.h"
#include "render/frame_buffer.h"
#include "world/course_world.h"

namespace {

// 3.2 down by 0.03 a frame until below 1.0: 74 frames.
constexpr double kCountdownStep = 0.03;
constexpr double kCountdownEnd = 1.0;

}  // namespace

void FormatCountdownDigit(char* digit, size_t size, double countdown) {
    std::snprintf(digit, size, "%1.0f", countdown);
}

void CountdownScene() {
    PlaceChaseCamera();

    FillFrame(kWaterBackground);
    LockFrame();
    // The boats stand still; the checkpoint tests count nothing outside the race.
    UpdateCourseWorld();
    DrawFrameBorder();
    UnlockFrame();

    Countdown -= kCountdownStep;
    char digit[32];
    FormatCountdownDigit(digit, sizeof digit, Countdown);
    BeginText(95);
    DrawText(315, 90, digit, TextRgb(225, 5, 5));
    EndText();

    DrawMapMarkers();
    DrawLapList(kNoLapHighlight);

    // The player starts last of eight.
    BeginText(40);
    DrawText(290, 5, "8/8", TextRgb(255, 255, 255));
    EndText();

    WaitFramePace();
    PresentFrame();
    // The stage select stopped its tune, so the race's tune starts here and plays on.
    StartSceneMusic("game.mid");

    if (Countdown < kCountdownEnd) EnterScene(kSceneRace);
}
