// What the fuzzers ask of a reader's refusals: each "FILE:N: why", N a line of the file, at most
// one a line and in the file's order, each with its reason.
#pragma once

#include <cctype>
#include <cstddef>
#include <cstdlib>
#include <string>
#include <vector>

namespace testing_files {

inline void CheckProblemLines(const std::vector<std::string>& problems, size_t lines,
                              const std::string& file) {
    const std::string prefix = file + ":";
    size_t previous = 0;
    for (const std::string& problem : problems) {
        if (problem.compare(0, prefix.size(), prefix) != 0) std::abort();
        size_t at = prefix.size();
        size_t line = 0;
        while (at < problem.size() && std::isdigit(static_cast<unsigned char>(problem[at]))) {
            line = line * 10 + static_cast<size_t>(problem[at] - '0');
            if (line > lines) std::abort();
            ++at;
        }
        if (line <= previous || problem.compare(at, 2, ": ") != 0) std::abort();
        if (problem.size() <= at + 2) std::abort();
        previous = line;
    }
}

}  // namespace testing_files
