#include "base/frame_pace.h"

#include "platform/platform.h"

uint32_t FramePaceTick = 0;

namespace {

// Sleeping is coarse; the last couple of milliseconds are spun so the frame lands on time.
constexpr uint32_t kSpinMilliseconds = 2;

// Whether tick `a` is at or after tick `b`, across the 2^32 wrap.
bool NotBefore(uint32_t a, uint32_t b) {
    return static_cast<int32_t>(a - b) >= 0;
}

}  // namespace

void WaitFramePace() {
    const uint32_t target = FramePaceTick + kFrameMilliseconds;
    uint32_t now = platform::Ticks();
    if (!NotBefore(now, target)) {
        const uint32_t left = target - now;
        if (left > kSpinMilliseconds) platform::Sleep(left - kSpinMilliseconds);
        while (!NotBefore(now = platform::Ticks(), target)) platform::SpinPause();
    }
    FramePaceTick = now;
}
