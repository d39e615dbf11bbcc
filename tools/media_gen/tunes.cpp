#include "tools/media_gen/tunes.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace media_gen {
namespace {

constexpr int kEighth = kTicksPerQuarter / 2;
constexpr int kBar = kTicksPerQuarter * 4;
constexpr int kDrumChannel = 9;

// General MIDI programs (numbered from 0) and drum keys.
enum Program {
    kElectricPiano = 4,
    kGlockenspiel = 9,
    kVibraphone = 11,
    kOverdrivenGuitar = 29,
    kFingerBass = 33,
    kFretlessBass = 35,
    kSynthBass = 38,
    kStrings = 48,
    kBrassSection = 61,
    kSawLead = 81,
    kWarmPad = 89,
};
enum DrumKey {
    kKick = 36,
    kSnare = 38,
    kClosedHat = 42,
    kOpenHat = 46,
    kCrash = 49,
    kRide = 51,
    kShaker = 82,
};

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "tidewake-media: %s\n", what.c_str());
    std::exit(1);
}

// Pitch class of a note letter with its sharps and flats, advancing `at`.
int ReadPitchClass(const std::string& s, size_t& at) {
    static const int kLetters[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (at >= s.size() || s[at] < 'A' || s[at] > 'G') Fail("bad note in \"" + s + "\"");
    int pc = kLetters[s[at++] - 'A'];
    while (at < s.size() && (s[at] == '#' || s[at] == 'b')) pc += s[at++] == '#' ? 1 : -1;
    return (pc + 12) % 12;
}

struct Chord {
    int root;                    // pitch class
    std::vector<int> intervals;  // from the root
    int bass;                    // pitch class of the lowest note
};

// "C", "Am", "G/B", "Fmaj7", "Em7", "G7", "Csus4".
Chord ParseChord(const std::string& s) {
    size_t at = 0;
    Chord c;
    c.root = ReadPitchClass(s, at);
    std::string quality;
    while (at < s.size() && s[at] != '/') quality += s[at++];
    if (quality.empty())
        c.intervals = {0, 4, 7};
    else if (quality == "m")
        c.intervals = {0, 3, 7};
    else if (quality == "maj7")
        c.intervals = {0, 4, 7, 11};
    else if (quality == "m7")
        c.intervals = {0, 3, 7, 10};
    else if (quality == "7")
        c.intervals = {0, 4, 7, 10};
    else if (quality == "sus4")
        c.intervals = {0, 5, 7};
    else
        Fail("unknown chord \"" + s + "\"");
    c.bass = c.root;
    if (at < s.size()) {
        ++at;
        c.bass = ReadPitchClass(s, at);
    }
    return c;
}

std::vector<Chord> ParseChords(const std::string& text) {
    std::istringstream in(text);
    std::vector<Chord> chords;
    for (std::string word; in >> word;) chords.push_back(ParseChord(word));
    return chords;
}

// The chord's tones, each placed in the octave from `low` upward.
std::vector<int> Voicing(const Chord& c, int low) {
    std::vector<int> keys;
    for (int interval : c.intervals) {
        int key = low + ((c.root + interval - low) % 12 + 12) % 12;
        keys.push_back(key);
    }
    std::sort(keys.begin(), keys.end());
    return keys;
}

// The key of a pitch class in the octave from `low` upward.
int KeyFrom(int pitchClass, int low) {
    return low + ((pitchClass - low) % 12 + 12) % 12;
}

// A little life in the velocities, the same on every build.
class Humanise {
  public:
    int operator()(int velocity) {
        state_ = state_ * 1103515245u + 12345u;
        return velocity + static_cast<int>((state_ >> 16) % 9) - 4;
    }

  private:
    uint32_t state_ = 7u;
};

// A melody written as "E5:2 G5:2 r:4 ...": note names with octave, lengths in eighths.
void AddMelody(MidiTrack& track, const std::string& text, int velocity, int expectedBars) {
    std::istringstream in(text);
    Humanise human;
    int tick = 0;
    for (std::string word; in >> word;) {
        const size_t colon = word.find(':');
        if (colon == std::string::npos) Fail("melody word without length: " + word);
        const int length = std::atoi(word.c_str() + colon + 1) * kEighth;
        const std::string note = word.substr(0, colon);
        if (note != "r") {
            size_t at = 0;
            const int pc = ReadPitchClass(note, at);
            const int octave = std::atoi(note.c_str() + at);
            // Slightly detached, so repeated notes are heard as two.
            track.Note(tick, length - 20, 12 * (octave + 1) + pc, human(velocity));
        }
        tick += length;
    }
    if (tick != expectedBars * kBar) {
        Fail("melody of " + std::to_string(tick / kEighth) + " eighths, expected " +
             std::to_string(expectedBars * 8));
    }
}

// Chords held for the whole bar.
void AddPad(MidiTrack& track, const std::vector<Chord>& chords, int low, int velocity) {
    for (size_t bar = 0; bar < chords.size(); ++bar) {
        for (int key : Voicing(chords[bar], low)) {
            track.Note(int(bar) * kBar, kBar - 10, key, velocity);
        }
    }
}

// Chord tones one after another, `step` ticks apart, following `order` (indices into the
// voicing, 10 and more meaning an octave up).
void AddArpeggio(MidiTrack& track, const std::vector<Chord>& chords, int low, int step,
                 const std::vector<int>& order, int velocity) {
    Humanise human;
    for (size_t bar = 0; bar < chords.size(); ++bar) {
        const std::vector<int> keys = Voicing(chords[bar], low);
        int i = 0;
        for (int tick = 0; tick < kBar; tick += step, ++i) {
            const int index = order[i % order.size()];
            const int key = keys[(index % 10) % keys.size()] + 12 * (index / 10);
            const int accent = tick % kTicksPerQuarter == 0 ? 6 : 0;
            track.Note(int(bar) * kBar + tick, step - 10, key, human(velocity + accent));
        }
    }
}

// One bass note: eighth position in the bar, length in eighths, semitones above the bass note.
struct BassStep {
    int at;
    int length;
    int offset;
};

void AddBass(MidiTrack& track, const std::vector<Chord>& chords, int low,
             const std::vector<BassStep>& pattern, int velocity) {
    Humanise human;
    for (size_t bar = 0; bar < chords.size(); ++bar) {
        const int bass = KeyFrom(chords[bar].bass, low);
        for (const BassStep& step : pattern) {
            track.Note(int(bar) * kBar + step.at * kEighth, step.length * kEighth - 15,
                       bass + step.offset, human(velocity + (step.at % 2 == 0 ? 6 : 0)));
        }
    }
}

void Drum(MidiTrack& track, int tick, int key, int velocity) {
    track.Note(tick, kEighth / 2, key, velocity);
}

int Bars(const MidiSong& song) {
    return song.endTick / kBar;
}

}  // namespace

