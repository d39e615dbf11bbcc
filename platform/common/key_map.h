// The player's choice of keys: which physical keys stand for each of the six keys the game
// reads, from a small text file in the player's config folder ("keys.ini"):
//
//   # WASD instead of the arrows
//   up = W
//   left = A, Left
//
// A game key named in the file takes exactly the keys listed (SDL key names); the others keep
// the game's own. Blank lines, lines starting with '#' or ';' and section lines are skipped.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

#include "platform/platform.h"

namespace platform {

constexpr int kGameKeys = 6;

struct KeyMap {
    std::vector<SDL_Scancode> keys[kGameKeys];  // indexed by platform::Key
};

// The game's own keys: the arrows, the key that types Q on this layout, Escape.
KeyMap DefaultKeyMap();

// Applies the file's lines to `map`. Each malformed line is left out and described in
// `problems` as "keys.ini:LINE: what is wrong".
void ReadKeyMap(const std::string& text, KeyMap& map, std::vector<std::string>& problems);

// Whether the scancode stands for the game key.
bool MapsTo(const KeyMap& map, Key key, SDL_Scancode code);

}  // namespace platform
