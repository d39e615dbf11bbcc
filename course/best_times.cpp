#include "course/best_times.h"

#include "course/course_state.h"

namespace {

// Inserts `time` into a list of three ascending records.
void EnterRecord(double time, double records[kStageRecords]) {
    if (time < records[2]) records[2] = time;
    if (time < records[1]) {
        records[2] = records[1];
        records[1] = time;
    }
    if (time < records[0]) {
        records[1] = records[0];
        records[0] = time;
    }
}

}  // namespace

void EnterBestLap(double time) {
    EnterRecord(time, BestLaps);
}

void EnterBestTotal(double time) {
    EnterRecord(time, BestTotals);
}
