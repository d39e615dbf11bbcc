#include "base/frame_pace.h"

#include "platform/platform.h"

uint32_t FramePaceTick = 0;

namespace {

// Sleeping is coarse; the last couple of milliseconds are polled so the frame lands on time.
constexpr uint32_t kSpinMilliseconds = 2;

// Ticks since the last wait ended. Unsigned, so the clock's wrap is harmless and a pause of any
// length reads as long past rather than as a tick still to come.
uint32_t SinceLastFrame(uint32_t now) {
    return now - FramePaceTick;
}

}  // namespace

void WaitFramePace() {
    uint32_t now = platform::Ticks();
    const uint32_t elapsed = SinceLastFrame(now);
    if (elapsed < kFrameMilliseconds) {
        const uint32_t left = kFrameMilliseconds - elapsed;
        if (left > kSpinMilliseconds) platform::Sleep(left - kSpinMilliseconds);
        while (SinceLastFrame(now = platform::Ticks()) < kFrameMilliseconds) platform::SpinPause();
    }
    FramePaceTick = now;
}
