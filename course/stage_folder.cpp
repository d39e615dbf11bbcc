// Where the courses come from: the current folder's stage folder, or the player's own copies.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "base/program_dir.h"
#include "course/stage.h"
#include "platform/platform.h"

namespace {

std::string foldersTried = kLocalStageFolder;

namespace fs = std::filesystem;

bool HoldsCourses(const fs::path& folder) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string extension = it->path().extension().string();
        for (char& c : extension) c = static_cast<char>(c | 0x20);
        if (extension == ".dat" && it->is_regular_file(error)) return true;
    }
    return false;
}

// Fills the player's stage folder with copies of the courses shipped with the game.
void SeedFromShippedCourses(const fs::path& folder) {
    const fs::path shipped = fs::path(ProgramDir) / "stage";
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "tidewake: cannot create %s: %s\n", folder.c_str(),
                     error.message().c_str());
        return;
    }
    for (fs::directory_iterator it(shipped, error), end; !error && it != end; it.increment(error)) {
        std::error_code copyError;
        if (!it->is_regular_file(copyError)) continue;
        fs::copy_file(it->path(), folder / it->path().filename(), fs::copy_options::skip_existing,
                      copyError);
        if (copyError) {
            std::fprintf(stderr, "tidewake: cannot copy %s into %s: %s\n", it->path().c_str(),
                         folder.c_str(), copyError.message().c_str());
        }
    }
}

void UseFolder(const std::string& folder) {
    if (folder.size() < sizeof StageFolder) {
        std::snprintf(StageFolder, sizeof StageFolder, "%s", folder.c_str());
    }
}

}  // namespace

void ChooseStageFolder() {
    if (OnlyCourseName[0] != '\0') return;  // the folder of the one course, chosen already
    UseFolder(kLocalStageFolder);
    foldersTried = kLocalStageFolder;
    std::error_code error;
    if (fs::is_directory(kLocalStageFolder, error)) return;

    const std::string data = platform::UserDataDir();
    if (data.empty()) return;
    const std::string own = data + "stage/";
    foldersTried += " and " + own;
    if (!HoldsCourses(own)) SeedFromShippedCourses(own);
    if (HoldsCourses(own)) UseFolder(own);
}

bool PlayOnlyCourse(const char* path, std::string& message) {
    StageFile stage;
    StageFileError error;
    if (!ReadStageFile(path, stage, error)) {
        message = std::string(path) + (error.line > 0 ? ":" + std::to_string(error.line) : "") +
                  ": " + error.message;
        return false;
    }
    const std::string whole = path;
    const size_t slash = whole.rfind('/');
    const std::string folder = slash == std::string::npos ? "./" : whole.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? whole : whole.substr(slash + 1);
    if (folder.size() + name.size() >= kStagePathSize) {
        message = whole + ": the path is too long";
        return false;
    }
    UseFolder(folder);
    std::snprintf(OnlyCourseName, sizeof OnlyCourseName, "%s", name.c_str());
    foldersTried = whole;
    return true;
}

const char* StageFoldersTried() {
    return foldersTried.c_str();
}
