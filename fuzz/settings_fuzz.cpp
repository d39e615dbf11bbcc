// The settings.ini reader on arbitrary bytes. It may not read or write outside its buffers;
// every setting it settles on is one the game can put in force, each refusal names one line of
// the file in order, and what it settles on, written back, reads back as the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "screens/settings_file.h"
#include "testing/file_problems.h"

namespace {

bool Same(const Settings& a, const Settings& b) {
    return a.language == b.language && a.music == b.music && a.effects == b.effects &&
           a.ghost == b.ghost && a.window == b.window;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Settings settings;
    std::vector<std::string> problems;
    ReadSettingsText(text, settings, problems);

    size_t lines = 1;
    for (char c : text) lines += c == '\n';
    testing_files::CheckProblemLines(problems, lines, "settings.ini");
    if (settings.language != Language::Japanese && settings.language != Language::English) {
        std::abort();
    }
    if (settings.music < 0 || settings.music > platform::kFullVolume) std::abort();
    if (settings.effects < 0 || settings.effects > platform::kFullVolume) std::abort();
    if (settings.window != kWindowAsOpened && settings.window != platform::kFullScreen &&
        (settings.window < 1 || settings.window > platform::kLargestWindowScale)) {
        std::abort();
    }

    Settings back;
    back.window = 2;
    std::vector<std::string> backProblems;
    ReadSettingsText(SettingsText(settings), back, backProblems);
    if (settings.window == kWindowAsOpened) back.window = kWindowAsOpened;
    if (!backProblems.empty() || !Same(back, settings)) std::abort();
    return 0;
}
