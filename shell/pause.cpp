#include "shell/pause.h"

#include "base/app_state.h"
#include "base/frame_pace.h"
#include "base/keys.h"
#include "media/display.h"
#include "media/game_texts.h"
#include "media/music.h"
#include "media/text.h"
#include "shell/shell_state.h"

namespace {

constexpr int32_t kPauseHeight = 60;
constexpr int32_t kPauseX = 245;
constexpr int32_t kPauseY = 200;

void Pause() {
    GamePaused = 1;
    HoldMusic(true);
    // Over the last frame, which stays in the back buffer until a scene draws again.
    BeginText(kPauseHeight);
    DrawText(kPauseX, kPauseY, Texts().pause, TextRgb(255, 255, 255));
    EndText();
}

void GoOn() {
    GamePaused = 0;
    HoldMusic(false);
}

}  // namespace

bool RunPausedFrame() {
    const int32_t before = PauseKey;
    PollKey(platform::Key::P, PauseKey);
    const bool pressed = before == kKeyPressed && PauseKey == kKeyHeld;
    if (Scene != kSceneRace) {
        if (GamePaused != 0) GoOn();
        return false;
    }
    if (pressed) {
        if (GamePaused != 0) {
            GoOn();
        } else {
            Pause();
        }
    }
    if (GamePaused == 0) return false;
    WaitFramePace();
    PresentFrame();
    return true;
}
