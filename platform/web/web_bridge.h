// The page's side of the browser backend: functions of platform/web/page/library.js.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

// Shows a 640x480 frame: `indices` its palette indices and `rgba` the same through the palette,
// four bytes a pixel as the canvas takes them, both in rows 640 pixels long.
void tw_present(const uint8_t* indices, const uint32_t* rgba);
// Draws code page 932 text into the frame as solid pixels of `index`; see DrawText in
// platform.h. The page decodes it (its Shift_JIS decoder is code page 932's).
void tw_draw_text(uint8_t* frame, int pitch, int x, int y, const char* cp932, size_t length,
                  int cellHeight, int index);
void tw_error_box(const char* caption, const char* text);
// Merges the pads' buttons into the keys: bit n is platform::Key n.
int tw_pad_keys();
// Tells the page how far the game has come.
void tw_after_frame(int frame, int scene, int stopped);
// Hands the page the replay of a race that has just finished, and the name to save it under.
void tw_replay_ready(const char* text, size_t length, const char* fileName);
// Tells the page the game has kept a new best race's ghost at `path`, in its ghost folder, which
// the page then stores in the browser.
void tw_ghost_kept(const char* path);

int tw_audio_start();
void tw_audio_stop();
// A sound from PCM samples; -1 when the page cannot make one.
int tw_create_sound(int channels, int rate, int bits, const uint8_t* samples, size_t size);
void tw_play_sound(int handle);
void tw_release_sound(int handle);
// Opens the tune rendered from the MIDI file of that name; 0 when there is none.
int tw_open_music(const char* name);
void tw_play_music();
void tw_close_music();
void tw_hold_music(int held);
// How loud the effects (0) or the music (1) play, 0..10.
void tw_set_volume(int music, int volume);
// Offers `size` bytes to the player as a download named `name`.
void tw_offer_file(const char* name, const char* data, int size);

// The browser's language ("en-US"), written into `out` (at most `size` bytes with its end);
// returns its whole length in bytes, so that a longer one is asked for again with room enough.
int tw_system_locale(char* out, int size);

// The player's keys, which the page keeps: the names of the keys standing for game key `key`
// (0..5), joined by ", ", and the whole choice as keys.ini's text, each written as
// tw_system_locale writes.
int tw_key_names(int key, char* out, int size);
int tw_keys_text(char* out, int size);
// From now on the next key pressed on the keyboard stands for `key` alone (see
// platform::ListenForKey).
void tw_listen_for_key(int key);
int tw_listening_for_key();
void tw_stop_listening_for_key();
// Gives `key` the game's own key again.
void tw_restore_game_key(int key);
}
