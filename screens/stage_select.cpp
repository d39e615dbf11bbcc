#include "screens/stage_select.h"

#include <cstdio>

#include "base/frame_pace.h"
#include "base/keys.h"
#include "base/scene_switch.h"
#include "course/stage.h"
#include "media/display.h"
#include "media/game_texts.h"
#include "media/music.h"
#include "media/sound.h"
#include "media/text.h"
#include "overlay/map_markers.h"
#include "race/ghost.h"
#include "race/race_camera.h"
#include "race/race_setup.h"
#include "race/view_state.h"
#include "render/camera.h"
#include "render/frame_buffer.h"
#include "render/projection.h"
#include "world/course_world.h"

namespace {

constexpr int32_t kOutlineColour = 255;
constexpr double kOutlineHeight = 200.0;

// The camera circles the middle of the water at this radius and height, one turn in 360 frames.
constexpr double kOrbitCentre = 11500.0;
constexpr double kOrbitRadius = 24000.0;
constexpr double kOrbitHeight = 6500.0;

constexpr uint32_t kTitleColour = TextRgb(255, 0, 0);
constexpr uint32_t kGreen = TextRgb(125, 225, 55);
constexpr uint32_t kWhite = TextRgb(255, 255, 255);

// Left before Right, so both keys together step left; one step per press.
void StepStage() {
    int32_t number = StageNumber;
    if (SelectLeftKey == kKeyHeld && StepLatch == 0) {
        number -= 1;
        StepLatch = 1;
        PlayEffect(CrashSound);
    }
    if (SelectRightKey == kKeyHeld && StepLatch == 0) {
        number += 1;
        StepLatch = 1;
        PlayEffect(CrashSound);
    }
    if (number < 1) number = StageCount;
    if (number > StageCount) number = 1;
    SetStageNumber(number);
    if (SelectLeftKey == kKeyHeld || SelectRightKey == kKeyHeld) {
        LoadStage(StageNumber);
    } else {
        StepLatch = 0;
    }
}

// Left edge that centres a text about x = 300 by its byte length.
int32_t CentredName(int32_t length) {
    return 300 - 8 * length;
}
int32_t CentredInfo(int32_t length) {
    return static_cast<int32_t>(300.0 - 5.5 * length);
}
int32_t CentredLatin(int32_t length, int32_t cellHeight) {
    return 300 - length * cellHeight / 4;
}

void DrawRecords() {
    struct Row {
        const char* format;
        double time;
    };
    const Row rows[] = {
        {"1stLAP   %6.2f[s]", BestLaps[0]},   {"2ndLAP   %6.2f[s]", BestLaps[1]},
        {"3rdLAP   %6.2f[s]", BestLaps[2]},   {"1stTotal %6.2f[s]", BestTotals[0]},
        {"2ndTotal %6.2f[s]", BestTotals[1]}, {"3rdTotal %6.2f[s]", BestTotals[2]},
    };
    char line[64];
    BeginText(12);
    for (int32_t k = 0; k < 6; ++k) {
        std::snprintf(line, sizeof line, rows[k].format, rows[k].time);
        DrawText(2, 10 + 20 * k, line, kGreen);
    }
    EndText();
}

void DrawTexts() {
    BeginText(28);
    DrawText(230, 20, "Select Stage", kTitleColour);
    DrawText(210, 50, Texts().pushDownStart, kTitleColour);
    EndText();
    // On the title's row, so the arrows stand either side of it.
    BeginText(25);
    DrawText(160, 20, Texts().stepArrows, kGreen);
    EndText();

    // In English the course's English texts where its file gives them, centred by their letters'
    // own width: half the cell a byte.
    const bool english = TextLanguage == Language::English;
    int32_t length = 0;
    const char* name = StageTextFor(StageTextKind::Name, english, length);
    BeginText(35);
    DrawText(english ? CentredLatin(length, 35) : CentredName(length), 90, name, kWhite);
    EndText();
    const char* info1 = StageTextFor(StageTextKind::Info1, english, length);
    BeginText(25);
    DrawText(english ? CentredLatin(length, 25) : CentredInfo(length), 130, info1, kWhite);
    EndText();
    const char* info2 = StageTextFor(StageTextKind::Info2, english, length);
    BeginText(25);
    DrawText(english ? CentredLatin(length, 25) : CentredInfo(length), 160, info2, kWhite);
    EndText();

    DrawRecords();
}

}  // namespace

void PlaceStageSelectCamera() {
    // High above the water, looking at its middle from across it.
    SetCameraRoll(0);
    PlaceOrbitCamera(kOrbitCentre, kOrbitCentre, kOrbitRadius, kOrbitHeight);
}

void DrawCourseOutline() {
    SetDrawColour(kOutlineColour);
    for (int i = 0; i < kStageCheckpoints; ++i) {
        const int next = (i + 1) % kStageCheckpoints;
        DrawLine3D(CheckpointX[i], CheckpointY[i], kOutlineHeight, CheckpointX[next],
                   CheckpointY[next], kOutlineHeight);
    }
}

void StageSelectScene() {
    PollKey(platform::Key::Left, SelectLeftKey);
    PollKey(platform::Key::Right, SelectRightKey);
    PollKey(platform::Key::Down, SelectDownKey);

    StepStage();
    PlaceStageSelectCamera();

    FillFrame(kWaterBackground);
    LockFrame();
    UpdateCourseWorld();
    DrawCourseOutline();
    DrawFrameBorder();
    UnlockFrame();

    // The boats stand on the start grid.
    DrawMapMarkers();
    DrawTexts();

    // This screen goes at the display's refresh rate, not the race's frame pace.
    WaitDisplayRefresh();
    PresentFrame();
    StartSceneMusic("select.mid");

    if (SelectDownKey == kKeyHeld) {
        EnterScene(kSceneCountdown);
        Countdown = 3.2;
        ApplyOpponentPace();
        // Whatever the ghost costs to run is spent here, before the countdown's first frame.
        PrepareGhost();
        StopMusic();
        PlayEffect(GateSound);
    }
}
