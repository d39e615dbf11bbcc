// Command line and key script of the headless runner.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace headless {

// One line of a key script: at frame `frame`, `key` goes down or up.
struct KeyEvent {
    int32_t frame;
    platform::Key key;
    bool down;
};

struct Shot {
    int32_t frame;
    std::string path;
};

struct RunnerOptions {
    std::string keysPath;
    int32_t frames = 20000;
    uint32_t seed = 1;
    std::vector<Shot> shots;
    bool text = true;
    bool draw = true;
    std::string tracePath;
    std::string replayPath;      // a replay file to start in instead of the opening
    std::string saveReplayPath;  // where the first finished live race's replay goes
    std::string coursePath;      // a stage file played as the only course
    std::string verifyPath;      // a replay to play through without drawing, saying its result
    std::string ghostPath;  // a replay to race against on its course (and kept bests elsewhere)
    bool noGhost = false;   // --no-ghost: no ghost races at all
    std::string language = "ja";  // --lang: the language of the game's texts, "ja" or "en"
    int32_t musicVolume = 10;     // --music-volume: 0..10
    int32_t effectsVolume = 10;   // --effects-volume: 0..10
    bool help = false;            // --help: say the usage and stop
    bool version = false;         // --version: say the version and stop
};

// Fills `options` from the arguments (without the program name). False with a message naming
// the bad argument.
bool ParseRunnerArgs(const std::vector<std::string>& args, RunnerOptions& options,
                     std::string& error);

// Reads "FRAME KEY down|up" lines; blank lines and lines starting with '#' are skipped. Events
// come back ordered by frame, keeping the script's order within a frame. False with a message
// naming the line.
bool ParseKeyScript(std::istream& in, std::vector<KeyEvent>& events, std::string& error);

}  // namespace headless
