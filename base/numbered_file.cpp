#include "base/numbered_file.h"

#include "platform/platform.h"

namespace {

// Two files within one second (the runner) get "-2", "-3"... after the time.
constexpr int kNameTries = 9;

}  // namespace

bool WriteNumberedFile(const std::string& folder, const std::string& stem, const char* extension,
                       const std::string& bytes, std::string& path, std::string& error) {
    path = folder;
    if (!platform::MakeFolder(folder.c_str(), error)) return false;
    for (int attempt = 1; attempt <= kNameTries; ++attempt) {
        path =
            folder + "/" + stem + (attempt == 1 ? "" : "-" + std::to_string(attempt)) + extension;
        bool existed = false;
        if (platform::WriteNewFile(path.c_str(), bytes.data(), bytes.size(), existed, error)) {
            return true;
        }
        if (!existed) return false;
    }
    return false;
}
