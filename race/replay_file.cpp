#include "race/replay_file.h"

#include <algorithm>
#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "race/race_clock.h"

namespace {

constexpr int kRunsPerLine = 16;
constexpr char kRunLetters[] = {'N', 'L', 'R'};  // by steering value

bool Fail(ReplayFileError& error, int line, const char* format, ...) {
    error.line = line;
    va_list args;
    va_start(args, format);
    std::vsnprintf(error.message, sizeof error.message, format, args);
    va_end(args);
    return false;
}

// A token as it may be quoted in a message: at most 40 bytes, and only printable ASCII.
std::string Quoted(std::string_view token) {
    std::string shown;
    for (const char c : token.substr(0, 40)) shown += c >= 0x20 && c < 0x7f ? c : '?';
    if (token.size() > 40) shown += "...";
    return shown;
}

// The text line by line, each split into blank-separated tokens; a line may end in "\r\n".
class LineReader {
  public:
    LineReader(const char* data, size_t size) : text_(data, size) {}

    // False at the end of the text.
    bool Next(std::vector<std::string_view>& tokens) {
        tokens.clear();
        if (pos_ >= text_.size()) return false;
        ++line_;
        size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos) end = text_.size();
        std::string_view rest = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        if (!rest.empty() && rest.back() == '\r') rest.remove_suffix(1);
        while (!rest.empty()) {
            const size_t start = rest.find_first_not_of(" \t");
            if (start == std::string_view::npos) break;
            rest.remove_prefix(start);
            const size_t stop = std::min(rest.find_first_of(" \t"), rest.size());
            tokens.push_back(rest.substr(0, stop));
            rest.remove_prefix(stop);
        }
        return true;
    }

    int Line() const { return line_; }

  private:
    std::string_view text_;
    size_t pos_ = 0;
    int line_ = 0;
};

template <typename Number>
bool ReadNumber(std::string_view text, Number& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty() && text[0] != '+';
}

bool IsCourseName(std::string_view name) {
    if (name.empty() || name.size() >= static_cast<size_t>(kReplayCourseSize)) return false;
    if (name == "." || name == "..") return false;
    for (const char c : name) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f || c == '/' || c == '\\') return false;
    }
    return true;
}

// Reads the next line as "KEY VALUE"; false (with the error filled) when it is not one.
bool Field(LineReader& lines, const char* key, const char* shape, std::string_view& value,
           ReplayFileError& error) {
    std::vector<std::string_view> tokens;
    if (!lines.Next(tokens)) {
        return Fail(error, lines.Line() + 1, "the file ends before the line '%s %s'", key, shape);
    }
    if (tokens.size() != 2 || tokens[0] != key) {
        return Fail(error, lines.Line(), "expected '%s %s'", key, shape);
    }
    value = tokens[1];
    return true;
}

bool ParseHeader(LineReader& lines, ReplayFile& replay, ReplayFileError& error) {
    std::vector<std::string_view> tokens;
    if (!lines.Next(tokens) || tokens.empty()) {
        return Fail(error, 1, "not a replay file: the first line is empty");
    }
    if (tokens[0] != kReplayFormatWord) {
        return Fail(error, 1, "not a replay file: it starts with '%s', not '%s'",
                    Quoted(tokens[0]).c_str(), kReplayFormatWord);
    }
    int32_t version = 0;
    if (tokens.size() != 2 || !ReadNumber(tokens[1], version) || version != kReplayVersion) {
        return Fail(error, 1, "replay version '%s' is not known; this game reads version %d",
                    tokens.size() < 2 ? "" : Quoted(tokens[1]).c_str(), kReplayVersion);
    }

    std::string_view value;
    if (!Field(lines, "course", "FILE", value, error)) return false;
    if (!IsCourseName(value)) {
        return Fail(error, lines.Line(), "'%s' is not a course file name", Quoted(value).c_str());
    }
    std::memcpy(replay.course, value.data(), value.size());
    replay.course[value.size()] = '\0';

    if (!Field(lines, "checksum", "HEX", value, error)) return false;
    const char* end = value.data() + value.size();
    auto [ptr, ec] = std::from_chars(value.data(), end, replay.checksum, 16);
    if (value.size() != 16 || ec != std::errc() || ptr != end) {
        return Fail(error, lines.Line(), "the checksum must be 16 hexadecimal digits, not '%s'",
                    Quoted(value).c_str());
    }
    replay.checksumLine = lines.Line();

    if (!Field(lines, "pace", "TENTHS", value, error)) return false;
    if (!ReadNumber(value, replay.pace)) {
        return Fail(error, lines.Line(), "'%s' is not a pace", Quoted(value).c_str());
    }

    if (!Field(lines, "frames", "COUNT", value, error)) return false;
    if (!ReadNumber(value, replay.frames) || replay.frames < 1 || replay.frames > kRaceFrameLimit) {
        return Fail(error, lines.Line(), "a race runs 1 to %d frames, not '%s'", kRaceFrameLimit,
                    Quoted(value).c_str());
    }
    return true;
}

