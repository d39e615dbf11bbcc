#include "screens/results_lines.h"

#include <cstring>

#include "course/stage.h"
#include "overlay/lap_list.h"

namespace {

// Appends a mark for each record the time equals exactly; equal records each get theirs.
void AppendMarks(char* line, size_t size, double time, const double records[kStageRecords],
                 const char* const marks[kStageRecords]) {
    for (int i = 0; i < kStageRecords; ++i) {
        if (time != records[i]) continue;
        const size_t used = std::strlen(line);
        if (used + 1 >= size) return;
        std::strncat(line, marks[i], size - used - 1);
    }
}

}  // namespace

void FormatResultsLapLine(char* line, size_t size, int32_t lap, double time) {
    FormatLapLine(line, size, lap, time);
    if (!(time > 0.0)) return;
    static const char* const kMarks[kStageRecords] = {" BESTLAP", " 2nd LAP", " 3rd LAP"};
    AppendMarks(line, size, time, BestLaps, kMarks);
}

void FormatResultsTotalLine(char* line, size_t size, double total) {
    FormatTotalLine(line, size, total);
    static const char* const kMarks[kStageRecords] = {" BESTLAP", " 2nd", " 3rd"};
    AppendMarks(line, size, total, BestTotals, kMarks);
}
