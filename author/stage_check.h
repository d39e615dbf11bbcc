// The stage author's checker: everything the game's loader would reject, and the things that
// load but make a poor or broken course.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace stage_tool {

struct Problem {
    std::string file;
    int line = 0;  // 0 when the problem concerns the whole file
    bool error = false;
    std::string message;
};

// "FILE:LINE: error: message" (or "warning:"), without a line number when there is none.
std::string FormatProblem(const Problem& problem);

// Checks the text of one stage file; `file` is its path as the author named it.
void CheckStageText(const std::string& file, const char* data, size_t size,
                    std::vector<Problem>& problems);

// Reads and checks one stage file. False when any error was found.
bool CheckStageFile(const std::string& path, std::vector<Problem>& problems);

}  // namespace stage_tool
