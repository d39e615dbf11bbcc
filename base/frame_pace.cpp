#include "base/frame_pace.h"

#include "platform/platform.h"

namespace {

// Platform tick, in milliseconds, at which the last display-refresh wait ended.
uint32_t DisplayRefreshTick = 0;
// Thirds of a millisecond carried to the next refresh.
int32_t DisplayRefreshThirds = 0;

// A refresh lasts 16 2/3 ms: 16 whole milliseconds and two thirds carried to the next.
constexpr uint32_t kRefreshWholeMilliseconds = 16;
constexpr int32_t kRefreshThirds = 2;

// Waits until `interval` ms after `stamp`, or not at all when that is past; returns the tick at
// which the wait ended. Elapsed ticks are unsigned, so the clock's wrap is harmless and a pause
// of any length reads as long past rather than as a tick still to come.
uint32_t WaitUntil(uint32_t stamp, uint32_t interval) {
    uint32_t now = platform::Ticks();
    const uint32_t elapsed = now - stamp;
    if (elapsed < interval) {
        // Sleeping is coarse; the last stretch is polled so the frame lands on time.
        const uint32_t left = interval - elapsed, spin = platform::SpinMilliseconds();
        if (left > spin) platform::Sleep(left - spin);
        while ((now = platform::Ticks()) - stamp < interval) platform::SpinPause();
    }
    return now;
}

}  // namespace

void WaitFramePace() {
    FramePaceTick = WaitUntil(FramePaceTick, kFrameMilliseconds);
}

void WaitDisplayRefresh() {
    DisplayRefreshThirds += kRefreshThirds;
    const uint32_t interval = kRefreshWholeMilliseconds + DisplayRefreshThirds / 3;
    DisplayRefreshThirds %= 3;
    DisplayRefreshTick = WaitUntil(DisplayRefreshTick, interval);
}
