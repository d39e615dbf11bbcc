// Writing a stage file back after it was edited: only the items that changed are rewritten, so
// that the author's labels, line ends, spacing and anything after the records stay as they were,
// and a file saved unchanged keeps its very bytes.
#pragma once

#include <string>

#include "course/stage_file.h"

// Whether two stages hold the same course: format, texts, pace, checkpoints, stands, ramp, pad
// and records (not where in the file they stand).
bool SameStage(const StageFile& a, const StageFile& b);

// Why `stage` cannot be written: a text that is empty, longer than the reader allows or holds a
// blank or a zero byte, or an English text that is not one the reader takes. Empty when it can.
std::string StageWriteProblem(const StageFile& stage);

// What is wrong with an English text, in plain words ("the English name holds a blank..."); empty
// for EnglishProblem::None.
std::string EnglishProblemText(EnglishItem item, EnglishProblem problem);

// `original` (a stage file's text that reads) with `edited` written over it: each item that
// differs from what `original` holds is replaced on its own line, numbers as "x,y" and records
// as "%5d,%5d,%5d"; a version 1 file given description texts becomes a version 1.5 file with
// them on their own lines after the name. An English text changed is written over its line, one
// emptied takes its line out, a new one is added as a line at the end of the file. False, with the
// reason in `error`, when `original` does not read or `edited` cannot be written.
bool WriteStageText(const std::string& original, const StageFile& edited, std::string& text,
                    std::string& error);

// A new course in the version 1.5 format with LF line ends, which passes the stage checker: six
// buoys round the water, a camera stand beside each, the ramp and the pad off the course lines,
// and blank records.
std::string NewStageText();
