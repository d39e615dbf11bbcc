#include "shell/window_proc.h"

#include "base/app_flags.h"
#include "base/app_state.h"
#include "media/music.h"
#include "media/shutdown.h"
#include "screens/settings_scene.h"

namespace {

// A game ended from the settings keeps them, as leaving them does.
void KeepSettingsShown() {
    if (Scene == kSceneSettings) LeaveSettings();
}

}  // namespace

void HandleWindowEvent(platform::EventType event) {
    switch (event) {
        case platform::EventType::Activated:
            SetAppActive(1);
            break;
        case platform::EventType::Deactivated:
            SetAppActive(0);
            break;
        case platform::EventType::EscapeDown:
            if (ShutdownState != kShutdownReleased) {
                KeepSettingsShown();
                ShutDownOnce();
                PostQuit();
            }
            break;
        case platform::EventType::CloseRequest:
            KeepSettingsShown();
            ShutDownOnce();
            PostQuit();
            break;
        case platform::EventType::MusicEnded:
            HandleMusicEnded();
            break;
    }
}
