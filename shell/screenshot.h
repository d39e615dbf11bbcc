// F12 (or Print Screen) keeps the frame on show as a 640x480 PNG file: in the player's data
// folder, "screenshots/tidewake-YYYYMMDD-HHMMSS.png", or on the page as a download.
#pragma once

// Reads the key after a frame and, on a press, keeps the frame just shown; one line on stderr
// says where it went or why it could not be kept.
void TakeScreenshotWhenAsked();
