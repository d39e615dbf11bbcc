// The steering record: written in a live race, read back by the replay. The replay is the race
// simulated again from the same start with the same steering, so nothing else is recorded.
#pragma once

#include <cstdint>

constexpr int32_t kSteerNone = 0;
constexpr int32_t kSteerLeft = 1;
constexpr int32_t kSteerRight = 2;

// In a live race, writes this frame's held steering key into the record (right wins when both
// are held). A frame without a held key keeps the 0 it was cleared to.
void RecordSteering();

// This frame's steering: the live race reads back what it just recorded, the replay what the
// race recorded.
int32_t SteeringInput();

// The next race set-up replays the steering record instead of starting a live race.
void StartReplay();

// Back at the title: no replay running, and a steering record cleared for the next live race.
void ForgetReplay();
