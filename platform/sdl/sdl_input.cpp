// Clock, window events, keyboard and game controllers for the real game.
#include <SDL.h>

#include <chrono>
#include <ctime>
#include <deque>
#include <thread>

#include "platform/platform.h"
#include "platform/sdl/sdl_display.h"
#include "platform/sdl/sdl_gamepad.h"

namespace platform {
namespace {

std::deque<EventType>& Pending() {
    static std::deque<EventType> events;
    return events;
}

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
            if (event.key.keysym.sym == SDLK_ESCAPE) {
                pending.push_back(EventType::EscapeDown);
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

SDL_Scancode ScancodeOf(Key key) {
    switch (key) {
        case Key::Up:
            return SDL_SCANCODE_UP;
        case Key::Down:
            return SDL_SCANCODE_DOWN;
        case Key::Left:
            return SDL_SCANCODE_LEFT;
        case Key::Right:
            return SDL_SCANCODE_RIGHT;
        case Key::Q:
            // The key that types a Q on the user's layout.
            return SDL_GetScancodeFromKey(SDLK_q);
        case Key::Escape:
            return SDL_SCANCODE_ESCAPE;
    }
    return SDL_SCANCODE_UNKNOWN;
}

}  // namespace

uint32_t Ticks() {
    return SDL_GetTicks();
}

void Sleep(uint32_t ms) {
    SDL_Delay(ms);
}

// The last stretch of a frame wait polls the clock in tenths of a millisecond instead of burning
// the core: the wake-up is still well inside the millisecond the game counts in.
void SpinPause() {
    std::this_thread::sleep_for(std::chrono::microseconds(100));
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

bool IsKeyDown(Key key) {
    const Uint8* state = SDL_GetKeyboardState(nullptr);
    const SDL_Scancode code = ScancodeOf(key);
    return (code != SDL_SCANCODE_UNKNOWN && state[code] != 0) || sdl::GamepadHolds(key);
}

}  // namespace platform
