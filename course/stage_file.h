// Reading the text of a stage file. The loader, the stage checker and the fuzzer share this
// reader; it never writes past a buffer and either fills every field or says where it stopped.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kStageNameSize = 108;   // name bytes plus the terminating zero
constexpr int kStageTextSize = 256;   // description text bytes plus the terminating zero
constexpr int kStageCheckpoints = 6;  // buoys a lap passes, in order
constexpr int kStageRecords = 3;

enum class StageFormat { Version1, Version15, Unknown };

// Where an item stands in the file's text: bytes [begin, end), the token or the numbers of one
// line without the blanks around them.
struct TextSpan {
    size_t begin = 0;
    size_t end = 0;
};

// Everything a stage file holds, as written in it (records in hundredths of a second), and
// the line each item was found on, for messages to stage authors.
struct StageFile {
    StageFormat format = StageFormat::Unknown;
    char formatWord[kStageTextSize] = {};
    char name[kStageNameSize] = {};
    char info1[kStageTextSize] = {};  // only read from a version 1.5 file
    char info2[kStageTextSize] = {};
    int32_t pace = 0;
    int32_t checkpointX[kStageCheckpoints] = {};
    int32_t checkpointY[kStageCheckpoints] = {};
    int32_t standX[kStageCheckpoints] = {};
    int32_t standY[kStageCheckpoints] = {};
    int32_t standZ[kStageCheckpoints] = {};
    int32_t rampX = 0, rampY = 0;
    int32_t padX = 0, padY = 0;
    int32_t bestLaps[kStageRecords] = {};
    int32_t bestTotals[kStageRecords] = {};

    int formatLine = 0;
    int paceLine = 0;
    int checkpointLine[kStageCheckpoints] = {};
    int standLine[kStageCheckpoints] = {};
    int rampLine = 0;
    int padLine = 0;
    int recordLabelLine = 0;
    bool recordLabelIsBestLap = false;
    int bestLapsLine = 0;
    int bestTotalsLine = 0;
    // Where each item stands, for a writer that changes only what was edited.
    TextSpan formatSpan, nameSpan, info1Span, info2Span, paceSpan;
    TextSpan checkpointSpan[kStageCheckpoints];
    TextSpan standSpan[kStageCheckpoints];
    TextSpan rampSpan, padSpan, bestLapsSpan, bestTotalsSpan;
    // Where the record lines start: the first non-blank byte after the record label, the very
    // byte the best laps are read from and the records are written back to.
    size_t recordOffset = 0;
};

struct StageFileError {
    int line = 0;            // 1-based line the problem was found on
    char message[160] = {};  // what is wrong, in plain words
};

// The format words of the two layouts.
inline constexpr char kStageFormat1[] = "format:tidewake1";
inline constexpr char kStageFormat15[] = "format:tidewake1.5";

// The label the records follow in a well-made stage file. The game reads and writes the records
// after the label line whatever it says; the stage checker warns when it says anything else.
inline constexpr char kRecordLabel[] = "BestLap";

// Reads a whole stage from `size` bytes of text. An unknown format word is no error: the file
// is then read as version 1 and the description texts are left alone. False when the text is
// cut short, a text is longer than its buffer, a number is missing, malformed or outside 32-bit
// range, or a number line carries anything after its last number.
bool ParseStageFile(const char* data, size_t size, StageFile& stage, StageFileError& error);

// Where a writer that looks for the first "BestLap" word would put the two record lines: the
// first non-blank byte after the first whitespace-separated token equal to "BestLap", or the end
// of the text when there is no such token (or nothing follows it). `found` tells which; `line`
// is the 1-based line of that spot. The stage checker warns where this is not recordOffset.
size_t FindRecordPosition(const char* data, size_t size, bool& found, int& line);
