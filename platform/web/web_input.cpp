// The browser's clock, window events and keys. The game's waits sleep through emscripten's
// asyncify, which hands the browser its turn until the sleep is over.
#include <emscripten.h>

#include <cmath>
#include <ctime>
#include <deque>

#include "platform/platform.h"
#include "platform/web/web.h"
#include "platform/web/web_bridge.h"

namespace {

constexpr int kKeys = platform::kKeyCount;
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

// The page's timer takes whole milliseconds and comes a fraction of one late; it is aimed at the
// start of the millisecond in which Ticks() has moved on by `ms`, so that it wakes within it and
// the frame that waited counts from there, not from the next.
void Sleep(uint32_t ms) {
    if (!I().fast) {
        const double now = emscripten_get_now();
        const double aim = static_cast<double>(ms) - (now - std::floor(now));
        emscripten_sleep(aim > 0.0 ? static_cast<unsigned>(std::lround(aim)) : 0u);
        return;
    }
    I().clock += ms;
    emscripten_sleep(0);
}

// A poll of the clock without giving the browser its turn: the page's timers cannot wait less
// than 4 ms once they follow one another.
void SpinPause() {
    if (I().fast) I().clock += 1;
}

// The timer wakes well inside the millisecond it is aimed at, and a frame wait polling the clock
// instead would burn the browser's time for nothing: it sleeps to the end. The fast clock moves
// as the runner's does.
uint32_t SpinMilliseconds() {
    return I().fast ? 2 : 0;
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
