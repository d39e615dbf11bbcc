// Bringing up the display and sound, and the three things every frame does with the back
// buffer: lock it for line drawing, unlock it for text, present it.
#pragma once

#include <cstdint>
#include <string>

#include "media/media_state.h"

// Brings up the display palette, the sound device and the text block. 1 on success, 0 on
// failure (after the message was shown). A sound device that fails is reported and the game
// goes on silent.
int InitMedia(int width, int height);

// Shows a modal error box with the caption "Error"; the text also goes to stderr, or the detail
// in its place where the box's text alone would not say which file failed or why.
void ShowMediaError(const char* text, const char* detail = nullptr);

// Shows why a file is refused: the heading, a blank line, then "path: what", with ":line" after
// the path where the fault has a line of its own.
void ShowFileRefusal(const char* heading, const char* path, int line, const std::string& what);

// Locks the back buffer and sets FrameBits and FramePitch; FrameBits stays null when the lock
// is refused, so the frame's lines are skipped.
void LockFrame();
void UnlockFrame();
// Points FrameBits at a buffer of the caller's own (the course editor's still pictures) until
// it is given null again; the window's back buffer is not touched.
void DrawIntoBuffer(uint8_t* bits, int32_t pitch);
void PresentFrame();

// Releases the display (part of ShutDownMedia).
void ShutDownDisplay();
