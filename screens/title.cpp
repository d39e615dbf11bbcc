#include "screens/title.h"

#include "base/frame_pace.h"
#include "base/keys.h"
#include "base/scene_switch.h"
#include "media/display.h"
#include "media/game_texts.h"
#include "media/music.h"
#include "media/sound.h"
#include "media/text.h"
#include "race/race_camera.h"
#include "race/race_state.h"
#include "race/title_pose.h"
#include "render/boat_model.h"
#include "render/camera.h"
#include "render/frame_buffer.h"
#include "screens/settings_scene.h"

namespace {

// The formation's boats all wear the colour of the fourth opponent.
constexpr int32_t kFormationColour = 3;

// The flying boat crosses from x = 6000 to beyond -15000, 150 a frame, then comes round again.
constexpr double kFlightStep = 150.0;
constexpr double kFlightEnd = -15000.0;
constexpr float kFlightStart = 6000.0f;

// The camera swings along x about this point, at most 50 a frame.
constexpr double kSwingCentre = 1800.1;
constexpr int32_t kSwingLimit = 50;

int32_t Turned(int32_t angle, int32_t step) {
    angle += step;
    if (angle > 3599) angle -= 3600;
    return angle;
}

void DrawFormation() {
    for (int32_t x = -1500; x <= 500; x += 500) {
        for (int32_t y = -1500; y <= 1500; y += 750) {
            // Each boat is a quarter turn on from the one before.
            BoatModelHeading = Turned(BoatModelHeading, 900);
            // The far boats float higher; they rock as the last boat drawn before them did.
            const BoatModelPose pose = {static_cast<float>(x), static_cast<float>(y),
                                        static_cast<float>(300.0 - (2.0 / 3.0) * x),
                                        BoatModelHeading, BoatModelRock};
            DrawOpponentBoat(pose, kFormationColour);
        }
    }
    // 25 quarter turns and three more bring the formation back to its own heading.
    BoatModelHeading = Turned(BoatModelHeading, 2700);
}

void AnimateTitle() {
    float x = static_cast<float>(double(PlayerX) - kFlightStep);
    float y = PlayerY;
    float z = PlayerZ;
    if (double(x) < kFlightEnd) {
        x = kFlightStart;
        y = 0.0f;
        z = 0.0f;
    }
    PlaceTitleBoat(x, y, z, Turned(PlayerHeading, 200));
    SetCameraRoll(Turned(CameraRoll, 30));
    BoatModelHeading = Turned(BoatModelHeading, 60);

    TitleDrift += double(CameraX) < kSwingCentre ? 1 : -1;
    if (TitleDrift > kSwingLimit) TitleDrift = kSwingLimit;
    if (TitleDrift < -kSwingLimit) TitleDrift = -kSwingLimit;
    MoveCamera(static_cast<float>(double(CameraX) + TitleDrift), CameraY, CameraZ);
}

}  // namespace

void ResetTitleAnimation() {
    BoatModelHeading = 0;
    TitleDrift = -10;
}

void DrawTitleBackdrop() {
    FillFrame(0);
    LockFrame();

    // Looking along -x from just above the formation; x and roll carry over between frames.
    MoveCamera(CameraX, 0.1f, 550.1f);
    TurnCamera(1800, 0);
    ChooseFirstView();

    DrawFormation();
    DrawPlayerBoat();
    AnimateTitle();

    DrawFrameBorder();
    UnlockFrame();
}

void TitleScreen() {
    PollKey(platform::Key::Up, TitleUpKey);
    PollKey(platform::Key::Down, TitleDownKey);

    DrawTitleBackdrop();

    BeginText(90);
    DrawText(60, 60, Texts().title, TextRgb(255, 255, 255));
    EndText();
    BeginText(20);
    DrawText(220, 20, Texts().titleVersion, TextRgb(255, 0, 0));
    DrawText(190, 400, Texts().pushUpStart, TextRgb(0, 255, 0));
    DrawText(160, 420, "Wireframe waves by the Tide Wake crew", TextRgb(255, 0, 0));
    EndText();

    WaitFramePace();
    PresentFrame();
    StartSceneMusic("title.mid");

    if (TitleUpKey == kKeyHeld) {
        EnterScene(kSceneRaceSetup);
        StopMusic();
        PlayEffect(GateSound);
    } else if (TitleDownKey == kKeyHeld) {
        // The title tune plays on through the settings.
        OpenSettings();
        EnterScene(kSceneSettings);
    }
}