bool ParseSteering(LineReader& lines, ReplayFile& replay, ReplayFileError& error) {
    std::vector<std::string_view> tokens;
    int32_t frame = 1;
    for (;;) {
        if (!lines.Next(tokens)) {
            return Fail(error, lines.Line() + 1,
                        "the steering record is cut short: %d of %d frames, and no 'end'",
                        frame - 1, replay.frames);
        }
        if (tokens.size() == 1 && tokens[0] == "end") break;
        for (const std::string_view run : tokens) {
            int32_t value = 0;
            while (value < 3 && run[0] != kRunLetters[value]) ++value;
            if (value == 3) {
                return Fail(error, lines.Line(),
                            "unknown steering '%s': a run is N, L or R and a frame count",
                            Quoted(run).c_str());
            }
            int32_t count = 0;
            if (!ReadNumber(run.substr(1), count) || count < 1) {
                return Fail(error, lines.Line(), "'%s' is not a run of one frame or more",
                            Quoted(run).c_str());
            }
            if (count > replay.frames - (frame - 1)) {
                return Fail(error, lines.Line(),
                            "the steering record runs past the race's %d frames", replay.frames);
            }
            for (int32_t k = 0; k < count; ++k) replay.steering[frame + k] = value;
            frame += count;
        }
    }
    if (frame - 1 != replay.frames) {
        return Fail(error, lines.Line(), "the steering record is cut short: %d of %d frames",
                    frame - 1, replay.frames);
    }
    while (lines.Next(tokens)) {
        if (!tokens.empty()) return Fail(error, lines.Line(), "nothing may follow 'end'");
    }
    return true;
}

}  // namespace

bool ParseReplayFile(const char* data, size_t size, ReplayFile& replay, ReplayFileError& error) {
    replay = ReplayFile();
    if (size > kReplayFileLimit) {
        return Fail(error, 1, "the file is larger than a replay can be");
    }
    if (std::memchr(data, '\0', size) != nullptr) {
        const char* zero = static_cast<const char*>(std::memchr(data, '\0', size));
        int line = 1;
        for (const char* p = data; p < zero; ++p) line += *p == '\n';
        return Fail(error, line, "the file contains a zero byte");
    }
    LineReader lines(data, size);
    return ParseHeader(lines, replay, error) && ParseSteering(lines, replay, error);
}

std::string FormatReplayFile(const ReplayFile& replay) {
    char line[kReplayCourseSize + 128];
    std::string text;
    std::snprintf(line, sizeof line, "%s %d\ncourse %s\nchecksum %016llx\npace %d\nframes %d\n",
                  kReplayFormatWord, kReplayVersion, replay.course,
                  static_cast<unsigned long long>(replay.checksum), replay.pace, replay.frames);
    text += line;
    int runs = 0;
    for (int32_t frame = 1; frame <= replay.frames;) {
        const int32_t value = replay.steering[frame];
        int32_t count = 1;
        while (frame + count <= replay.frames && replay.steering[frame + count] == value) ++count;
        const char letter = value >= 0 && value < 3 ? kRunLetters[value] : 'N';
        std::snprintf(line, sizeof line, "%s%c%d", runs % kRunsPerLine == 0 ? "" : " ", letter,
                      count);
        text += line;
        if (++runs % kRunsPerLine == 0) text += '\n';
        frame += count;
    }
    if (runs % kRunsPerLine != 0) text += '\n';
    return text + "end\n";
}
