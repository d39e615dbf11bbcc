#include "overlay/lap_list.h"

#include <cstdio>

#include "media/game_texts.h"
#include "media/text.h"
#include "race/race_state.h"

namespace {

constexpr uint32_t kLapColour = TextRgb(5, 255, 255);
constexpr uint32_t kHighlightColour = TextRgb(255, 25, 25);
constexpr uint32_t kTotalColour = TextRgb(255, 255, 255);

}  // namespace

void FormatLapLine(char* line, size_t size, int32_t lap, double time) {
    if (time > 0.0) {
        std::snprintf(line, size, Texts().lapTimeFormat, lap + 1, time);
    } else {
        std::snprintf(line, size, Texts().lapUnsetFormat, lap + 1);
    }
}

void FormatTotalLine(char* line, size_t size, double total) {
    std::snprintf(line, size, Texts().totalFormat, total);
}

void DrawLapList(int32_t highlight) {
    char line[kLapLineSize];
    BeginText(14);
    for (int32_t k = 0; k < kLapCount; ++k) {
        FormatLapLine(line, sizeof line, k, LapTimes[k]);
        DrawText(10, 5 + 16 * k, line, k == highlight ? kHighlightColour : kLapColour);
    }
    // The running sum as the race shows it, added in this order and not cut to hundredths.
    FormatTotalLine(line, sizeof line, LapTimes[3] + LapTimes[1] + LapTimes[2] + LapTimes[0]);
    DrawText(10, 70, line, kTotalColour);
    EndText();
}
