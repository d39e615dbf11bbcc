// The game's three tunes, composed here as General MIDI.
#pragma once

#include "tools/media_gen/midi_writer.h"

namespace media_gen {

// Bright and inviting, for the opening and the title.
MidiSong TitleTune();
// Calm, waiting, for choosing a stage.
MidiSong SelectTune();
// Driving and energetic, from the countdown through the race.
MidiSong RaceTune();

// Length of a song in seconds.
double SongSeconds(const MidiSong& song);

}  // namespace media_gen
