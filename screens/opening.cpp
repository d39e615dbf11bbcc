#include "screens/opening.h"

#include "base/frame_pace.h"
#include "base/scene_switch.h"
#include "media/display.h"
#include "media/music.h"
#include "media/text.h"
#include "render/frame_buffer.h"

namespace {

// Grey level of the texts: up by 5 a frame for 50 frames, full, then down to black at the end.
int32_t OpeningBrightness(int32_t frame) {
    if (frame < 51) return 5 * frame;
    if (frame > 149) return 5 * (200 - frame);
    return 255;
}

}  // namespace

void OpeningScreen() {
    const int32_t n = ScreenFrames;

    FillFrame(0);
    LockFrame();
    DrawFrameBorder();
    UnlockFrame();

    const uint32_t v = static_cast<uint32_t>(OpeningBrightness(n));
    const uint32_t grey = v | (v << 8) | (v << 16);
    BeginText(20);
    DrawText(258, 180, "Tide Wake", grey);
    DrawText(280, 200, "1998", grey);
    DrawText(170, 220, "Made anew by the Tide Wake crew", grey);
    EndText();

    WaitFramePace();
    PresentFrame();
    StartSceneMusic("title.mid");

    ScreenFrames += 1;
    if (ScreenFrames >= kOpeningFrames) {
        EnterScene(kSceneReset);
        ScreenFrames = 0;
    }
}
