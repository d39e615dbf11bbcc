// The replay reader on arbitrary bytes: it may not read or write outside its buffers, a replay
// that reads must hold only known steering within its frames and write back to text that reads
// the same, and a refusal must say where and why.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "race/race_clock.h"
#include "race/replay_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ReplayFile replay;
    static ReplayFile again;
    ReplayFileError error;
    if (!ParseReplayFile(reinterpret_cast<const char*>(data), size, replay, error)) {
        if (error.line < 1 || error.message[0] == '\0') __builtin_trap();
        return 0;
    }
    if (std::strlen(replay.course) >= sizeof replay.course) __builtin_trap();
    if (replay.frames < 1 || replay.frames > kRaceFrameLimit) __builtin_trap();
    for (int32_t frame = 0; frame < kReplayFrames; ++frame) {
        const int32_t value = replay.steering[frame];
        const bool inRace = frame >= 1 && frame <= replay.frames;
        if (value < 0 || value > 2 || (!inRace && value != 0)) __builtin_trap();
    }
    const std::string text = FormatReplayFile(replay);
    if (!ParseReplayFile(text.data(), text.size(), again, error)) __builtin_trap();
    if (FormatReplayFile(again) != text) __builtin_trap();
    return 0;
}
