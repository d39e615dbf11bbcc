// The stage's records as a race enters them: its three best laps and three best totals.
#pragma once

// Enters a lap time, seconds, into BestLaps. A time equal to a record does not displace it.
void EnterBestLap(double time);

// Enters a race total, seconds, into BestTotals, as EnterBestLap.
void EnterBestTotal(double time);
