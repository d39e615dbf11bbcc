#include "course/stage_file.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

// The blanks that separate tokens in a stage file (those of the C library's isspace).
bool IsBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

class Reader {
  public:
    Reader(const char* data, size_t size, StageFileError& error)
        : data_(data), size_(size), error_(error) {}

    int Line() const { return line_; }
    size_t Position() const { return pos_; }
    // The token or the numbers read last.
    TextSpan Last() const { return last_; }

    void SkipBlanks() {
        while (pos_ < size_ && IsBlank(data_[pos_])) {
            if (data_[pos_] == '\n') ++line_;
            ++pos_;
        }
    }

    // Reads one token into `out` (capacity bytes including the zero). `what` names it in errors.
    // With a null `out` the token is only skipped.
    bool Token(const char* what, char* out, size_t capacity, int* line = nullptr) {
        SkipBlanks();
        if (pos_ >= size_) return Fail("the file ends before the %s", what);
        if (line != nullptr) *line = line_;
        const size_t start = pos_;
        while (pos_ < size_ && !IsBlank(data_[pos_])) {
            if (data_[pos_] == '\0') return Fail("the %s contains a zero byte", what);
            ++pos_;
        }
        const size_t length = pos_ - start;
        if (out != nullptr) {
            if (length >= capacity) {
                return Fail("the %s is %zu bytes long; at most %zu fit", what, length,
                            capacity - 1);
            }
            std::memcpy(out, data_ + start, length);
            out[length] = '\0';
        }
        last_ = TextSpan{start, pos_};
        return true;
    }

    bool LastTokenIs(const char* word) const {
        const size_t length = last_.end - last_.begin;
        return length == std::strlen(word) && std::memcmp(data_ + last_.begin, word, length) == 0;
    }

    // One line of `count` comma-separated 32-bit numbers, as "%d,%d,%d\n" reads it: blanks may
    // come before each number, the comma must follow the number at once, and only blanks may
    // follow the last one.
    bool Numbers(const char* what, int32_t* values, int count, int* line) {
        size_t begin = pos_;
        for (int i = 0; i < count; ++i) {
            if (i > 0) {
                if (pos_ >= size_) return Fail("the file ends before the %s is complete", what);
                if (data_[pos_] != ',') {
                    return Fail("the %s needs %d numbers separated by commas", what, count);
                }
                ++pos_;
                // The numbers of one item share its line.
                while (pos_ < size_ && (data_[pos_] == ' ' || data_[pos_] == '\t')) ++pos_;
                if (pos_ >= size_ || data_[pos_] == '\n' || data_[pos_] == '\r') {
                    return Fail("the %s needs %d numbers separated by commas", what, count);
                }
            } else {
                SkipBlanks();
            }
            if (i == 0) {
                begin = pos_;
                if (line != nullptr) *line = line_;
            }
            if (pos_ >= size_) return Fail("the file ends before the %s", what);
            if (!Number(what, values[i])) return false;
        }
        if (pos_ < size_ && !IsBlank(data_[pos_])) {
            return Fail("unexpected text after the %s", what);
        }
        last_ = TextSpan{begin, pos_};
        return true;
    }

    bool Fail(const char* format, ...) {
        error_.line = line_;
        va_list args;
        va_start(args, format);
        std::vsnprintf(error_.message, sizeof error_.message, format, args);
        va_end(args);
        return false;
    }

  private:
    bool Number(const char* what, int32_t& value) {
        bool negative = false;
        if (data_[pos_] == '+' || data_[pos_] == '-') {
            negative = data_[pos_] == '-';
            ++pos_;
        }
        if (pos_ >= size_ || data_[pos_] < '0' || data_[pos_] > '9') {
            return Fail("the %s is not a number", what);
        }
        // Accumulated as a negative number so that -2147483648 fits.
        int64_t magnitude = 0;
        while (pos_ < size_ && data_[pos_] >= '0' && data_[pos_] <= '9') {
            magnitude = magnitude * 10 + (data_[pos_] - '0');
            if (magnitude > 2147483648LL) return Fail("a number of the %s is too large", what);
            ++pos_;
        }
        if (!negative && magnitude > 2147483647LL) {
            return Fail("a number of the %s is too large", what);
        }
        value = static_cast<int32_t>(negative ? -magnitude : magnitude);
        return true;
    }

    const char* data_;
    size_t size_;
    size_t pos_ = 0;
    int line_ = 1;
    TextSpan last_;
    StageFileError& error_;
};

// The blanks that may stand round the text of an English line: those of a line, CR included.
bool IsLineBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

