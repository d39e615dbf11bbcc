// The race's state after a frame as named fields, each number exact ("%a" for floats), for
// pinning whole races independently of the runner's trace format. A field added here moves the
// pin on purpose; a column added to the trace does not.
#pragma once

#include <cstdio>
#include <string>

#include "race/race_state.h"
#include "world/world_state.h"

namespace race_test {

class StateDump {
  public:
    void Field(const char* name, double value) { Add(name, "%a", value); }
    void Field(const char* name, int32_t value) { Add(name, "%d", value); }
    template <typename T, size_t N>
    void Fields(const char* name, const T (&values)[N]) {
        for (size_t i = 0; i < N; ++i) {
            text_ += name;
            text_ += '[' + std::to_string(i) + "]";
            Field("", values[i]);
        }
    }
    const std::string& Text() const { return text_; }

  private:
    template <typename T>
    void Add(const char* name, const char* format, T value) {
        char number[64];
        std::snprintf(number, sizeof number, format, value);
        text_ += name;
        text_ += '=';
        text_ += number;
        text_ += ' ';
    }
    std::string text_;
};

// The boats and the race's progress: what a replay must reproduce from its steering alone.
inline std::string DumpBoatsAndProgress() {
    StateDump d;
    d.Field("PlayerX", PlayerX), d.Field("PlayerY", PlayerY), d.Field("PlayerZ", PlayerZ);
    d.Field("PlayerHeading", PlayerHeading), d.Field("PlayerSpeed", PlayerSpeed);
    d.Field("PlayerVX", PlayerVX), d.Field("PlayerVY", PlayerVY), d.Field("PlayerVZ", PlayerVZ);
    d.Field("PlayerAirborne", PlayerAirborne), d.Field("PlayerRoll", PlayerRoll);
    d.Field("PlayerPitch", PlayerPitch), d.Field("PitchSpring", PitchSpring);
    d.Field("PitchRate", PitchRate), d.Field("PlayerRock", PlayerRock);
    d.Field("PlayerRockStep", PlayerRockStep);
    d.Fields("OpponentX", OpponentX), d.Fields("OpponentY", OpponentY);
    d.Fields("OpponentZ", OpponentZ), d.Fields("OpponentVX", OpponentVX);
    d.Fields("OpponentVY", OpponentVY), d.Fields("OpponentVZ", OpponentVZ);
    d.Fields("OpponentHeading", OpponentHeading), d.Fields("OpponentSpeed", OpponentSpeed);
    d.Fields("OpponentAirborne", OpponentAirborne), d.Fields("OpponentBob", OpponentBob);
    d.Fields("OpponentBobStep", OpponentBobStep);
    d.Fields("OpponentNextCheckpoint", OpponentNextCheckpoint);
    d.Fields("OpponentLap", OpponentLap);
    d.Field("NextCheckpoint", NextCheckpoint), d.Field("Lap", Lap);
    d.Fields("LapTimes", LapTimes), d.Field("RaceFrame", RaceFrame);
    d.Field("FinishedOpponents", FinishedOpponents), d.Field("RacePlace", RacePlace);
    return d.Text();
}

// The course world's waves, bobbing buoys and wake marks, which move with the game's random
// numbers as well, and the checkpoint banner, which counts down in a live race only.
inline std::string DumpCourseWorld() {
    StateDump d;
    d.Field("CheckpointBanner", CheckpointBanner);
    d.Fields("WaveHeight", WaveHeight), d.Fields("WaveSpeed", WaveSpeed);
    d.Fields("CheckpointBob", CheckpointBob), d.Fields("WakeX", WakeX);
    d.Fields("WakeY", WakeY), d.Field("WakeNext", WakeNext);
    return d.Text();
}

}  // namespace race_test
