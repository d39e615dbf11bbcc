// Counters, key states and the title's animation that the front-end screens keep between frames.
#pragma once

#include <cstdint>

// Frames the opening has shown, or frames since the results screen began (they never run
// together); the results' announcement slides in from the top as it counts up from 0.
extern int32_t ScreenFrames;

// Seconds left on the start countdown: 3.2 when it begins, 0.03 less every frame.
extern double Countdown;

// Change of the title camera's x per frame, world units, held to -50..50.
extern int32_t TitleDrift;

// Heading of the title formation's next boat, tenths of a degree, 0..3599; each boat is drawn a
// quarter turn on from the one before, and the whole formation turns 6 degrees a frame.
extern int32_t BoatModelHeading;

// Edge state of Up on the title (a kKey value, as every key state below).
extern int32_t TitleUpKey;
// Edge state of Down on the title, which opens the settings.
extern int32_t TitleDownKey;

// Edge state of Left on the stage select. Key states keep their values from one visit of a
// screen to the next.
extern int32_t SelectLeftKey;
// Edge state of Right on the stage select.
extern int32_t SelectRightKey;
// Edge state of Down on the stage select.
extern int32_t SelectDownKey;
// Edge state of Down on the results.
extern int32_t ResultsDownKey;
// Edge state of Up on the results.
extern int32_t ResultsUpKey;

// 1 after the stage select stepped to another stage, until neither Left nor Right is held: one
// step per press.
extern int32_t StepLatch;

// How many keys the settings read: Up, Down, Left, Right, Q.
constexpr int32_t kSettingsKeys = 5;
// Edge states of the keys on the settings, in platform::Key order. A key acts once a press, on
// the frame it is first seen held.
extern int32_t SettingsKeys[kSettingsKeys];

// The row of the settings chosen (a SettingsRow).
extern int32_t SettingsRowChosen;
// The game key chosen in the settings' key list.
extern int32_t KeyRowChosen;

// 1 while the settings show their key list.
extern int32_t ShowingKeyList;
// 1 while that list awaits a new key.
extern int32_t AwaitingKey;

// 1 once a key was given another in this visit of the settings: keys.ini is then written too.
extern int32_t KeysChanged;

// The window size settings.ini asks for (a multiple of the frame or platform::kFullScreen), or
// kWindowAsOpened for the size the window opens in.
constexpr int32_t kWindowAsOpened = -1;
// The size asked for, put in force once the window is open.
extern int32_t ChosenWindowScale;