constexpr const char* kEnglishKeys[kEnglishItems] = {"en-name:", "en-info1:", "en-info2:"};
constexpr const char* kEnglishWords[kEnglishItems] = {"English name", "first English description",
                                                      "second English description"};

void ReadEnglishLines(const char* data, size_t size, StageFile& s) {
    EnglishScan scan = StartEnglishScan(s, data, size);
    s.afterRecords = scan.pos;
    EnglishLineFound found;
    while (NextEnglishLine(data, size, scan, found)) {
        if (found.item == kEnglishItems) continue;
        EnglishLine& at = s.english[found.item];
        if (at.line != 0) {
            if (at.repeatLine == 0) at.repeatLine = found.line;
            continue;
        }
        at.line = found.line;
        at.value = found.value;
        at.whole = found.whole;
        const size_t length = found.value.end - found.value.begin;
        at.problem = CheckEnglishText(found.item, data + found.value.begin, length);
        if (at.problem == EnglishProblem::None) {
            std::memcpy(EnglishText(s, found.item), data + found.value.begin, length);
        }
    }
    // Given twice, neither line is taken: the game cannot tell which the author meant.
    for (int item = 0; item < kEnglishItems; ++item) {
        if (s.english[item].repeatLine != 0) {
            std::memset(EnglishText(s, EnglishItem(item)), 0, EnglishCapacity(EnglishItem(item)));
        }
    }
}

}  // namespace

bool HasEnglishLines(const StageFile& stage) {
    for (const EnglishLine& line : stage.english) {
        if (line.line != 0) return true;
    }
    return false;
}

const char* EnglishKey(EnglishItem item) {
    return kEnglishKeys[item];
}

const char* EnglishWords(EnglishItem item) {
    return kEnglishWords[item];
}

char* EnglishText(StageFile& stage, EnglishItem item) {
    return item == kEnglishName    ? stage.enName
           : item == kEnglishInfo1 ? stage.enInfo1
                                   : stage.enInfo2;
}

const char* EnglishText(const StageFile& stage, EnglishItem item) {
    return EnglishText(const_cast<StageFile&>(stage), item);
}

size_t EnglishCapacity(EnglishItem item) {
    return item == kEnglishName ? kStageNameSize : kStageTextSize;
}

EnglishProblem CheckEnglishText(EnglishItem item, const char* text, size_t length) {
    if (length == 0) return EnglishProblem::Empty;
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsBlank(c)) return EnglishProblem::Blank;
        if (c < 0x21 || c > 0x7e) return EnglishProblem::NotAscii;
    }
    if (length >= EnglishCapacity(item)) return EnglishProblem::TooLong;
    return EnglishProblem::None;
}

EnglishScan StartEnglishScan(const StageFile& stage, const char* data, size_t size) {
    EnglishScan scan;
    scan.pos = std::min(stage.bestTotalsSpan.end, size);
    scan.line = stage.bestTotalsLine;
    // Whatever else stands on the best totals' own line is no English line.
    const void* end = std::memchr(data + scan.pos, '\n', size - scan.pos);
    if (end == nullptr) {
        scan.pos = size;
    } else {
        scan.pos = static_cast<size_t>(static_cast<const char*>(end) - data) + 1;
        ++scan.line;
    }
    return scan;
}

bool NextEnglishLine(const char* data, size_t size, EnglishScan& scan, EnglishLineFound& found) {
    while (scan.pos < size) {
        const size_t start = scan.pos;
        const void* newline = std::memchr(data + start, '\n', size - start);
        const size_t lineEnd = newline != nullptr
                                   ? static_cast<size_t>(static_cast<const char*>(newline) - data)
                                   : size;
        const size_t next = newline != nullptr ? lineEnd + 1 : size;
        const int line = scan.line;
        scan.pos = next;
        if (newline != nullptr) ++scan.line;

        size_t begin = start, end = lineEnd;
        while (begin < end && IsLineBlank(data[begin])) ++begin;
        while (end > begin && IsLineBlank(data[end - 1])) --end;
        if (end - begin < 3 || std::memcmp(data + begin, "en-", 3) != 0) continue;
        found = EnglishLineFound{};
        found.line = line;
        found.whole = TextSpan{start, next};
        for (int item = 0; item < kEnglishItems; ++item) {
            const size_t keyLength = std::strlen(kEnglishKeys[item]);
            if (end - begin >= keyLength &&
                std::memcmp(data + begin, kEnglishKeys[item], keyLength) == 0) {
                found.item = EnglishItem(item);
                size_t value = begin + keyLength;
                while (value < end && IsLineBlank(data[value])) ++value;
                found.value = TextSpan{value, end};
            }
        }
        return true;
    }
    return false;
}

