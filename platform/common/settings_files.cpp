// The files in the player's settings folder, each written whole.
#include "platform/platform.h"

namespace platform {

bool WriteSettingsFile(const char* name, const std::string& text, std::string& error) {
    const std::string folder = SettingsFolder();
    if (folder.empty()) {
        error = "there is no settings folder to keep " + std::string(name) + " in";
        return false;
    }
    const std::string path = folder + name;
    bool existed = false;
    if (WriteNewFile(path.c_str(), text.data(), text.size(), existed, error)) return true;
    if (!existed) {
        error = path + ": " + error;
        return false;
    }
    if (ReplaceFileContents(path.c_str(), text.data(), text.size(), error)) return true;
    error = path + ": " + error;
    return false;
}

}  // namespace platform
