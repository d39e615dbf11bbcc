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

// Whether a key is one the player may bind: any key SDL names (without a comma, and by a name
// no other key has) but P, F12 and Print Screen, which always pause and keep the frame.
bool Bindable(SDL_Scancode code);

// Makes `code` the only key of `key`. Another game key that had it loses it, and one that is
// left with none gets `key`'s old keys (but `code`) instead, so that each keeps at least one.
// False, changing nothing, for a key that is not Bindable.
bool BindKey(KeyMap& map, Key key, SDL_Scancode code);

// The names of the keys of `key`, joined by ", ".
std::string KeyNamesOf(const KeyMap& map, Key key);

// The map as a keys.ini that ReadKeyMap reads back as the same keys.
std::string KeyMapText(const KeyMap& map);

}  // namespace platform
