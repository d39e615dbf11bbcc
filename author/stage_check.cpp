#include "author/stage_check.h"

#include <strings.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "base/whole_file.h"
#include "course/fenced_water.h"
#include "course/stage.h"
#include "course/stage_file.h"
#include "course/stage_writer.h"
#include "race/checkpoints.h"

namespace stage_tool {

namespace {

bool InWater(int x, int y) {
    return x >= kFenceLow && x <= kFenceHigh && y >= kFenceLow && y <= kFenceHigh;
}

void Add(std::vector<Problem>& problems, const std::string& file, int line, bool error,
         const std::string& message) {
    problems.push_back(Problem{file, line, error, message});
}

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

bool Ascending(const int32_t values[kStageRecords]) {
    return values[0] <= values[1] && values[1] <= values[2];
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The English lines after the records. The game takes a malformed one as no English text at all
// and shows the stage's own, so these are warnings: the course loads and races as it always has.
void CheckEnglishLines(const std::string& file, const char* data, size_t size,
                       const StageFile& stage, std::vector<Problem>& all) {
    std::vector<Problem> problems;
    for (int i = 0; i < kEnglishItems; ++i) {
        const EnglishItem item = EnglishItem(i);
        const EnglishLine& at = stage.english[i];
        if (at.problem != EnglishProblem::None) {
            Add(problems, file, at.line, false,
                EnglishProblemText(item, at.problem) + " (the game shows the stage's own text)");
        }
        if (at.repeatLine != 0) {
            Add(problems, file, at.repeatLine, false,
                Format("\"%s\" is given again (first on line %d): the game takes neither and "
                       "shows the stage's own text",
                       EnglishKey(item), at.line));
        }
    }
    EnglishScan scan = StartEnglishScan(stage, data, size);
    EnglishLineFound found;
    while (NextEnglishLine(data, size, scan, found)) {
        if (found.item != kEnglishItems) continue;
        Add(problems, file, found.line, false,
            Format("unknown English line: the game reads only \"%s\", \"%s\" and \"%s\"",
                   EnglishKey(kEnglishName), EnglishKey(kEnglishInfo1), EnglishKey(kEnglishInfo2)));
    }
    // In the order of the file's lines, as the other problems come.
    std::stable_sort(problems.begin(), problems.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
    all.insert(all.end(), problems.begin(), problems.end());
}

}  // namespace

std::string FormatProblem(const Problem& problem) {
    std::string text = problem.file;
    if (problem.line > 0) text += ":" + std::to_string(problem.line);
    text += problem.error ? ": error: " : ": warning: ";
    return text + problem.message;
}

void CheckStageText(const std::string& file, const char* data, size_t size,
                    std::vector<Problem>& problems) {
    if (size > static_cast<size_t>(kStageFileLimit)) {
        Add(problems, file, 0, true,
            Format("the file is larger than %d bytes, the most the game loads", kStageFileLimit));
        return;
    }
    StageFile stage;
    StageFileError failure;
    if (!ParseStageFile(data, size, stage, failure)) {
        Add(problems, file, failure.line, true, failure.message);
        return;
    }

    if (stage.format == StageFormat::Unknown) {
        Add(problems, file, stage.formatLine, false,
            Format("unknown format word \"%s\": read as \"%s\", and the description texts of "
                   "the stage shown before stay on the screen",
                   stage.formatWord, kStageFormat1));
    }
    if (stage.pace <= 0 || stage.pace > 30) {
        Add(problems, file, stage.paceLine, false,
            Format("opponent pace %d is outside 1..30 (10 is normal speed)", stage.pace));
    }

    for (int i = 0; i < kStageCheckpoints; ++i) {
        if (!InWater(stage.checkpointX[i], stage.checkpointY[i])) {
            Add(problems, file, stage.checkpointLine[i], false,
                Format("checkpoint %d (%d,%d) is outside the water (%d..%d)", i + 1,
                       stage.checkpointX[i], stage.checkpointY[i], kFenceLow, kFenceHigh));
        }
    }
    for (int i = 0; i < kStageCheckpoints; ++i) {
        for (int j = i + 1; j < kStageCheckpoints; ++j) {
            const double dx = double(stage.checkpointX[j]) - stage.checkpointX[i];
            const double dy = double(stage.checkpointY[j]) - stage.checkpointY[i];
            const double distance = std::sqrt(dx * dx + dy * dy);
            if (distance < kCheckpointReach) {
                Add(problems, file, stage.checkpointLine[j], false,
                    Format("checkpoints %d and %d are only %.0f apart (%.0f at least)", i + 1,
                           j + 1, distance, kCheckpointReach));
            }
        }
    }
    if (!InWater(stage.rampX, stage.rampY)) {
        Add(problems, file, stage.rampLine, false,
            Format("the jump ramp (%d,%d) is outside the water (%d..%d)", stage.rampX, stage.rampY,
                   kFenceLow, kFenceHigh));
    }
    if (!InWater(stage.padX, stage.padY)) {
        Add(problems, file, stage.padLine, false,
            Format("the speed pad (%d,%d) is outside the water (%d..%d)", stage.padX, stage.padY,
                   kFenceLow, kFenceHigh));
    }

    // The game writes the records after the label line whatever it says, but other programs may
    // look for the first "BestLap" word and write them from there on.
    bool found = false;
    int line = 0;
    FindRecordPosition(data, size, found, line);
    if (!found) {
        Add(problems, file, stage.recordLabelLine, false,
            "no \"BestLap\" label: programs that look for it would add new records at the end "
            "of the file");
    } else if (!stage.recordLabelIsBestLap || line < stage.bestLapsLine) {
        Add(problems, file, line, false,
            Format("the first \"BestLap\" word is not the record label on line %d: programs "
                   "that look for it would write new records over line %d",
                   stage.recordLabelLine, line));
    }
    if (!Ascending(stage.bestLaps)) {
        Add(problems, file, stage.bestLapsLine, false, "the best laps are not in ascending order");
    }
    if (!Ascending(stage.bestTotals)) {
        Add(problems, file, stage.bestTotalsLine, false,
            "the best totals are not in ascending order");
    }
    CheckEnglishLines(file, data, size, stage, problems);
}

bool CheckStageFile(const std::string& path, std::vector<Problem>& problems) {
    const size_t before = problems.size();
    const std::string name = BaseName(path);
    if (std::strlen(kLocalStageFolder) + name.size() >= kStagePathSize) {
        Add(problems, path, 0, true,
            Format("the file name has %zu bytes; the game loads none above %zu", name.size(),
                   kStagePathSize - 1 - std::strlen(kLocalStageFolder)));
    }
    const bool datName =
        name.size() >= 4 && strcasecmp(name.c_str() + name.size() - 4, ".dat") == 0;
    if (!datName) Add(problems, path, 0, false, "the game only loads files named *.dat");

    std::string text;
    int errorNumber = 0;
    switch (ReadWholeFile(path.c_str(), kStageFileLimit, text, errorNumber)) {
        case WholeFile::CannotOpen:
            Add(problems, path, 0, true, Format("cannot open: %s", std::strerror(errorNumber)));
            return false;
        case WholeFile::CannotRead:
            Add(problems, path, 0, true, "cannot read the file");
            break;
        case WholeFile::Read:
        case WholeFile::TooLarge:
            CheckStageText(path, text.data(), text.size(), problems);
            break;
    }
    for (size_t i = before; i < problems.size(); ++i) {
        if (problems[i].error) return false;
    }
    return true;
}

}  // namespace stage_tool