double SongSeconds(const MidiSong& song) {
    return double(song.endTick) / kTicksPerQuarter * 60.0 / song.beatsPerMinute;
}

// C major at 120 beats a minute: a singing brass and glockenspiel line over strings, electric
// piano and a light pop beat; twenty bars that turn back to the top on a G.
MidiSong TitleTune() {
    MidiSong song;
    song.title = "Tide Wake - Open Water";
    song.beatsPerMinute = 120;
    const std::vector<Chord> chords = ParseChords(
        "C G/B Am F C G F G "
        "F G Em Am F G C C "
        "Dm G C G");
    song.endTick = int(chords.size()) * kBar;
    const std::string melody =
        "E5:2 G5:2 C6:3 B5:1  A5:2 G5:2 D5:4  C5:2 E5:2 A5:3 G5:1  F5:2 E5:2 C5:4 "
        "E5:2 G5:2 C6:2 D6:2  B5:3 A5:1 G5:4  A5:2 C6:2 A5:2 F5:2  G5:6 r:2 "
        "A5:3 G5:1 F5:2 A5:2  B5:3 A5:1 G5:2 B5:2  G5:2 B5:2 E6:4  C6:3 B5:1 A5:4 "
        "A5:2 F5:2 C6:2 A5:2  B5:2 G5:2 D6:2 B5:2  C6:6 G5:2  E5:4 r:4 "
        "F5:2 A5:2 D6:3 C6:1  B5:2 D6:2 G5:4  E5:2 G5:2 C6:2 E6:2  D6:4 B5:2 G5:2";

    MidiTrack lead("Lead", 0);
    lead.Program(kBrassSection);
    lead.Controller(7, 64);
    AddMelody(lead, melody, 96, Bars(song));
    MidiTrack bells("Bells", 1);
    bells.Program(kGlockenspiel);
    bells.Controller(7, 40);
    AddMelody(bells, melody, 70, Bars(song));
    MidiTrack strings("Strings", 2);
    strings.Program(kStrings);
    strings.Controller(7, 56);
    AddPad(strings, chords, 55, 62);
    MidiTrack piano("Piano", 3);
    piano.Program(kElectricPiano);
    piano.Controller(7, 54);
    AddArpeggio(piano, chords, 60, kEighth, {0, 1, 2, 10, 2, 1, 0, 1}, 64);
    MidiTrack bass("Bass", 4);
    bass.Program(kFingerBass);
    bass.Controller(7, 70);
    AddBass(bass, chords, 36, {{0, 2, 0}, {3, 1, 0}, {4, 2, 7}, {6, 1, 12}, {7, 1, 7}}, 92);
    MidiTrack drums("Drums", kDrumChannel);
    drums.Controller(7, 62);
    for (int bar = 0; bar < Bars(song); ++bar) {
        const int t = bar * kBar;
        if (bar % 8 == 0) Drum(drums, t, kCrash, 84);
        for (int beat = 0; beat < 4; ++beat) {
            Drum(drums, t + beat * kTicksPerQuarter, beat % 2 == 0 ? kKick : kSnare, 92);
            Drum(drums, t + beat * kTicksPerQuarter, kClosedHat, 68);
            Drum(drums, t + beat * kTicksPerQuarter + kEighth, kClosedHat, 50);
        }
        Drum(drums, t + 5 * kEighth, kKick, 74);
    }
    song.tracks = {lead, bells, strings, piano, bass, drums};
    return song;
}

