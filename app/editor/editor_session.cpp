#include "app/editor/editor_session.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/editor/editor_json.h"
#include "author/stage_check.h"
#include "course/stage.h"
#include "course/stage_file.h"
#include "course/stage_writer.h"

namespace {

struct Session {
    std::string original;  // the file as it was opened, which every save is written over
    StageFile opened;      // what the reader made of it
    StageFile course;      // the course as the page has it now
    std::string written;
    std::string error;
    std::string answer;  // the last JSON handed to the page
};

// Large enough to live outside the stack; the page has one course open at a time.
Session session;

int LineAt(const std::string& text, const TextSpan& span) {
    if (span.end == 0) return 0;
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + span.begin, '\n'));
}

const char* FormatName(StageFormat format) {
    switch (format) {
        case StageFormat::Version1:
            return "1";
        case StageFormat::Version15:
            return "1.5";
        case StageFormat::Unknown:
            break;
    }
    return "unknown";
}

void PackNumbers(const StageFile& stage, int32_t (&numbers)[kEditorNumberCount]) {
    numbers[kEditorPace] = stage.pace;
    for (int i = 0; i < kStageCheckpoints; ++i) {
        numbers[kEditorCheckpoints + 2 * i] = stage.checkpointX[i];
        numbers[kEditorCheckpoints + 2 * i + 1] = stage.checkpointY[i];
        numbers[kEditorStands + 3 * i] = stage.standX[i];
        numbers[kEditorStands + 3 * i + 1] = stage.standY[i];
        numbers[kEditorStands + 3 * i + 2] = stage.standZ[i];
    }
    numbers[kEditorRamp] = stage.rampX;
    numbers[kEditorRamp + 1] = stage.rampY;
    numbers[kEditorPad] = stage.padX;
    numbers[kEditorPad + 1] = stage.padY;
    for (int i = 0; i < kStageRecords; ++i) {
        numbers[kEditorBestLaps + i] = stage.bestLaps[i];
        numbers[kEditorBestTotals + i] = stage.bestTotals[i];
    }
}

void UnpackNumbers(const int32_t* numbers, StageFile& stage) {
    stage.pace = numbers[kEditorPace];
    for (int i = 0; i < kStageCheckpoints; ++i) {
        stage.checkpointX[i] = numbers[kEditorCheckpoints + 2 * i];
        stage.checkpointY[i] = numbers[kEditorCheckpoints + 2 * i + 1];
        stage.standX[i] = numbers[kEditorStands + 3 * i];
        stage.standY[i] = numbers[kEditorStands + 3 * i + 1];
        stage.standZ[i] = numbers[kEditorStands + 3 * i + 2];
    }
    stage.rampX = numbers[kEditorRamp];
    stage.rampY = numbers[kEditorRamp + 1];
    stage.padX = numbers[kEditorPad];
    stage.padY = numbers[kEditorPad + 1];
    for (int i = 0; i < kStageRecords; ++i) {
        stage.bestLaps[i] = numbers[kEditorBestLaps + i];
        stage.bestTotals[i] = numbers[kEditorBestTotals + i];
    }
}

std::string Lines(const int* lines, int count) {
    std::vector<int32_t> values(lines, lines + count);
    return editor::JsonNumbers(values.data(), count);
}

// The line each item stands on in `text`, which `stage` was read from, as JSON.
std::string LinesJson(const StageFile& stage, const std::string& text) {
    std::string out = "{\"format\":" + std::to_string(stage.formatLine);
    out += ",\"name\":" + std::to_string(LineAt(text, stage.nameSpan));
    out += ",\"info1\":" + std::to_string(LineAt(text, stage.info1Span));
    out += ",\"info2\":" + std::to_string(LineAt(text, stage.info2Span));
    out += ",\"enName\":" + std::to_string(stage.english[kEnglishName].line);
    out += ",\"enInfo1\":" + std::to_string(stage.english[kEnglishInfo1].line);
    out += ",\"enInfo2\":" + std::to_string(stage.english[kEnglishInfo2].line);
    out += ",\"pace\":" + std::to_string(stage.paceLine);
    out += ",\"checkpoints\":" + Lines(stage.checkpointLine, kStageCheckpoints);
    out += ",\"stands\":" + Lines(stage.standLine, kStageCheckpoints);
    out += ",\"ramp\":" + std::to_string(stage.rampLine);
    out += ",\"pad\":" + std::to_string(stage.padLine);
    out += ",\"records\":[" + std::to_string(stage.recordLabelLine) + "," +
           std::to_string(stage.bestLapsLine) + "," + std::to_string(stage.bestTotalsLine) + "]}";
    return out;
}

