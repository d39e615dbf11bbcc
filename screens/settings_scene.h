// The settings (scene 10), opened from the title with Down: language, music and effects volume,
// the ghost, the window's size and the keys, shown over the title's turning formation. Up and
// Down choose a row, Left and Right change it at once, Q goes back to the title and keeps them.
#pragma once

// Before the settings' first frame: the first row chosen, the key list closed, and every key
// taken as held, so that the key that opened them does not act in them too.
void OpenSettings();

// One frame of the settings.
void SettingsScene();

// Keeps what was set (settings.ini, and keys.ini when keys changed), as leaving with Q does: for
// a game ended from the settings.
void LeaveSettings();