bool ParseStageFile(const char* data, size_t size, StageFile& stage, StageFileError& error) {
    error = StageFileError{};
    StageFile s;
    Reader in(data, size, error);

    if (!in.Token("format word", s.formatWord, sizeof s.formatWord, &s.formatLine)) return false;
    s.formatSpan = in.Last();
    if (!in.Token("stage name", s.name, sizeof s.name)) return false;
    s.nameSpan = in.Last();
    if (std::strcmp(s.formatWord, kStageFormat1) == 0) {
        s.format = StageFormat::Version1;
    } else if (std::strcmp(s.formatWord, kStageFormat15) == 0) {
        s.format = StageFormat::Version15;
        if (!in.Token("first description text", s.info1, sizeof s.info1)) return false;
        s.info1Span = in.Last();
        if (!in.Token("second description text", s.info2, sizeof s.info2)) return false;
        s.info2Span = in.Last();
    } else {
        s.format = StageFormat::Unknown;
    }

    if (!in.Numbers("opponent pace", &s.pace, 1, &s.paceLine)) return false;
    s.paceSpan = in.Last();
    if (!in.Token("checkpoint label", nullptr, 0)) return false;
    static const char* const kCheckpointNames[kStageCheckpoints] = {"checkpoint 1", "checkpoint 2",
                                                                    "checkpoint 3", "checkpoint 4",
                                                                    "checkpoint 5", "checkpoint 6"};
    for (int i = 0; i < kStageCheckpoints; ++i) {
        int32_t xy[2];
        if (!in.Numbers(kCheckpointNames[i], xy, 2, &s.checkpointLine[i])) return false;
        s.checkpointSpan[i] = in.Last();
        s.checkpointX[i] = xy[0];
        s.checkpointY[i] = xy[1];
    }
    if (!in.Token("camera stand label", nullptr, 0)) return false;
    static const char* const kStandNames[kStageCheckpoints] = {"camera stand 1", "camera stand 2",
                                                               "camera stand 3", "camera stand 4",
                                                               "camera stand 5", "camera stand 6"};
    for (int i = 0; i < kStageCheckpoints; ++i) {
        int32_t xyz[3];
        if (!in.Numbers(kStandNames[i], xyz, 3, &s.standLine[i])) return false;
        s.standSpan[i] = in.Last();
        s.standX[i] = xyz[0];
        s.standY[i] = xyz[1];
        s.standZ[i] = xyz[2];
    }
    if (!in.Token("ramp label", nullptr, 0)) return false;
    int32_t xy[2];
    if (!in.Numbers("jump ramp", xy, 2, &s.rampLine)) return false;
    s.rampSpan = in.Last();
    s.rampX = xy[0];
    s.rampY = xy[1];
    if (!in.Numbers("speed pad", xy, 2, &s.padLine)) return false;
    s.padSpan = in.Last();
    s.padX = xy[0];
    s.padY = xy[1];
    if (!in.Token("record label", nullptr, 0, &s.recordLabelLine)) return false;
    s.recordLabelIsBestLap = in.LastTokenIs(kRecordLabel);
    in.SkipBlanks();
    s.recordOffset = in.Position();
    if (!in.Numbers("best laps", s.bestLaps, kStageRecords, &s.bestLapsLine)) return false;
    s.bestLapsSpan = in.Last();
    if (!in.Numbers("best totals", s.bestTotals, kStageRecords, &s.bestTotalsLine)) return false;
    s.bestTotalsSpan = in.Last();
    ReadEnglishLines(data, size, s);

    stage = s;
    return true;
}

size_t FindRecordPosition(const char* data, size_t size, bool& found, int& line) {
    // Token after token, each with the blanks after it, as "%s\n" reads them.
    const size_t labelLength = std::strlen(kRecordLabel);
    size_t pos = 0;
    line = 1;
    found = false;
    auto skipBlanks = [&] {
        while (pos < size && IsBlank(static_cast<unsigned char>(data[pos]))) {
            if (data[pos] == '\n') ++line;
            ++pos;
        }
    };
    skipBlanks();
    while (pos < size) {
        const size_t start = pos;
        while (pos < size && !IsBlank(static_cast<unsigned char>(data[pos]))) ++pos;
        const bool isLabel =
            pos - start == labelLength && std::memcmp(data + start, kRecordLabel, labelLength) == 0;
        skipBlanks();
        if (isLabel) {
            found = true;
            return pos;
        }
    }
    return pos;
}
