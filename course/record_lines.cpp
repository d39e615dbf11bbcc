#include "course/record_lines.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string RecordLine(const double (&seconds)[kStageRecords]) {
    // Room for any double: "%5.0f" of the largest one has 309 digits.
    char line[1024];
    std::snprintf(line, sizeof line, "%5.0f,%5.0f,%5.0f\n", seconds[0] * 100.0, seconds[1] * 100.0,
                  seconds[2] * 100.0);
    return line;
}

}  // namespace

std::string TextWithRecords(const std::string& old, size_t at, const double (&laps)[kStageRecords],
                            const double (&totals)[kStageRecords], size_t end) {
    const std::string written = RecordLine(laps) + RecordLine(totals);
    std::string updated = old.substr(0, at) + written;
    if (end != std::string::npos) {
        if (end < old.size()) updated += old.substr(std::max(end, at));
    } else if (at + written.size() < old.size()) {
        updated += old.substr(at + written.size());
    }
    return updated;
}
