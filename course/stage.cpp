#include "course/stage.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "base/whole_file.h"
#include "course/record_lines.h"
#include "media/display.h"
#include "media/game_texts.h"
#include "media/shutdown.h"
#include "platform/platform.h"

namespace {

constexpr int32_t kStageErrorExit = 1;

bool IsStageFileName(const std::string& name) {
    if (name.size() < 4) return false;
    const char* tail = name.c_str() + name.size() - 4;
    return tail[0] == '.' && (tail[1] | 0x20) == 'd' && (tail[2] | 0x20) == 'a' &&
           (tail[3] | 0x20) == 't';
}

// Name order without regard to case (as the folder listings of the game's home system come),
// then byte order, so that the numbering never depends on how the folder was filled.
bool StageNameBefore(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char ca = static_cast<unsigned char>(a[i]);
        unsigned char cb = static_cast<unsigned char>(b[i]);
        if (ca >= 'A' && ca <= 'Z') ca = static_cast<unsigned char>(ca + 32);
        if (cb >= 'A' && cb <= 'Z') cb = static_cast<unsigned char>(cb + 32);
        if (ca != cb) return ca < cb;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;
}

bool ListStageFiles(std::vector<std::string>& names) {
    static std::vector<std::string> all;
    names.clear();
    if (OnlyCourseName[0] != '\0') {
        names.push_back(OnlyCourseName);
        return true;
    }
    if (!platform::ListDirectory(StageFolder, all)) return false;
    for (const std::string& name : all) {
        if (IsStageFileName(name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), StageNameBefore);
    return true;
}

bool FailMissing() {
    std::fprintf(stderr, "tidewake: no course found in %s\n", StageFoldersTried());
    ShowMediaError(Texts().stageLoadError);
    QuitGame(kStageErrorExit);
    return false;
}

bool FailUnreadable(const char* path, int line, const char* what) {
    ShowFileRefusal(Texts().stageLoadHeading, path, line, what);
    QuitGame(kStageErrorExit);
    return false;
}

// The stage files as they were counted at start-up, which the selection screen numbers by.
std::vector<std::string> countedNames;

// Stage 1 is the first name; any other number walks on from the second and stops at the last
// name. `count` is at least 1.
size_t StageIndex(int32_t number, size_t count) {
    if (number == 1) return 0;
    const size_t index = number > 2 ? static_cast<size_t>(number) - 1 : 1;
    return std::min(index, count - 1);
}

// The folder is read afresh for every load, so a stage file that went after the count moves
// the later numbers up and another course loads under the chosen number. The player is told
// which file went, and why, since the selection screen cannot say it.
void SayWhenCountedStageIsGone(int32_t number, const std::vector<std::string>& names,
                               const std::string& loading) {
    if (countedNames.empty()) return;
    const std::string& counted = countedNames[StageIndex(number, countedNames.size())];
    if (std::find(names.begin(), names.end(), counted) != names.end()) return;
    const std::string path = std::string(StageFolder) + counted;
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    const char* why = "it is no longer a regular file";
    if (status.type() == std::filesystem::file_type::not_found) why = "it was removed";
    if (status.type() == std::filesystem::file_type::directory) why = "it is a folder now";
    std::fprintf(stderr, "tidewake: the stage file %s is gone since start-up (%s); loading %s%s\n",
                 path.c_str(), why, StageFolder, loading.c_str());
}

// An English text as the screen shows it: a stage file cannot hold a blank, so '_' stands for one.
int32_t ShowEnglish(const char* text, char* shown, size_t capacity) {
    size_t length = 0;
    for (; length + 1 < capacity && text[length] != '\0'; ++length) {
        shown[length] = text[length] == '_' ? ' ' : text[length];
    }
    std::memset(shown + length, 0, capacity - length);
    return static_cast<int32_t>(length);
}

}  // namespace

bool ReadStageFile(const char* path, StageFile& stage, StageFileError& error) {
    error = StageFileError{};
    static std::string bytes;
    int errorNumber = 0;
    const char* why = nullptr;
    switch (ReadWholeFile(path, kStageFileLimit, bytes, errorNumber)) {
        case WholeFile::Read:
            return ParseStageFile(bytes.data(), bytes.size(), stage, error);
        case WholeFile::CannotOpen:
            why = "the file cannot be opened: ";
            break;
        case WholeFile::CannotRead:
            why = "the file cannot be read: ";
            break;
        case WholeFile::TooLarge:
            std::snprintf(error.message, sizeof error.message,
                          "the file is larger than a stage file can be");
            return false;
    }
    std::snprintf(error.message, sizeof error.message, "%s%s", why, std::strerror(errorNumber));
    return false;
}

void CountStages() {
    ChooseStageFolder();
    std::vector<std::string> names;
    ListStageFiles(names);
    StageCount = names.empty() ? 1 : static_cast<int32_t>(names.size());
    countedNames = names;
}

void UseStage(const StageFile& stage, const char* path) {
    std::snprintf(StagePath, sizeof StagePath, "%s", path);
    std::memcpy(StageName, stage.name, sizeof StageName);
    if (stage.format == StageFormat::Version1) {
        StageInfo1[0] = '\0';
        StageInfo2[0] = '\0';
    } else if (stage.format == StageFormat::Version15) {
        std::memcpy(StageInfo1, stage.info1, sizeof StageInfo1);
        std::memcpy(StageInfo2, stage.info2, sizeof StageInfo2);
    }
    // An unknown format word leaves the description texts of the previous stage.
    OpponentPace = stage.pace;
    for (int i = 0; i < kStageCheckpoints; ++i) {
        CheckpointX[i] = stage.checkpointX[i];
        CheckpointY[i] = stage.checkpointY[i];
        CameraStandX[i] = stage.standX[i];
        CameraStandY[i] = stage.standY[i];
        CameraStandZ[i] = stage.standZ[i];
    }
    JumpRampX = stage.rampX;
    JumpRampY = stage.rampY;
    BoostPadX = stage.padX;
    BoostPadY = stage.padY;
    for (int i = 0; i < kStageRecords; ++i) {
        BestLaps[i] = stage.bestLaps[i] * 0.01;
        BestTotals[i] = stage.bestTotals[i] * 0.01;
    }
    StageNameLen = static_cast<int32_t>(std::strlen(StageName));
    StageInfo1Len = static_cast<int32_t>(std::strlen(StageInfo1));
    StageInfo2Len = static_cast<int32_t>(std::strlen(StageInfo2));
    StageNameEnLen = ShowEnglish(stage.enName, StageNameEn, sizeof StageNameEn);
    StageInfo1EnLen = ShowEnglish(stage.enInfo1, StageInfo1En, sizeof StageInfo1En);
    StageInfo2EnLen = ShowEnglish(stage.enInfo2, StageInfo2En, sizeof StageInfo2En);
}

const char* StageTextFor(StageTextKind which, bool english, int32_t& length) {
    auto choose = [&](const char* own, int32_t ownLength, const char* en, int32_t enLength) {
        const bool useEnglish = english && enLength > 0;
        length = useEnglish ? enLength : ownLength;
        return useEnglish ? en : own;
    };
    switch (which) {
        case StageTextKind::Name:
            return choose(StageName, StageNameLen, StageNameEn, StageNameEnLen);
        case StageTextKind::Info1:
            return choose(StageInfo1, StageInfo1Len, StageInfo1En, StageInfo1EnLen);
        case StageTextKind::Info2:
            break;
    }
    return choose(StageInfo2, StageInfo2Len, StageInfo2En, StageInfo2EnLen);
}

void CloseCircuit() {
    CheckpointX[kStageCheckpoints] = CheckpointX[0];
    CheckpointY[kStageCheckpoints] = CheckpointY[0];
}

void SetStageNumber(int32_t number) {
    StageNumber = number;
}

void SetOpponentPace(int32_t pace) {
    OpponentPace = pace;
}

bool ReadStage(int32_t number, StageFile& stage, std::string& path) {
    std::vector<std::string> names;
    if (!ListStageFiles(names) || names.empty()) return FailMissing();

    const size_t index = StageIndex(number, names.size());
    SayWhenCountedStageIsGone(number, names, names[index]);

    const std::string& name = names[index];
    if (std::strlen(StageFolder) + name.size() >= kStagePathSize) {
        return FailUnreadable(name.c_str(), 0, "the file name is too long");
    }
    path = StageFolder + name;

    // The file was listed a moment ago; if it cannot be read now, say why, not that there is no
    // course.
    StageFileError error;
    if (!ReadStageFile(path.c_str(), stage, error)) {
        return FailUnreadable(path.c_str(), error.line, error.message);
    }
    return true;
}

bool LoadStage(int32_t number) {
    static StageFile stage;
    std::string path;
    if (!ReadStage(number, stage, path)) return false;
    UseStage(stage, path.c_str());
    return true;
}

int32_t FindStageNumber(const char* fileName) {
    // The one course named on the command line stands for any; the checksum decides.
    if (OnlyCourseName[0] != '\0') return 1;
    std::vector<std::string> names;
    if (!ListStageFiles(names)) return 0;
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == fileName) return static_cast<int32_t>(i + 1);
    }
    return 0;
}

