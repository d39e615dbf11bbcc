// The settings.ini reader on arbitrary bytes. It may not read or write outside its buffers;
// every setting it settles on is one the game can put in force, each refusal names one line of
// the file in order, and what it settles on, written back, reads back as the same.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "screens/settings_file.h"

namespace {

bool Same(const Settings& a, const Settings& b) {
    return a.language == b.language && a.music == b.music && a.effects == b.effects &&
           a.ghost == b.ghost && a.window == b.window;
}

void CheckProblems(const std::vector<std::string>& problems, size_t lines) {
    const std::string prefix = "settings.ini:";
    size_t previous = 0;
    for (const std::string& problem : problems) {
        if (problem.compare(0, prefix.size(), prefix) != 0) std::abort();
        size_t at = prefix.size();
        size_t line = 0;
        while (at < problem.size() && std::isdigit(static_cast<unsigned char>(problem[at]))) {
            line = line * 10 + static_cast<size_t>(problem[at] - '0');
            if (line > lines) std::abort();
            ++at;
        }
        if (line <= previous || problem.compare(at, 2, ": ") != 0) std::abort();
        previous = line;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    Settings settings;
    std::vector<std::string> problems;
    ReadSettingsText(text, settings, problems);

    size_t lines = 1;
    for (char c : text) lines += c == '\n';
    CheckProblems(problems, lines);
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
