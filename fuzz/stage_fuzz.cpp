// The stage reader, the stage writer and the record writer's scan on arbitrary bytes: none may
// read or write outside its buffers, a stage that reads must keep its texts within their sizes,
// the writer must give back a file it did not change byte for byte and write any edit so that
// it reads back as the edited course, and the game's record save must land where records are read
// and keep the English lines after them.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include <string>

#include "course/record_lines.h"
#include "course/stage_file.h"
#include "course/stage_writer.h"

namespace {

// Edits every item of the course by the input's own bytes, so that each gets rewritten.
void EditAll(StageFile& stage, size_t size) {
    const int32_t shift = static_cast<int32_t>(size % 1000) - 500;
    stage.pace = stage.pace / 2 + shift;
    for (int i = 0; i < kStageCheckpoints; ++i) {
        stage.checkpointX[i] ^= shift;
        stage.standZ[i] = stage.standZ[i] / 3 - shift;
    }
    stage.rampY = -stage.rampY / 2;
    stage.padX ^= 0x5A5A;
    stage.bestLaps[0] = shift;
    stage.bestTotals[2] = 99999;
    stage.name[0] = stage.name[1] != '\0' ? 'N' : stage.name[0];
    // An English name given, changed or taken out, and a description added or taken out.
    std::strcpy(stage.enName, size % 3 == 0 ? "" : size % 3 == 1 ? "Fuzz_Bay" : "X");
    std::strcpy(stage.enInfo2, stage.enInfo2[0] == '\0' ? "Added" : "");
}

void CheckWriter(const std::string& text, const StageFile& stage) {
    std::string written, error;
    if (!WriteStageText(text, stage, written, error) || written != text) __builtin_trap();
    static StageFile edited;
    edited = stage;
    EditAll(edited, text.size());
    if (!WriteStageText(text, edited, written, error)) __builtin_trap();

    // The game's save writes records that read back.
    const double laps[kStageRecords] = {12.34, 56.78, 1000.5};
    const double totals[kStageRecords] = {100.0, 200.0, 300.0};
    const size_t end = HasEnglishLines(stage) ? stage.afterRecords : std::string::npos;
    const std::string saved = TextWithRecords(text, stage.recordOffset, laps, totals, end);
    static StageFile again;
    StageFileError readError;
    if (!ParseStageFile(saved.data(), saved.size(), again, readError)) __builtin_trap();
    if (again.bestLaps[2] != 100050 || again.bestTotals[0] != 10000) __builtin_trap();
    // The English lines after the records are kept as they were.
    if (end != std::string::npos &&
        (std::strcmp(again.enName, stage.enName) != 0 ||
         std::strcmp(again.enInfo1, stage.enInfo1) != 0 ||
         std::strcmp(again.enInfo2, stage.enInfo2) != 0 ||
         saved.substr(again.afterRecords) != text.substr(stage.afterRecords))) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    static StageFile stage;
    StageFileError error;
    if (ParseStageFile(text, size, stage, error)) {
        if (std::strlen(stage.name) >= sizeof stage.name) __builtin_trap();
        if (std::strlen(stage.info1) >= sizeof stage.info1) __builtin_trap();
        if (std::strlen(stage.info2) >= sizeof stage.info2) __builtin_trap();
        for (int i = 0; i < kEnglishItems; ++i) {
            const EnglishItem item = EnglishItem(i);
            const char* english = EnglishText(stage, item);
            const size_t length = std::strlen(english);
            if (length > 0 && CheckEnglishText(item, english, length) != EnglishProblem::None) {
                __builtin_trap();
            }
        }
        if (stage.recordOffset > size) __builtin_trap();
        CheckWriter(std::string(text, size), stage);
    } else if (error.line < 1 || error.message[0] == '\0') {
        __builtin_trap();
    }
    bool found = false;
    int line = 0;
    const size_t at = FindRecordPosition(text, size, found, line);
    if (at > size || line < 1) __builtin_trap();
    return 0;
}
