#include "platform/sdl/sdl_gamepad.h"

#include <vector>

namespace platform::sdl {
namespace {

// Past a third of its travel the stick counts as pressed.
constexpr Sint16 kStickThreshold = 32767 / 3;

std::vector<SDL_GameController*>& Controllers() {
    static std::vector<SDL_GameController*> controllers;
    return controllers;
}

bool Holds(SDL_GameController* pad, Key key) {
    auto button = [pad](SDL_GameControllerButton b) {
        return SDL_GameControllerGetButton(pad, b) != 0;
    };
    auto axis = [pad](SDL_GameControllerAxis a) { return SDL_GameControllerGetAxis(pad, a); };
    switch (key) {
        case Key::Up:
            return button(SDL_CONTROLLER_BUTTON_DPAD_UP) ||
                   axis(SDL_CONTROLLER_AXIS_LEFTY) < -kStickThreshold;
        case Key::Down:
            return button(SDL_CONTROLLER_BUTTON_DPAD_DOWN) ||
                   axis(SDL_CONTROLLER_AXIS_LEFTY) > kStickThreshold;
        case Key::Left:
            return button(SDL_CONTROLLER_BUTTON_DPAD_LEFT) ||
                   axis(SDL_CONTROLLER_AXIS_LEFTX) < -kStickThreshold;
        case Key::Right:
            return button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT) ||
                   axis(SDL_CONTROLLER_AXIS_LEFTX) > kStickThreshold;
        case Key::Q:
            return button(SDL_CONTROLLER_BUTTON_BACK);
        case Key::Escape:
            return false;  // quitting the whole game stays on the keyboard
        case Key::P:
            return button(SDL_CONTROLLER_BUTTON_START);
        case Key::Screenshot:
            return false;
    }
    return false;
}

}  // namespace

void StartGamepads() {
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (!SDL_IsGameController(i)) continue;
        if (SDL_GameController* pad = SDL_GameControllerOpen(i)) Controllers().push_back(pad);
    }
}

void HandleGamepadEvent(const SDL_Event& event) {
    std::vector<SDL_GameController*>& pads = Controllers();
    if (event.type == SDL_CONTROLLERDEVICEADDED) {
        SDL_GameController* pad = SDL_GameControllerOpen(event.cdevice.which);
        bool known = false;
        for (SDL_GameController* open : pads) known = known || open == pad;
        if (pad != nullptr && !known) pads.push_back(pad);
    } else if (event.type == SDL_CONTROLLERDEVICEREMOVED) {
        for (auto it = pads.begin(); it != pads.end(); ++it) {
            if (SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(*it)) == event.cdevice.which) {
                SDL_GameControllerClose(*it);
                pads.erase(it);
                break;
            }
        }
    }
}

bool GamepadHolds(Key key) {
    for (SDL_GameController* pad : Controllers()) {
        if (Holds(pad, key)) return true;
    }
    return false;
}

}  // namespace platform::sdl
