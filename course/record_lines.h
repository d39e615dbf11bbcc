// The two record lines of a stage file, written back over the old ones.
#pragma once

#include <cstddef>
#include <string>

#include "course/stage_file.h"

// `old` with the records written from byte `at` on (a stage's recordOffset): the best laps, then
// the best totals, in seconds, each line "%5.0f,%5.0f,%5.0f\n" in hundredths. The new text
// overwrites the old bytes and extends the file where it is longer; what is left of longer old
// lines stays behind it, where the loader never reads. With `end` given (a stage's afterRecords),
// the old record lines from `at` to `end` are replaced whole instead, and every byte from `end` on
// stays as it was.
std::string TextWithRecords(const std::string& old, size_t at, const double (&laps)[kStageRecords],
                            const double (&totals)[kStageRecords], size_t end = std::string::npos);
