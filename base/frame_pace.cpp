#include "base/frame_pace.h"

#include "platform/platform.h"

uint32_t FramePaceTick = 0;
uint32_t DisplayRefreshTick = 0;
int32_t DisplayRefreshThirds = 0;

namespace {

// Sleeping is coarse; the last couple of milliseconds are spun so the frame lands on time.
constexpr uint32_t kSpinMilliseconds = 2;

// A refresh lasts 16 2/3 ms: 16 whole milliseconds and two thirds carried to the next.
constexpr uint32_t kRefreshWholeMilliseconds = 16;
constexpr int32_t kRefreshThirds = 2;

// Whether tick `a` is at or after tick `b`, across the 2^32 wrap.
bool NotBefore(uint32_t a, uint32_t b) {
    return static_cast<int32_t>(a - b) >= 0;
}

// Waits until `interval` ms after `stamp`, or not at all when that is past; returns the tick at
// which the wait ended.
uint32_t WaitUntil(uint32_t stamp, uint32_t interval) {
    const uint32_t target = stamp + interval;
    uint32_t now = platform::Ticks();
    if (!NotBefore(now, target)) {
        const uint32_t left = target - now;
        if (left > kSpinMilliseconds) platform::Sleep(left - kSpinMilliseconds);
        while (!NotBefore(now = platform::Ticks(), target)) platform::SpinPause();
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