// A file opened in the old format gets its description texts by becoming a version 1.5 file;
// while both stay empty it keeps the format it has.
StageFile CourseToWrite() {
    StageFile stage = session.course;
    const bool described = stage.info1[0] != '\0' || stage.info2[0] != '\0';
    if (session.opened.format != StageFormat::Version15 && described) {
        stage.format = StageFormat::Version15;
        std::snprintf(stage.formatWord, sizeof stage.formatWord, "%s", kStageFormat15);
    }
    return stage;
}

}  // namespace

namespace editor {
StageFile EditedCourse() {
    return CourseToWrite();
}
}  // namespace editor

extern "C" {

int tw_editor_open(const char* data, int size) {
    if (data == nullptr || size < 0 || size > kStageFileLimit) return 0;
    static StageFile stage;
    StageFileError error;
    if (!ParseStageFile(data, static_cast<size_t>(size), stage, error)) return 0;
    session.original.assign(data, static_cast<size_t>(size));
    session.opened = stage;
    session.course = stage;
    session.written = session.original;
    session.error.clear();
    return 1;
}

int tw_editor_open_new() {
    const std::string text = NewStageText();
    return tw_editor_open(text.data(), static_cast<int>(text.size()));
}

const char* tw_editor_course() {
    const StageFile& stage = session.course;
    const StageFile& opened = session.opened;
    const std::string& text = session.original;
    int32_t numbers[kEditorNumberCount];
    PackNumbers(stage, numbers);
    std::string& out = session.answer;
    out = "{\"format\":" + editor::JsonString(FormatName(opened.format));
    out += ",\"numbers\":" + editor::JsonNumbers(numbers, kEditorNumberCount);
    out += ",\"texts\":[" + editor::JsonBytes(stage.name) + "," + editor::JsonBytes(stage.info1) +
           "," + editor::JsonBytes(stage.info2) + "," + editor::JsonBytes(stage.enName) + "," +
           editor::JsonBytes(stage.enInfo1) + "," + editor::JsonBytes(stage.enInfo2) + "]";
    out += ",\"lines\":" + LinesJson(opened, text) + "}";
    return out.c_str();
}

int tw_editor_set_numbers(const int32_t* numbers, int count) {
    if (numbers == nullptr || count != kEditorNumberCount) return 0;
    UnpackNumbers(numbers, session.course);
    return 1;
}

int tw_editor_set_text(int field, const char* bytes, int size) {
    StageFile& stage = session.course;
    char* text = field == kEditorName      ? stage.name
                 : field == kEditorInfo1   ? stage.info1
                 : field == kEditorInfo2   ? stage.info2
                 : field == kEditorEnName  ? stage.enName
                 : field == kEditorEnInfo1 ? stage.enInfo1
                 : field == kEditorEnInfo2 ? stage.enInfo2
                                           : nullptr;
    const int capacity =
        field == kEditorName || field == kEditorEnName ? kStageNameSize : kStageTextSize;
    if (text == nullptr || bytes == nullptr || size < 0 || size >= capacity) return 0;
    if (std::memchr(bytes, '\0', static_cast<size_t>(size)) != nullptr) return 0;
    std::memcpy(text, bytes, static_cast<size_t>(size));
    std::memset(text + size, 0, static_cast<size_t>(capacity - size));
    return 1;
}

int tw_editor_write() {
    session.error.clear();
    std::string text;
    if (!WriteStageText(session.original, CourseToWrite(), text, session.error)) return 0;
    session.written = std::move(text);
    return 1;
}

const char* tw_editor_written_data() {
    return session.written.data();
}

int tw_editor_written_size() {
    return static_cast<int>(session.written.size());
}

const char* tw_editor_written_lines() {
    static StageFile written;
    StageFileError error;
    if (!ParseStageFile(session.written.data(), session.written.size(), written, error)) {
        return "null";
    }
    session.answer = LinesJson(written, session.written);
    return session.answer.c_str();
}

const char* tw_editor_error() {
    return session.error.c_str();
}

const char* tw_editor_check(const char* data, int size, const char* file) {
    std::vector<stage_tool::Problem> problems;
    stage_tool::CheckStageText(file != nullptr ? file : "", data != nullptr ? data : "",
                               size > 0 && data != nullptr ? static_cast<size_t>(size) : 0,
                               problems);
    std::string& out = session.answer;
    out = "[";
    for (const stage_tool::Problem& problem : problems) {
        if (out.size() > 1) out += ',';
        out += "{\"line\":" + std::to_string(problem.line);
        out += ",\"severity\":\"" + std::string(problem.error ? "error" : "warning") + "\"";
        out += ",\"message\":" + editor::JsonString(problem.message);
        out += ",\"text\":" + editor::JsonString(stage_tool::FormatProblem(problem)) + "}";
    }
    out += "]";
    return out.c_str();
}

}  // extern "C"
