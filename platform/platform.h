// The only door between the game and the outside world.
//
// Game code (base/, media/, render/, course/, race/, world/, overlay/, screens/, shell/) includes
// this header and nothing else that is platform specific. Three backends implement it:
// platform/sdl (the real window, keyboard, audio and fonts), platform/headless (a virtual clock,
// scripted keys and recorded sound, for the runner and the tests) and platform/web (the game in
// a browser page). The backend is chosen at link time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/files.h"

namespace platform {

// ---- Start-up and shutdown ---------------------------------------------------------------

// Opens the window (or its headless stand-in). False when there is no display; the backend has
// then already said why on stderr.
bool OpenWindow();

// Releases the display. Safe to call when nothing is open, and more than once.
void CloseDisplay();

// A modal error box with the given caption, owned by the window where there is one. The text
// also goes to stderr, since a box cannot always be shown; a `detail` goes there instead, for a
// box whose short text does not say which file or why. Caption and text are plain ASCII.
void ShowErrorBox(const char* caption, const char* text, const char* detail = nullptr);

// Full path of the running executable's folder, ending with '/'.
const char* ExecutableDir();

// ---- Time -----------------------------------------------------------------------------------

// Milliseconds since some fixed point, wrapping at 2^32.
uint32_t Ticks();

// Sleeps for about the given number of milliseconds.
void Sleep(uint32_t ms);

// One step of a busy wait: lets a spinning loop see the clock move.
void SpinPause();

// How long before its end a frame wait stops sleeping and polls the clock with SpinPause instead:
// about as late as a Sleep may wake.
uint32_t SpinMilliseconds();

// Calendar time in whole seconds; what the game seeds its random numbers with.
uint32_t CalendarSeconds();

// ---- Window events --------------------------------------------------------------------------

enum class EventType {
    Activated,     // the window got the input focus
    Deactivated,   // the window lost the input focus
    EscapeDown,    // the Escape key went down
    CloseRequest,  // the user asked to close the window
    MusicEnded,    // the tune played to its end
};

// Takes the oldest pending event without waiting. False when none is pending.
bool PollEvent(EventType& event);

// Blocks until an event is pending (it is then taken by PollEvent).
void WaitEvent();

// ---- Keyboard -------------------------------------------------------------------------------

// The game's keys. The first six may be given other keys by the player; P (pause) and Screenshot
// (F12 or Print Screen) are always those.
enum class Key { Up, Down, Left, Right, Q, Escape, P, Screenshot };
constexpr int kKeyCount = 8;

// Whether the key is down after all events taken so far.
bool IsKeyDown(Key key);

// ---- The player's choice of keys ------------------------------------------------------------

// The first six keys (Up .. Escape) are the ones the player may give other keys.
constexpr int kChoosableKeys = 6;

// Whether the player can choose keys here; where they cannot, the settings leave keys out.
bool KeysChoosable();

// The names of the keys standing for one of the six, joined by ", " ("Up", "W, Left"), ASCII.
std::string KeyNames(Key key);

// From now on, the next key that goes down stands for `key` alone; P and the screenshot keys
// stay theirs and are not taken. A key taken from another of the six that had no other gets
// `key`'s old keys in its place, so that each of the six always keeps one.
void ListenForKey(Key key);

// Whether ListenForKey is still waiting for its key.
bool ListeningForKey();

// Gives up waiting for a key; nothing is bound.
void StopListeningForKey();

// Gives `key` the game's own key again, taken from another of the six as a new key would be.
void RestoreGameKey(Key key);

// Writes the keys as chosen to keys.ini in the settings folder, as a player would write it.
// False (with `error` saying why) when it was not written; the keys still count for this run.
bool SaveKeys(std::string& error);

// ---- The window's size ----------------------------------------------------------------------

// A window size that fills the screen, where the others are a whole multiple of the frame.
constexpr int kFullScreen = 0;
constexpr int kLargestWindowScale = 4;

// The largest multiple of the frame (1..kLargestWindowScale) the desktop has room for; 0 where
// the game does not choose its window's size (the page fits its picture to the browser's).
int LargestWindowScale();

// The window's size now: a multiple of the frame, or kFullScreen.
int WindowScale();

// Makes the window `scale` times the frame (at most LargestWindowScale), or full screen.
void SetWindowScale(int scale);

// ---- The back buffer ------------------------------------------------------------------------

constexpr int kFrameWidth = 640;
constexpr int kFrameHeight = 480;

struct Rgb {
    uint8_t r, g, b;
};

// The 256 colours that the frame's bytes index. Set once before the first frame.
void SetPalette(const Rgb colours[256]);

// Locks the 640x480 8-bit back buffer for direct writes. False when it cannot be locked this
// frame; nothing may then be drawn through a pointer from an earlier lock.
bool LockBackBuffer(uint8_t*& bits, int& pitch);
void UnlockBackBuffer();

// Sets every pixel of the unlocked back buffer to one palette index.
void FillBackBuffer(uint8_t index);

// Shows the back buffer.
void PresentBackBuffer();

// The frame on show as an indexed PNG file's bytes, with the palette. False (with `error` saying
// why) when it cannot be packed.
bool EncodeShownFrame(std::string& png, std::string& error);

// ---- Bitmaps --------------------------------------------------------------------------------

// The palette entry nearest to an RGB colour, as the display matches colours: the fixed system
// colours (0..9, 246..255) are tried first and win ties.
uint8_t NearestPaletteEntry(const Rgb palette[256], uint8_t r, uint8_t g, uint8_t b);

// Reads a BMP file as palette indices, each pixel the entry of `palette` nearest to its colour
// (the palette set by SetPalette, or one in which an entry kept for the game's own drawing stands
// in as a colour an earlier entry has, so that no pixel lands on it); `indices` holds `height` rows
// of `width` bytes, top row first. False (with `error` saying why) when the file is missing or not
// a readable BMP.
bool LoadBitmapFile(const char* path, const Rgb palette[256], std::vector<uint8_t>& indices,
                    int& width, int& height, std::string& error);

// Copies `width` x `height` bytes from `src` into the unlocked back buffer with their top-left
// corner at (x, y), leaving the pixels equal to `transparent` and those outside the frame as
// they were.
void BlitToBackBuffer(int x, int y, const uint8_t* src, int srcPitch, int width, int height,
                      uint8_t transparent);

// ---- Text -----------------------------------------------------------------------------------

// Draws code page 932 text into the unlocked back buffer with the top-left corner of its first
// character cell at (x, y). The cell is `cellHeight` pixels high; glyph pixels are written as
// `index`, everything else is left as it was; pixels outside the frame are clipped.
void DrawText(int x, int y, const char* cp932, size_t length, int cellHeight, uint8_t index);

}  // namespace platform
