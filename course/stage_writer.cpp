#include "course/stage_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

struct Edit {
    TextSpan span;
    std::string text;
};

bool SameNumbers(const int32_t* a, const int32_t* b, int count) {
    return std::equal(a, a + count, b);
}

std::string Numbers(std::initializer_list<int32_t> values) {
    std::string text;
    for (int32_t value : values) {
        if (!text.empty()) text += ',';
        text += std::to_string(value);
    }
    return text;
}

// Records as the game writes them: five wide, so that a saved file reads as the game leaves it.
std::string RecordLine(const int32_t (&values)[kStageRecords]) {
    char line[64];
    std::snprintf(line, sizeof line, "%5d,%5d,%5d", values[0], values[1], values[2]);
    return line;
}

std::string TextProblem(const char* text, size_t capacity, const char* what) {
    const size_t length = strnlen(text, capacity);
    if (length == 0) return std::string("the ") + what + " is empty";
    if (length >= capacity) {
        return std::string("the ") + what + " is too long: at most " +
               std::to_string(capacity - 1) + " bytes fit";
    }
    for (size_t i = 0; i < length; ++i) {
        if (std::strchr(" \t\n\v\f\r", text[i]) != nullptr) {
            return std::string("the ") + what + " holds a blank; the reader would split it there";
        }
    }
    return "";
}

// The line end the file uses: CR LF when its first line ends so.
const char* LineEnd(const std::string& text) {
    const size_t first = text.find('\n');
    return first != std::string::npos && first > 0 && text[first - 1] == '\r' ? "\r\n" : "\n";
}

// The English lines: a changed text is written over the first line that gives it, and any line
// giving it again goes; an emptied text takes all its lines out; a new one is added as a line at
// the end of the file, after whatever follows the records.
void CollectEnglishEdits(const std::string& original, const StageFile& old, const StageFile& edited,
                         const char* eol, std::vector<Edit>& edits) {
    bool changed[kEnglishItems] = {};
    std::string added;
    for (int i = 0; i < kEnglishItems; ++i) {
        const EnglishItem item = EnglishItem(i);
        const char* now = EnglishText(edited, item);
        if (std::strcmp(EnglishText(old, item), now) == 0) continue;
        changed[i] = true;
        if (now[0] != '\0' && old.english[i].line == 0) {
            added += EnglishKey(item) + std::string(now) + eol;
        }
    }
    // Ahead of the edits on the old lines: of two edits at the end of a file without a line end,
    // the one applied last stands first, and the text of a last line must stay on it.
    if (!added.empty()) {
        const size_t end = original.size();
        if (end > 0 && original[end - 1] != '\n') added = eol + added;
        edits.push_back({{end, end}, added});
    }
    EnglishScan scan = StartEnglishScan(old, original.data(), original.size());
    EnglishLineFound found;
    bool first[kEnglishItems] = {true, true, true};
    while (NextEnglishLine(original.data(), original.size(), scan, found)) {
        if (found.item == kEnglishItems || !changed[found.item]) continue;
        const char* now = EnglishText(edited, found.item);
        if (first[found.item] && now[0] != '\0') {
            edits.push_back({found.value, now});
        } else {
            edits.push_back({found.whole, ""});
        }
        first[found.item] = false;
    }
}

void CollectEdits(const StageFile& old, const StageFile& edited, const char* eol,
                  std::vector<Edit>& edits) {
    auto text = [&](const char* was, const char* now, TextSpan span) {
        if (std::strcmp(was, now) != 0) edits.push_back({span, now});
    };
    text(old.name, edited.name, old.nameSpan);
    if (old.format == StageFormat::Version15) {
        text(old.info1, edited.info1, old.info1Span);
        text(old.info2, edited.info2, old.info2Span);
    } else if (edited.format == StageFormat::Version15) {
        edits.push_back({old.formatSpan, kStageFormat15});
        const size_t at = old.nameSpan.end;
        edits.push_back({{at, at}, eol + std::string(edited.info1) + eol + edited.info2});
    }
    if (old.pace != edited.pace) edits.push_back({old.paceSpan, Numbers({edited.pace})});
    for (int i = 0; i < kStageCheckpoints; ++i) {
        if (old.checkpointX[i] != edited.checkpointX[i] ||
            old.checkpointY[i] != edited.checkpointY[i]) {
            edits.push_back(
                {old.checkpointSpan[i], Numbers({edited.checkpointX[i], edited.checkpointY[i]})});
        }
        if (old.standX[i] != edited.standX[i] || old.standY[i] != edited.standY[i] ||
            old.standZ[i] != edited.standZ[i]) {
            edits.push_back({old.standSpan[i],
                             Numbers({edited.standX[i], edited.standY[i], edited.standZ[i]})});
        }
    }
    if (old.rampX != edited.rampX || old.rampY != edited.rampY) {
        edits.push_back({old.rampSpan, Numbers({edited.rampX, edited.rampY})});
    }
    if (old.padX != edited.padX || old.padY != edited.padY) {
        edits.push_back({old.padSpan, Numbers({edited.padX, edited.padY})});
    }
    if (!SameNumbers(old.bestLaps, edited.bestLaps, kStageRecords)) {
        edits.push_back({old.bestLapsSpan, RecordLine(edited.bestLaps)});
    }
    if (!SameNumbers(old.bestTotals, edited.bestTotals, kStageRecords)) {
        edits.push_back({old.bestTotalsSpan, RecordLine(edited.bestTotals)});
    }
}

}  // namespace

