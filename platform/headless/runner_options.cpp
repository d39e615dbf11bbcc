#include "platform/headless/runner_options.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace headless {
namespace {

template <typename Number>
bool ParseNumber(const std::string& text, Number& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

bool ParseKey(const std::string& name, platform::Key& key) {
    static const std::pair<const char*, platform::Key> kKeys[] = {
        {"up", platform::Key::Up},     {"down", platform::Key::Down},
        {"left", platform::Key::Left}, {"right", platform::Key::Right},
        {"q", platform::Key::Q},       {"escape", platform::Key::Escape},
        {"p", platform::Key::P},       {"f12", platform::Key::Screenshot},
    };
    for (const auto& [keyName, value] : kKeys) {
        if (name == keyName) {
            key = value;
            return true;
        }
    }
    return false;
}

}  // namespace

bool ParseRunnerArgs(const std::vector<std::string>& args, RunnerOptions& options,
                     std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error = arg + " needs a value";
                return false;
            }
            out = args[++i];
            return true;
        };
        std::string text;
        if (arg == "--no-text") {
            options.text = false;
        } else if (arg == "--no-draw") {
            options.draw = false;
        } else if (arg == "--keys") {
            if (!value(options.keysPath)) return false;
        } else if (arg == "--trace") {
            if (!value(options.tracePath)) return false;
        } else if (arg == "--replay") {
            if (!value(options.replayPath)) return false;
        } else if (arg == "--save-replay") {
            if (!value(options.saveReplayPath)) return false;
        } else if (arg == "--course") {
            if (!value(options.coursePath)) return false;
        } else if (arg == "--verify") {
            if (!value(options.verifyPath)) return false;
        } else if (arg == "--ghost") {
            if (!value(options.ghostPath)) return false;
        } else if (arg == "--no-ghost") {
            options.noGhost = true;
        } else if (arg == "--lang") {
            if (!value(options.language)) return false;
            if (options.language != "ja" && options.language != "en") {
                error = "--lang takes ja or en, not '" + options.language + "'";
                return false;
            }
        } else if (arg == "--music-volume" || arg == "--effects-volume") {
            if (!value(text)) return false;
            int32_t& volume = arg == "--music-volume" ? options.musicVolume : options.effectsVolume;
            if (!ParseNumber(text, volume) || volume < 0 || volume > 10) {
                error = arg + " takes a whole number from 0 to 10, not '" + text + "'";
                return false;
            }
        } else if (arg == "--settings") {
            options.settings = true;
        } else if (arg == "--help") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--frames") {
            if (!value(text)) return false;
            if (!ParseNumber(text, options.frames) || options.frames < 0) {
                error = "--frames takes a whole number of frames, not '" + text + "'";
                return false;
            }
        } else if (arg == "--seed") {
            if (!value(text)) return false;
            if (!ParseNumber(text, options.seed)) {
                error = "--seed takes a whole number from 0 to 4294967295, not '" + text + "'";
                return false;
            }
        } else if (arg == "--shot") {
            if (!value(text)) return false;
            const size_t colon = text.find(':');
            Shot shot;
            if (colon == std::string::npos || !ParseNumber(text.substr(0, colon), shot.frame) ||
                shot.frame < 0 || colon + 1 == text.size()) {
                error = "--shot takes FRAME:FILE, not '" + text + "'";
                return false;
            }
            shot.path = text.substr(colon + 1);
            options.shots.push_back(shot);
        } else {
            error = "unknown argument '" + arg + "'";
            return false;
        }
    }
    if (!options.verifyPath.empty() && !options.replayPath.empty()) {
        error = "--verify plays its own replay; it cannot go with --replay";
        return false;
    }
    if (options.noGhost && !options.ghostPath.empty()) {
        error = "--no-ghost turns every ghost off; it cannot go with --ghost";
        return false;
    }
    return true;
}

bool ParseKeyScript(std::istream& in, std::vector<KeyEvent>& events, std::string& error) {
    events.clear();
    std::string line;
    for (int lineNumber = 1; std::getline(in, line); ++lineNumber) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        std::istringstream fields(line);
        std::string frameText, keyText, actionText, extra;
        fields >> frameText >> keyText >> actionText;
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        KeyEvent event{};
        if (actionText.empty() || (fields >> extra)) {
            error = where + "expected 'FRAME KEY down' or 'FRAME KEY up', got '" + line + "'";
            return false;
        }
        if (!ParseNumber(frameText, event.frame) || event.frame < 0) {
            error = where + "'" + frameText + "' is not a frame number";
            return false;
        }
        if (keyText.rfind("key:", 0) == 0 && keyText.size() > 4) {
            // Script fields part at blanks, so a blank in a key's name is written '_'.
            event.name = keyText.substr(4);
            std::replace(event.name.begin(), event.name.end(), '_', ' ');
        } else if (!ParseKey(keyText, event.key)) {
            error = where + "unknown key '" + keyText +
                    "' (keys: up, down, left, right, q, escape, p, f12, or key:NAME)";
            return false;
        }
        if (actionText != "down" && actionText != "up") {
            error = where + "'" + actionText + "' must be 'down' or 'up'";
            return false;
        }
        event.down = actionText == "down";
        events.push_back(event);
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const KeyEvent& a, const KeyEvent& b) { return a.frame < b.frame; });
    return true;
}

}  // namespace headless
