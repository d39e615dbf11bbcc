#include "shell/main_loop.h"

#include "base/app_flags.h"
#include "base/program_dir.h"
#include "base/random.h"
#include "base/scene_switch.h"
#include "course/stage.h"
#include "media/display.h"
#include "media/shutdown.h"
#include "media/sound.h"
#include "overlay/sprites.h"
#include "platform/platform.h"
#include "race/ghost.h"
#include "race/replay_load.h"
#include "screens/opening.h"
#include "screens/screen_clock.h"
#include "screens/screen_state.h"
#include "shell/pause.h"
#include "shell/scene_table.h"
#include "shell/screenshot.h"
#include "shell/window_proc.h"

namespace {

constexpr int kStartFailed = 1;

bool StartUp() {
    if (!platform::OpenWindow()) return false;
    if (ChosenWindowScale != kWindowAsOpened) platform::SetWindowScale(ChosenWindowScale);
    // Showing the window makes the game the active application.
    SetAppActive(1);
    SeedRandom(platform::CalendarSeconds());
    GetProgramDir();
    if (InitMedia(platform::kFrameWidth, platform::kFrameHeight) == 0) return false;

    LoadSoundEffects();
    LoadSpriteSheet();
    CountStages();

    EnterScene(kSceneOpening);
    ResetScreenClock();
    return true;
}

// Handles every pending event. False once the quit message has come through.
bool DrainEvents() {
    platform::EventType event;
    while (platform::PollEvent(event)) HandleWindowEvent(event);
    return !QuitPosted;
}

}  // namespace

int RunGame(AfterFrameHook afterFrame, void* context, const char* replayFile,
            const char* ghostFile) {
    ResetShutdown();
    if (!StartUp()) {
        platform::CloseDisplay();
        return kStartFailed;
    }
    if (ghostFile != nullptr && !ReadGhostFile(ghostFile)) {
        QuitGame(kReplayRefused);
        return ExitStatus;
    }
    if (replayFile != nullptr && !StartReplayFile(replayFile)) {
        QuitGame(kReplayRefused);
        return ExitStatus;
    }
    for (;;) {
        if (!DrainEvents()) return ExitStatus;
        if (AppActive == 0) {
            platform::WaitEvent();
            continue;
        }
        if (RunPausedFrame()) {
            TakeScreenshotWhenAsked();
            if (afterFrame != nullptr && !afterFrame(kScenePaused, context)) {
                QuitGame(0);
                return ExitStatus;
            }
            continue;
        }
        const int32_t scene = Scene;
        RunScene();
        TakeScreenshotWhenAsked();
        if (afterFrame != nullptr && !afterFrame(scene, context)) {
            QuitGame(0);
            return ExitStatus;
        }
    }
}
