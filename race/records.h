// The stage's records: a finished race's laps and total entered into its three best of each.
#pragma once

#include "race/race_state.h"

// The race's total as the records and the results screen both hold it: the four laps summed,
// truncated to hundredths. One formula for both, so the results can mark a record by exact
// comparison.
double RaceTotal();

// The total the results screen shows: the very value the finish entered into the records, or,
// after a time-up, RaceTotal of the laps driven.
double ResultsTotal();

// Enters the four lap times (lap 4 with the finishing frame's time already counted) and the
// total into BestLaps and BestTotals. A time equal to a record does not displace it.
void UpdateRecords();
