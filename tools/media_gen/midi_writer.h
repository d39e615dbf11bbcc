// A small Standard MIDI File (format 1) writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace media_gen {

constexpr int kTicksPerQuarter = 480;

// One track's events on one channel, in any order; written sorted by time.
class MidiTrack {
  public:
    MidiTrack(std::string name, int channel) : name_(std::move(name)), channel_(channel) {}

    void Program(int program);
    void Controller(int controller, int value);
    // A note from `tick` lasting `length` ticks.
    void Note(int tick, int length, int key, int velocity);

    const std::string& Name() const { return name_; }
    int Channel() const { return channel_; }

    struct Event {
        int tick;
        int order;  // at one tick: note-offs first, then set-up, then note-ons
        std::vector<uint8_t> bytes;
    };
    const std::vector<Event>& Events() const { return events_; }

  private:
    std::string name_;
    int channel_;
    std::vector<Event> events_;
};

struct MidiSong {
    std::string title;
    int beatsPerMinute = 120;
    // Where every track ends: the tune loops from here back to its start.
    int endTick = 0;
    std::vector<MidiTrack> tracks;
};

// Writes the song; every track's end-of-track falls exactly on endTick, so the player loops
// on the beat. False when the file cannot be written or a note runs past the end.
bool WriteMidiFile(const std::string& path, const MidiSong& song);

}  // namespace media_gen
