#include "shell/screenshot.h"

#include <cstdio>
#include <string>

#include "base/keys.h"
#include "base/numbered_file.h"
#include "platform/platform.h"
#include "shell/shell_state.h"

namespace {

void Keep(const std::string& png) {
    const std::string stem = "tidewake-" + platform::LocalTimeStamp();
    if (platform::OfferFile((stem + ".png").c_str(), png)) {
        std::fprintf(stderr, "tidewake: screenshot offered as %s.png\n", stem.c_str());
        return;
    }
    const std::string data = platform::UserDataDir();
    if (data.empty()) {
        std::fprintf(stderr, "tidewake: screenshot not saved: there is no data folder\n");
        return;
    }
    std::string path, error;
    if (WriteNumberedFile(data + "screenshots", stem, ".png", png, path, error)) {
        std::fprintf(stderr, "tidewake: screenshot saved to %s\n", path.c_str());
    } else {
        std::fprintf(stderr, "tidewake: screenshot not saved to %s: %s\n", path.c_str(),
                     error.c_str());
    }
}

}  // namespace

void TakeScreenshotWhenAsked() {
    const int32_t before = ScreenshotKey;
    PollKey(platform::Key::Screenshot, ScreenshotKey);
    if (!(before == kKeyUp && ScreenshotKey == kKeyPressed)) return;
    std::string png, error;
    if (!platform::EncodeShownFrame(png, error)) {
        std::fprintf(stderr, "tidewake: screenshot not saved: %s\n", error.c_str());
        return;
    }
    Keep(png);
}
