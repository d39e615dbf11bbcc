// Clock, window events, keyboard and game controllers for the real game.
#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <deque>
#include <fstream>
#include <sstream>
#include <thread>

#include "platform/common/key_map.h"
#include "platform/common/player_folders.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_display.h"
#include "platform/sdl/sdl_gamepad.h"

namespace platform {
namespace {

using Clock = std::chrono::steady_clock;

// The game's milliseconds count from the moment the window opens (or the clock is first read),
// on a clock whose start we know, so a wait can sleep to the very start of a millisecond.
Clock::time_point ClockStart() {
    static const Clock::time_point start = Clock::now();
    return start;
}

uint32_t TickOf(Clock::time_point when) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(when - ClockStart());
    return static_cast<uint32_t>(ms.count());
}

Clock::time_point NextTickStart(Clock::time_point when) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(when - ClockStart());
    return ClockStart() + ms + std::chrono::milliseconds(1);
}

std::deque<EventType>& Pending() {
    static std::deque<EventType> events;
    return events;
}

// The game's keys, or the player's choice from keys.ini in their config folder. A line the game
// cannot read is named on stderr and left out; the game goes on.
KeyMap& PlayerKeys() {
    static KeyMap map = [] {
        KeyMap keys = DefaultKeyMap();
        const std::string folder = PlayerConfigFolder();
        if (folder.empty()) return keys;
        std::ifstream file(folder + "keys.ini");
        if (!file) return keys;
        std::ostringstream text;
        text << file.rdbuf();
        std::vector<std::string> problems;
        ReadKeyMap(text.str(), keys, problems);
        for (const std::string& problem : problems) {
            std::fprintf(stderr, "tidewake: %s%s\n", folder.c_str(), problem.c_str());
        }
        return keys;
    }();
    return map;
}

// The game key the next key pressed is bound to, while the settings wait for one.
bool listening = false;
Key listeningFor = Key::Up;

bool IsFullscreenToggle(const SDL_KeyboardEvent& key) {
    if (key.repeat) return false;
    if (key.keysym.sym == SDLK_F11) return true;
    return (key.keysym.sym == SDLK_RETURN || key.keysym.sym == SDLK_KP_ENTER) &&
           (key.keysym.mod & KMOD_ALT) != 0;
}

// Turns one SDL event into the game's events; window chores are done here.
void Translate(const SDL_Event& event) {
    std::deque<EventType>& pending = Pending();
    switch (event.type) {
        case SDL_QUIT:
            pending.push_back(EventType::CloseRequest);
            break;
        case SDL_KEYDOWN:
            if (MapsTo(PlayerKeys(), Key::Escape, event.key.keysym.scancode)) {
                pending.push_back(EventType::EscapeDown);
            } else if (listening && !event.key.repeat &&
                       BindKey(PlayerKeys(), listeningFor, event.key.keysym.scancode)) {
                listening = false;
            } else if (IsFullscreenToggle(event.key)) {
                sdl::ToggleFullscreen();
            }
            break;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    pending.push_back(EventType::Activated);
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    pending.push_back(EventType::Deactivated);
                    break;
                case SDL_WINDOWEVENT_EXPOSED:
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    sdl::RedrawLastFrame();
                    break;
                default:
                    break;
            }
            break;
        case SDL_CONTROLLERDEVICEADDED:
        case SDL_CONTROLLERDEVICEREMOVED:
            sdl::HandleGamepadEvent(event);
            break;
        default:
            if (event.type != 0 && event.type == sdl::MusicEndedEventType()) {
                pending.push_back(EventType::MusicEnded);
            }
            break;
    }
}

}  // namespace

uint32_t Ticks() {
    return TickOf(Clock::now());
}

void Sleep(uint32_t ms) {
    SDL_Delay(ms);
}

// The last stretch of a frame wait polls the clock: each poll sleeps until the next millisecond
// begins, the one moment the clock can have moved, so a frame wakes twice there and not dozens of
// times, and still lands at the start of its millisecond.
void SpinPause() {
    std::this_thread::sleep_until(NextTickStart(Clock::now()));
}

// A thread's sleep may wake a couple of milliseconds late.
uint32_t SpinMilliseconds() {
    return 2;
}

uint32_t CalendarSeconds() {
    return static_cast<uint32_t>(std::time(nullptr));
}

bool PollEvent(EventType& event) {
    std::deque<EventType>& pending = Pending();
    SDL_Event sdlEvent;
    while (pending.empty() && SDL_PollEvent(&sdlEvent)) Translate(sdlEvent);
    if (pending.empty()) return false;
    event = pending.front();
    pending.pop_front();
    return true;
}

void WaitEvent() {
    SDL_Event sdlEvent;
    while (Pending().empty() && SDL_WaitEvent(&sdlEvent)) Translate(sdlEvent);
}

// The keys no keys.ini changes.
bool FixedKeyDown(Key key, const Uint8* state) {
    if (key == Key::P) return state[SDL_GetScancodeFromKey(SDLK_p)] != 0;
    return state[SDL_SCANCODE_F12] != 0 || state[SDL_SCANCODE_PRINTSCREEN] != 0;
}

bool IsKeyDown(Key key) {
    const Uint8* state = SDL_GetKeyboardState(nullptr);
    if (static_cast<int>(key) >= kGameKeys)
        return FixedKeyDown(key, state) || sdl::GamepadHolds(key);
    for (const SDL_Scancode code : PlayerKeys().keys[static_cast<int>(key)]) {
        if (code != SDL_SCANCODE_UNKNOWN && state[code] != 0) return true;
    }
    return sdl::GamepadHolds(key);
}

bool KeysChoosable() {
    return true;
}

std::string KeyNames(Key key) {
    return KeyNamesOf(PlayerKeys(), key);
}

void ListenForKey(Key key) {
    listening = true;
    listeningFor = key;
}

bool ListeningForKey() {
    return listening;
}

void StopListeningForKey() {
    listening = false;
}

void RestoreGameKey(Key key) {
    BindKey(PlayerKeys(), key, DefaultKeyMap().keys[static_cast<int>(key)].front());
}

bool SaveKeys(std::string& error) {
    return WriteSettingsFile("keys.ini", KeyMapText(PlayerKeys()), error);
}

}  // namespace platform