void SaveStageRecords() {
    const char* path = StagePath;
    if (path[0] == '\0') {
        std::fprintf(stderr, "tidewake: records not saved: no stage is loaded\n");
        return;
    }
    std::string old;
    int errorNumber = 0;
    const WholeFile read = ReadWholeFile(path, kStageFileLimit, old, errorNumber);
    if (read == WholeFile::TooLarge) {
        std::fprintf(stderr,
                     "tidewake: records not saved to %s: the file is larger than a stage "
                     "file can be\n",
                     path);
        return;
    }
    if (read != WholeFile::Read) {
        std::fprintf(stderr, "tidewake: records not saved to %s: %s%s\n", path,
                     read == WholeFile::CannotRead ? "the file cannot be read: " : "",
                     std::strerror(errorNumber));
        return;
    }

    // The two lines overwrite the old bytes from the spot the loader reads them from: the first
    // non-blank after the record label, whatever the label says. Whatever is left of longer old
    // lines stays behind them. A file that no longer reads as a stage is left alone.
    static StageFile stage;
    StageFileError error;
    if (!ParseStageFile(old.data(), old.size(), stage, error)) {
        std::fprintf(stderr, "tidewake: records not saved: %s:%d: %s\n", path, error.line,
                     error.message);
        return;
    }
    // In a file with English lines the two record lines are replaced whole instead, so that the
    // lines after them stay byte for byte and nothing left over from longer old records can
    // come to read as one of them.
    const size_t end = HasEnglishLines(stage) ? stage.afterRecords : std::string::npos;
    const std::string updated = TextWithRecords(old, stage.recordOffset, BestLaps, BestTotals, end);

    std::string writeError;
    if (!platform::ReplaceFileContents(path, updated.data(), updated.size(), writeError)) {
        std::fprintf(stderr, "tidewake: records not saved to %s: %s\n", path, writeError.c_str());
    }
}
