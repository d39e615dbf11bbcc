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

// The optional English texts a stage file may carry on lines of their own after the records, as
// "en-name:TEXT", "en-info1:TEXT" and "en-info2:TEXT": printable ASCII without blanks (a '_'
// stands for a space on the screen), each within the size of the text it stands beside.
enum EnglishItem { kEnglishName, kEnglishInfo1, kEnglishInfo2, kEnglishItems };

// Why an English line's text was not taken; the game then shows the stage's own text.
enum class EnglishProblem { None, Empty, Blank, NotAscii, TooLong };

// Where an item stands in the file's text: bytes [begin, end), the token or the numbers of one
// line without the blanks around them.
struct TextSpan {
    size_t begin = 0;
    size_t end = 0;
};

// Where one English item stands: the first line that gives it, and a later line that gives it
// again, which leaves the item unread.
struct EnglishLine {
    int line = 0;    // 1-based line of the first "en-...:" line of the item; 0 when none
    TextSpan value;  // its text after the colon, without the blanks around it
    TextSpan whole;  // that line from its first byte to after its line end
    EnglishProblem problem = EnglishProblem::None;  // what is wrong with that line's text
    int repeatLine = 0;                             // the first line giving it again; 0 when none
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
    // The English texts from the lines after the records, as written there ('_' and all); each
    // empty when its line is missing, malformed or given twice.
    char enName[kStageNameSize] = {};
    char enInfo1[kStageTextSize] = {};
    char enInfo2[kStageTextSize] = {};

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
    // The English lines, by EnglishItem.
    EnglishLine english[kEnglishItems];
    // Where the line after the best totals starts (the size of the text when there is none).
    size_t afterRecords = 0;
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

// The line key of each English item ("en-name:"...), and the words messages name it by.
const char* EnglishKey(EnglishItem item);
const char* EnglishWords(EnglishItem item);

// The English text of `item` in `stage` and the bytes its buffer holds, the zero included.
char* EnglishText(StageFile& stage, EnglishItem item);
const char* EnglishText(const StageFile& stage, EnglishItem item);
size_t EnglishCapacity(EnglishItem item);

// What is wrong with `length` bytes of `text` as English item `item`'s text.
EnglishProblem CheckEnglishText(EnglishItem item, const char* text, size_t length);

// One line after the records that starts (after any blanks) with "en-": `item` is
// kEnglishItems for a key the game does not know.
struct EnglishLineFound {
    EnglishItem item = kEnglishItems;
    int line = 0;    // 1-based
    TextSpan value;  // the text after the key's colon, without the blanks around it
    TextSpan whole;  // the line with its line end
};

// A walk through the lines after a stage's records, one "en-" line at a time.
struct EnglishScan {
    size_t pos = 0;
    int line = 0;
};

// Starts at the line after the best totals of `stage`, which was read from `data`.
EnglishScan StartEnglishScan(const StageFile& stage, const char* data, size_t size);
// True with the next "en-" line in `found`; false when there are no more.
bool NextEnglishLine(const char* data, size_t size, EnglishScan& scan, EnglishLineFound& found);

// Whether the file gives any English text on a line of its own, well formed or not.
bool HasEnglishLines(const StageFile& stage);

// Reads a whole stage from `size` bytes of text. An unknown format word is no error: the file
// is then read as version 1 and the description texts are left alone. False when the text is
// cut short, a text is longer than its buffer, a number is missing, malformed or outside 32-bit
// range, or a number line carries anything after its last number. Whatever follows the records
// is never a reason to refuse: an English line that cannot be taken leaves its item empty, and
// any other text there is ignored.
bool ParseStageFile(const char* data, size_t size, StageFile& stage, StageFileError& error);

// Where a writer that looks for the first "BestLap" word would put the two record lines: the
// first non-blank byte after the first whitespace-separated token equal to "BestLap", or the end
// of the text when there is no such token (or nothing follows it). `found` tells which; `line`
// is the 1-based line of that spot. The stage checker warns where this is not recordOffset.
size_t FindRecordPosition(const char* data, size_t size, bool& found, int& line);
