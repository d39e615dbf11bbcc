#include "race/records.h"

#include <cstdint>

#include "course/best_times.h"
#include "race/race_clock.h"
#include "race/race_state.h"

double RaceTotal() {
    const double sum = ((LapTimes[1] + LapTimes[2]) + LapTimes[0]) + LapTimes[3];
    return static_cast<double>(static_cast<int32_t>(sum * 100.0)) * 0.01;
}

// The finishing frame's time counts toward lap 4, though the race frame adds it to the lap only
// after this.
void UpdateRecords() {
    LapTimes[3] += kRaceFrameTime;
    const double total = RaceTotal();
    RecordedTotal = total;
    for (const double lap : LapTimes) EnterBestLap(lap);
    EnterBestTotal(total);
    LapTimes[3] -= kRaceFrameTime;
}

double ResultsTotal() {
    return RecordedTotal >= 0.0 ? RecordedTotal : RaceTotal();
}