bool SameStage(const StageFile& a, const StageFile& b) {
    const bool sameTexts =
        std::strcmp(a.formatWord, b.formatWord) == 0 && std::strcmp(a.name, b.name) == 0 &&
        (a.format != StageFormat::Version15 ||
         (std::strcmp(a.info1, b.info1) == 0 && std::strcmp(a.info2, b.info2) == 0)) &&
        std::strcmp(a.enName, b.enName) == 0 && std::strcmp(a.enInfo1, b.enInfo1) == 0 &&
        std::strcmp(a.enInfo2, b.enInfo2) == 0;
    return a.format == b.format && sameTexts && a.pace == b.pace &&
           SameNumbers(a.checkpointX, b.checkpointX, kStageCheckpoints) &&
           SameNumbers(a.checkpointY, b.checkpointY, kStageCheckpoints) &&
           SameNumbers(a.standX, b.standX, kStageCheckpoints) &&
           SameNumbers(a.standY, b.standY, kStageCheckpoints) &&
           SameNumbers(a.standZ, b.standZ, kStageCheckpoints) && a.rampX == b.rampX &&
           a.rampY == b.rampY && a.padX == b.padX && a.padY == b.padY &&
           SameNumbers(a.bestLaps, b.bestLaps, kStageRecords) &&
           SameNumbers(a.bestTotals, b.bestTotals, kStageRecords);
}

std::string EnglishProblemText(EnglishItem item, EnglishProblem problem) {
    const std::string what = std::string("the ") + EnglishWords(item);
    switch (problem) {
        case EnglishProblem::None:
            break;
        case EnglishProblem::Empty:
            return what + " is empty";
        case EnglishProblem::Blank:
            return what + " holds a blank; write '_' for a space, which the game shows as one";
        case EnglishProblem::NotAscii:
            return what + " holds a byte that is not printable ASCII";
        case EnglishProblem::TooLong:
            return what + " is too long: at most " + std::to_string(EnglishCapacity(item) - 1) +
                   " bytes fit";
    }
    return "";
}

std::string StageWriteProblem(const StageFile& stage) {
    std::string problem = TextProblem(stage.name, sizeof stage.name, "stage name");
    if (problem.empty() && stage.format == StageFormat::Version15) {
        problem = TextProblem(stage.info1, sizeof stage.info1, "first description text");
        if (problem.empty()) {
            problem = TextProblem(stage.info2, sizeof stage.info2, "second description text");
        }
    }
    for (int i = 0; i < kEnglishItems && problem.empty(); ++i) {
        const EnglishItem item = EnglishItem(i);
        const char* text = EnglishText(stage, item);
        const size_t length = strnlen(text, EnglishCapacity(item));
        if (length > 0) problem = EnglishProblemText(item, CheckEnglishText(item, text, length));
    }
    return problem;
}

bool WriteStageText(const std::string& original, const StageFile& edited, std::string& text,
                    std::string& error) {
    static StageFile old;
    StageFileError readError;
    if (!ParseStageFile(original.data(), original.size(), old, readError)) {
        error = std::to_string(readError.line) + ": " + readError.message;
        return false;
    }
    error = StageWriteProblem(edited);
    if (!error.empty()) return false;
    const bool newFormat = std::strcmp(old.formatWord, edited.formatWord) != 0;
    if (newFormat && (edited.format != StageFormat::Version15 ||
                      std::strcmp(edited.formatWord, kStageFormat15) != 0)) {
        error =
            "a stage file can only be changed to the " + std::string(kStageFormat15) + " format";
        return false;
    }

    std::vector<Edit> edits;
    CollectEdits(old, edited, LineEnd(original), edits);
    CollectEnglishEdits(original, old, edited, LineEnd(original), edits);
    // From the end of the file backwards, so that every span still stands where it was read.
    std::stable_sort(edits.begin(), edits.end(),
                     [](const Edit& a, const Edit& b) { return a.span.begin > b.span.begin; });
    text = original;
    for (const Edit& edit : edits) {
        text.replace(edit.span.begin, edit.span.end - edit.span.begin, edit.text);
    }

    static StageFile again;
    if (!ParseStageFile(text.data(), text.size(), again, readError) || !SameStage(again, edited)) {
        error = "the written file would not read back as the course";
        return false;
    }
    return true;
}

std::string NewStageText() {
    // The name and descriptions are code page 932: "新しいコース",
    // "ブイをドラッグしてコースを作ろう" and "テストドライブで走ってみよう".
    return "format:tidewake1.5\n"
           "\x90\x56\x82\xb5\x82\xa2\x83\x52\x81\x5b\x83\x58\n"
           "\x83\x75\x83\x43\x82\xf0\x83\x68\x83\x89\x83\x62\x83\x4f\x82\xb5\x82\xc4\x83\x52\x81"
           "\x5b\x83\x58\x82\xf0\x8d\xec\x82\xeb\x82\xa4\n"
           "\x83\x65\x83\x58\x83\x67\x83\x68\x83\x89\x83\x43\x83\x75\x82\xc5\x91\x96\x82\xc1\x82"
           "\xc4\x82\xdd\x82\xe6\x82\xa4\n"
           "10\n"
           "Checkpoints\n"
           "9000,2000\n18000,3500\n21500,11500\n18000,20000\n9000,21000\n3500,12000\n"
           "CameraStands\n"
           "6204,2516,900\n16586,1034,900\n22794,8969,900\n20719,19173,900\n11031,22987,900\n"
           "2561,14683,900\n"
           "RampAndPad\n"
           "4600,10000\n15300,20300\n"
           "BestLap\n"
           "99999,99999,99999\n99999,99999,99999\n";
}