// F major at 84 beats a minute: soft seventh chords on a warm pad, a slow electric piano
// figure, fretless bass and a few vibraphone phrases; sixteen unhurried bars.
MidiSong SelectTune() {
    MidiSong song;
    song.title = "Tide Wake - Harbour";
    song.beatsPerMinute = 84;
    const std::vector<Chord> chords = ParseChords(
        "Fmaj7 Em7 Dm7 Cmaj7 Bbmaj7 Am7 Gm7 C "
        "Fmaj7 Em7 Dm7 Cmaj7 Bbmaj7 Am7 Gm7 Csus4");
    song.endTick = int(chords.size()) * kBar;
    const std::string melody =
        "r:2 A5:2 C6:4  B5:4 G5:4  r:2 F5:2 A5:4  G5:6 r:2 "
        "r:2 D6:2 C6:2 A5:2  G5:4 E5:4  F5:2 G5:2 A5:2 Bb5:2  G5:6 r:2 "
        "r:2 A5:2 C6:2 E6:2  D6:4 B5:4  r:2 C6:2 A5:2 F5:2  E5:6 r:2 "
        "D5:2 F5:2 A5:2 D6:2  C6:4 A5:4  Bb5:2 A5:2 G5:2 F5:2  G5:4 r:4";

    MidiTrack vibes("Vibraphone", 0);
    vibes.Program(kVibraphone);
    vibes.Controller(7, 107);
    vibes.Controller(91, 70);
    AddMelody(vibes, melody, 72, Bars(song));
    MidiTrack pad("Pad", 1);
    pad.Program(kWarmPad);
    pad.Controller(7, 96);
    pad.Controller(91, 80);
    AddPad(pad, chords, 53, 56);
    MidiTrack piano("Piano", 2);
    piano.Program(kElectricPiano);
    piano.Controller(7, 86);
    piano.Controller(91, 60);
    AddArpeggio(piano, chords, 57, kEighth, {0, 2, 1, 3, 10, 3, 1, 2}, 50);
    MidiTrack bass("Bass", 3);
    bass.Program(kFretlessBass);
    bass.Controller(7, 117);
    AddBass(bass, chords, 36, {{0, 3, 0}, {3, 1, 7}, {4, 4, 12}}, 74);
    MidiTrack shaker("Shaker", kDrumChannel);
    shaker.Controller(7, 68);
    for (int bar = 0; bar < Bars(song); ++bar) {
        for (int e = 0; e < 8; ++e)
            Drum(shaker, bar * kBar + e * kEighth, kShaker, e % 2 ? 40 : 56);
        if (bar % 2 == 1) Drum(shaker, bar * kBar + 3 * kTicksPerQuarter, kRide, 44);
    }
    song.tracks = {vibes, pad, piano, bass, shaker};
    return song;
}

