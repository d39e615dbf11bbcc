// The list of the four lap times and their total in the top-left corner.
#pragma once

#include <cstddef>
#include <cstdint>

// A highlight that matches no lap: every line in cyan.
constexpr int32_t kNoLapHighlight = -1;

// Room for any lap or total line, with the results' record marks behind it.
constexpr size_t kLapLineSize = 64;

// "ＬＡＰn    ttt.tt[s]" for lap index `lap` (0..3, shown as 1..4), or "---.--" while the lap
// has no time yet.
void FormatLapLine(char* line, size_t size, int32_t lap, double time);

// "ＴＯＴＡＬtttt.tt[s]".
void FormatTotalLine(char* line, size_t size, double total);

// The four lap lines, lap `highlight` in red, and the laps' sum, in one 14-pixel text block.
void DrawLapList(int32_t highlight);
