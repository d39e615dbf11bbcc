// The editor's 3D preview: the course drawn by the game's own course world, from the stage
// select's circling camera or from the chase camera at the start grid.
#include <cstring>
#include <vector>

#include "app/editor/editor_session.h"
#include "base/random.h"
#include "base/trig_tables.h"
#include "course/fenced_water.h"
#include "course/stage.h"
#include "media/display.h"
#include "media/palette.h"
#include "race/race_camera.h"
#include "race/race_setup.h"
#include "race/view_state.h"
#include "render/camera.h"
#include "render/camera_state.h"
#include "render/frame_buffer.h"
#include "render/projection.h"
#include "screens/race_setup_scene.h"
#include "screens/stage_select.h"
#include "world/course_world.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

constexpr uint32_t kGridSeed = 1;

std::vector<uint8_t> frame(kWidth* kHeight);
uint8_t palette[256 * 3];
bool started = false;

void StartOnce() {
    if (started) return;
    started = true;
    BuildTrigTables();
    ResetRaceState();
}

}  // namespace

extern "C" {

const uint8_t* tw_editor_render(int view, int angle) {
    StartOnce();
    static StageFile course;
    course = editor::EditedCourse();
    UseStage(course, "preview.dat");
    SetCameraRoll(0);
    if (view == 1) {
        // The boats back on the grid, as the countdown shows them, on the same waves every time:
        // a still picture that changes only when the course does.
        SeedRandom(kGridSeed);
        ResetRaceState();
        PlaceChaseCamera();
    } else {
        SetOrbitAngle(angle);
        PlaceStageSelectCamera();
    }
    std::memset(frame.data(), kWaterBackground, frame.size());
    DrawIntoBuffer(frame.data(), kWidth);
    UpdateCourseWorld();
    if (view != 1) DrawCourseOutline();
    DrawFrameBorder();
    DrawIntoBuffer(nullptr, 0);
    return frame.data();
}

int tw_editor_fence(int high) {
    return high != 0 ? kFenceHigh : kFenceLow;
}

const uint8_t* tw_editor_palette() {
    for (int i = 0; i < 256; ++i) {
        palette[3 * i] = GamePalette[i].r;
        palette[3 * i + 1] = GamePalette[i].g;
        palette[3 * i + 2] = GamePalette[i].b;
    }
    return palette;
}

}  // extern "C"