// A minor at 150 beats a minute: a saw lead over power-chord guitar, a pumping synth bass and
// a four-on-the-floor beat; twenty-four bars that end on E to throw the race back to the top.
MidiSong RaceTune() {
    MidiSong song;
    song.title = "Tide Wake - Full Throttle";
    song.beatsPerMinute = 150;
    const std::vector<Chord> chords = ParseChords(
        "Am F G Em Am F G G "
        "F G Am Am F G E E "
        "Am F C G Dm F E E");
    song.endTick = int(chords.size()) * kBar;
    const std::string melody =
        "A4:1 C5:1 E5:2 A5:2 G5:1 E5:1  F5:2 E5:1 C5:1 A4:4  B4:1 D5:1 G5:2 B5:2 A5:1 G5:1 "
        "E5:6 r:2  A5:2 G5:1 E5:1 A5:2 C6:2  C6:1 B5:1 A5:2 F5:4  G5:2 A5:1 B5:1 D6:2 B5:2 "
        "G5:6 r:2 "
        "F5:2 A5:2 C6:3 A5:1  G5:2 B5:2 D6:3 B5:1  E6:4 C6:2 A5:2  B5:2 C6:2 A5:4 "
        "A5:1 C6:1 F6:2 E6:2 C6:2  D6:2 B5:2 G5:2 B5:2  G#5:4 B5:2 E6:2  D6:2 B5:2 G#5:4 "
        "A5:3 E5:1 A5:2 B5:2  C6:3 A5:1 F5:4  E5:2 G5:2 C6:2 E6:2  D6:4 B5:4 "
        "D6:2 F6:2 E6:2 D6:2  C6:2 A5:2 F5:2 A5:2  B5:2 G#5:2 E5:2 B5:2  E6:4 D6:2 B5:2";

    MidiTrack lead("Lead", 0);
    lead.Program(kSawLead);
    lead.Controller(7, 59);
    AddMelody(lead, melody, 100, Bars(song));
    MidiTrack guitar("Guitar", 1);
    guitar.Program(kOverdrivenGuitar);
    guitar.Controller(7, 50);
    // Power chords: root, fifth and octave, struck on the beats and the last off-beat.
    for (int bar = 0; bar < Bars(song); ++bar) {
        const int root = KeyFrom(chords[bar].root, 40);
        for (int hit : {0, 2, 4, 6, 7}) {
            const int length = (hit >= 6 ? 1 : 2) * kEighth - 30;
            for (int offset : {0, 7, 12}) {
                guitar.Note(bar * kBar + hit * kEighth, length, root + offset, hit == 0 ? 96 : 84);
            }
        }
    }
    MidiTrack bass("Bass", 2);
    bass.Program(kSynthBass);
    bass.Controller(7, 67);
    AddBass(
        bass, chords, 28,
        {{0, 1, 0}, {1, 1, 0}, {2, 1, 12}, {3, 1, 0}, {4, 1, 0}, {5, 1, 12}, {6, 1, 7}, {7, 1, 12}},
        96);
    MidiTrack drums("Drums", kDrumChannel);
    drums.Controller(7, 70);
    for (int bar = 0; bar < Bars(song); ++bar) {
        const int t = bar * kBar;
        if (bar % 8 == 0) Drum(drums, t, kCrash, 100);
        for (int beat = 0; beat < 4; ++beat) {
            Drum(drums, t + beat * kTicksPerQuarter, kKick, 104);
            if (beat % 2 == 1) Drum(drums, t + beat * kTicksPerQuarter, kSnare, 100);
            Drum(drums, t + beat * kTicksPerQuarter + kEighth, beat == 3 ? kOpenHat : kClosedHat,
                 beat == 3 ? 72 : 64);
        }
        // A snare pick-up into every fourth bar's turn.
        if (bar % 4 == 3) {
            for (int i = 0; i < 4; ++i)
                Drum(drums, t + 3 * kTicksPerQuarter + i * kEighth / 2, kSnare, 70 + 8 * i);
        }
    }
    song.tracks = {lead, guitar, bass, drums};
    return song;
}

}  // namespace media_gen
