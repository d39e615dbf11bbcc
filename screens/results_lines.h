// The results' lap list lines: the race display's lines with a mark behind every time that
// stands among the stage's three best.
#pragma once

#include <cstddef>
#include <cstdint>

// Lap `lap` (0..3) with " BESTLAP", " 2nd LAP", " 3rd LAP" for each of BestLaps it equals.
void FormatResultsLapLine(char* line, size_t size, int32_t lap, double time);

// The total with " BESTLAP", " 2nd", " 3rd" for each of BestTotals it equals.
void FormatResultsTotalLine(char* line, size_t size, double total);
