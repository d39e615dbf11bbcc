#include "tools/media_gen/midi_writer.h"

#include <algorithm>
#include <cstdio>

namespace media_gen {
namespace {

void PutVarLen(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t bytes[5];
    int n = 0;
    bytes[n++] = v & 0x7F;
    while ((v >>= 7) != 0) bytes[n++] = 0x80 | (v & 0x7F);
    while (n > 0) out.push_back(bytes[--n]);
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

void PutMeta(std::vector<uint8_t>& out, uint8_t type, const std::vector<uint8_t>& data) {
    out.push_back(0xFF);
    out.push_back(type);
    PutVarLen(out, static_cast<uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
}

std::vector<uint8_t> Text(const std::string& s) {
    return std::vector<uint8_t>(s.begin(), s.end());
}

std::vector<uint8_t> Chunk(const char* id, const std::vector<uint8_t>& body) {
    std::vector<uint8_t> out(id, id + 4);
    Put32(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

// A track body: its events in time order, then end-of-track at `endTick`.
std::vector<uint8_t> TrackBody(std::vector<MidiTrack::Event> events, const std::string& name,
                               int endTick) {
    std::stable_sort(events.begin(), events.end(), [](const auto& a, const auto& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<uint8_t> body;
    PutVarLen(body, 0);
    PutMeta(body, 0x03, Text(name));
    int now = 0;
    for (const auto& e : events) {
        PutVarLen(body, static_cast<uint32_t>(e.tick - now));
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
        now = e.tick;
    }
    PutVarLen(body, static_cast<uint32_t>(endTick - now));
    PutMeta(body, 0x2F, {});
    return body;
}

}  // namespace

void MidiTrack::Program(int program) {
    events_.push_back({0, 1, {uint8_t(0xC0 | channel_), uint8_t(program)}});
}

void MidiTrack::Controller(int controller, int value) {
    events_.push_back({0, 1, {uint8_t(0xB0 | channel_), uint8_t(controller), uint8_t(value)}});
}

void MidiTrack::Note(int tick, int length, int key, int velocity) {
    velocity = std::clamp(velocity, 1, 127);
    events_.push_back({tick, 2, {uint8_t(0x90 | channel_), uint8_t(key), uint8_t(velocity)}});
    events_.push_back({tick + length, 0, {uint8_t(0x80 | channel_), uint8_t(key), 64}});
}

bool WriteMidiFile(const std::string& path, const MidiSong& song) {
    for (const MidiTrack& track : song.tracks) {
        for (const auto& e : track.Events()) {
            if (e.tick > song.endTick) return false;
        }
    }
    std::vector<uint8_t> header;
    header.push_back(0);
    header.push_back(1);  // format 1: a tempo track, then one track per part
    header.push_back(0);
    header.push_back(uint8_t(song.tracks.size() + 1));
    header.push_back(uint8_t(kTicksPerQuarter >> 8));
    header.push_back(uint8_t(kTicksPerQuarter & 0xFF));
    std::vector<uint8_t> file = Chunk("MThd", header);

    std::vector<MidiTrack::Event> tempo;
    const uint32_t microsPerQuarter = 60000000u / static_cast<uint32_t>(song.beatsPerMinute);
    tempo.push_back({0,
                     1,
                     {0xFF, 0x51, 0x03, uint8_t(microsPerQuarter >> 16),
                      uint8_t(microsPerQuarter >> 8), uint8_t(microsPerQuarter)}});
    tempo.push_back({0, 1, {0xFF, 0x58, 0x04, 4, 2, 24, 8}});  // 4/4
    const std::vector<uint8_t> first = Chunk("MTrk", TrackBody(tempo, song.title, song.endTick));
    file.insert(file.end(), first.begin(), first.end());
    for (const MidiTrack& track : song.tracks) {
        const std::vector<uint8_t> chunk =
            Chunk("MTrk", TrackBody(track.Events(), track.Name(), song.endTick));
        file.insert(file.end(), chunk.begin(), chunk.end());
    }

    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool written = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    return std::fclose(f) == 0 && written;
}

}  // namespace media_gen
