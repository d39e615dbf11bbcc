#include "records/game_jobs.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <vector>

#include "app/replay_verify.h"
#include "author/stage_check.h"
#include "author/stage_map.h"
#include "course/record_lines.h"
#include "course/stage.h"
#include "course/stage_file.h"
#include "media/media_state.h"
#include "platform/common/cp932.h"
#include "platform/common/png_file.h"
#include "platform/headless/headless.h"
#include "race/replay_course.h"
#include "records/frames.h"

namespace records {
namespace {

using nlohmann::json;

constexpr char kVerify[] = "verify";
constexpr char kCourse[] = "course";

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file.flush());
}

std::string Answer(const json& verdict, const std::string& bytes = "") {
    // A refusal may quote the uploaded file, which need not be UTF-8.
    return PackPair(verdict.dump(-1, ' ', false, json::error_handler_t::replace), bytes);
}

std::string LastRefusal() {
    const std::vector<std::string>& boxes = headless::ErrorBoxes();
    return boxes.empty() ? "the replay cannot be played" : boxes.back();
}

std::string Verify(const std::string& course, const std::string& replay,
                   const std::string& folder) {
    const std::string coursePath = folder + "/course.dat";
    const std::string replayPath = folder + "/run.twr";
    if (!WriteFile(coursePath, course) || !WriteFile(replayPath, replay)) {
        return Answer({{"failed", "the worker cannot write its files in " + folder}});
    }
    headless::Reset(1);
    std::string message;
    if (!PlayOnlyCourse(coursePath.c_str(), message)) return Answer({{"refused", message}});
    ReplayVerdict verdict;
    if (JudgeReplay(replayPath.c_str(), verdict) != 0) return Answer({{"refused", LastRefusal()}});
    return Answer({{"checksum", verdict.checksum},
                   {"finished", verdict.finished},
                   {"place", verdict.place},
                   {"laps", {verdict.laps[0], verdict.laps[1], verdict.laps[2], verdict.laps[3]}},
                   {"total", verdict.total}});
}

std::string Shown(const char* english) {
    std::string text = english;
    for (char& c : text) {
        if (c == '_') c = ' ';
    }
    return text;
}

std::string Utf8(const char* cp932) {
    return platform::Cp932ToUtf8(cp932, std::strlen(cp932));
}

std::string CheckCourse(const std::string& file, const std::string& name) {
    std::vector<stage_tool::Problem> problems;
    stage_tool::CheckStageText(name, file.data(), file.size(), problems);
    for (const stage_tool::Problem& problem : problems) {
        if (problem.error) return Answer({{"refused", stage_tool::FormatProblem(problem)}});
    }
    StageFile stage;
    StageFileError error;
    if (!ParseStageFile(file.data(), file.size(), stage, error)) {
        return Answer(
            {{"refused", name + ":" + std::to_string(error.line) + ": " + error.message}});
    }
    char checksum[17];
    std::snprintf(checksum, sizeof checksum, "%016llx",
                  static_cast<unsigned long long>(RacingDataChecksum(stage)));
    // Kept as if never raced: the table holds its records, not the file.
    const double none[kStageRecords] = {999.99, 999.99, 999.99};
    const std::string fresh =
        TextWithRecords(file, stage.recordOffset, none, none, stage.afterRecords);
    std::vector<uint8_t> pixels(stage_tool::kMapSize * stage_tool::kMapSize);
    stage_tool::RenderStageMap(stage, pixels.data());
    std::string png;
    std::string why;
    if (!platform::EncodeIndexedPng(pixels.data(), stage_tool::kMapSize, stage_tool::kMapSize,
                                    stage_tool::kMapSize, GamePalette.data(), png, why)) {
        return Answer({{"failed", "cannot draw the course's map: " + why}});
    }
    const json verdict = {{"checksum", checksum},
                          {"name", Utf8(stage.name)},
                          {"info1", Utf8(stage.info1)},
                          {"info2", Utf8(stage.info2)},
                          {"en_name", Shown(EnglishText(stage, kEnglishName))},
                          {"en_info1", Shown(EnglishText(stage, kEnglishInfo1))},
                          {"en_info2", Shown(EnglishText(stage, kEnglishInfo2))}};
    return Answer(verdict, PackPair(fresh, png));
}

}  // namespace

std::string VerifyRequest(const std::string& course, const std::string& replay) {
    return PackPair(kVerify, PackPair(course, replay));
}

std::string CourseRequest(const std::string& file, const std::string& name) {
    return PackPair(kCourse, PackPair(file, name));
}

std::string DoJob(const std::string& request, const std::string& folder) {
    std::string kind, files, first, second;
    if (!UnpackPair(request, kind, files) || !UnpackPair(files, first, second)) {
        return Answer({{"failed", "the request is not a job"}});
    }
    if (kind == kVerify) return Verify(first, second, folder);
    if (kind == kCourse) return CheckCourse(first, second);
    return Answer({{"failed", "no such job: " + kind}});
}

}  // namespace records
