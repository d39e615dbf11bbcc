// The browser's clock, window events and keys. The game's waits sleep through emscripten's
// asyncify, which hands the browser its turn until the sleep is over.
#include <emscripten.h>

#include <ctime>
#include <deque>

#include "platform/platform.h"
#include "platform/web/web.h"
#include "platform/web/web_bridge.h"

namespace {

constexpr int kKeys = 6;
// While the game waits for its page to come back it looks for events this often.
constexpr int kPausedPollMilliseconds = 50;

struct Input {
    std::deque<platform::EventType> events;
    bool keyboard[kKeys] = {};
    bool scripted[kKeys] = {};
    bool seeded = false;
    uint32_t seed = 0;
    // The page's fast=1: a clock that moves only by the game's own waits, as the runner's does,
    // so frames follow each other as fast as the browser gives the game its turns.
    bool fast = false;
    uint32_t clock = 0;
};

Input& I() {
    static Input input;
    return input;
}

}  // namespace

// Called by the page's key handlers.
extern "C" {

EMSCRIPTEN_KEEPALIVE void tw_set_key(int key, int down) {
    if (key >= 0 && key < kKeys) I().keyboard[key] = down != 0;
}

EMSCRIPTEN_KEEPALIVE void tw_push_event(int event) {
    I().events.push_back(static_cast<platform::EventType>(event));
}
}

namespace web {

void SetScriptedKey(platform::Key key, bool down) {
    I().scripted[static_cast<int>(key)] = down;
}

void PushEvent(platform::EventType event) {
    I().events.push_back(event);
}

void SetSeed(uint32_t seed) {
    I().seeded = true;
    I().seed = seed;
}

void SetFast() {
    I().fast = true;
}

}  // namespace web

namespace platform {

uint32_t Ticks() {
    if (I().fast) return I().clock;
    return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now()));
}

void Sleep(uint32_t ms) {
    if (!I().fast) {
        emscripten_sleep(ms);
        return;
    }
    I().clock += ms;
    emscripten_sleep(0);
}

// The last two milliseconds of a frame wait are polled without giving the browser its turn: a
// timer of the page can come several milliseconds late, a missed frame.
void SpinPause() {
    if (I().fast) I().clock += 1;
}

uint32_t CalendarSeconds() {
    return I().seeded ? I().seed : static_cast<uint32_t>(std::time(nullptr));
}

bool PollEvent(EventType& event) {
    if (I().events.empty()) return false;
    event = I().events.front();
    I().events.pop_front();
    return true;
}

void WaitEvent() {
    while (I().events.empty()) emscripten_sleep(kPausedPollMilliseconds);
}

bool IsKeyDown(Key key) {
    const int n = static_cast<int>(key);
    return I().keyboard[n] || I().scripted[n] || (tw_pad_keys() & (1 << n)) != 0;
}

}  // namespace platform
