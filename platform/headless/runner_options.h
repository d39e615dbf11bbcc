// Command line and key script of the headless runner.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace headless {

// One line of a key script: at frame `frame`, `key` goes down or up, or the key the desktop
// calls `name` ("key:W", "key:Left_Shift" in the script) when that is not empty.
struct KeyEvent {
    int32_t frame;
    platform::Key key;
    bool down;
    std::string name;
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
    // --lang, --music-volume, --effects-volume: "ja" or "en", 0..10; empty and -1 when not given,
    // for Japanese at full volume or what settings.ini says.
    std::string language;
    int32_t musicVolume = -1;
    int32_t effectsVolume = -1;
    bool settings = false;  // --settings: read and keep settings.ini and keys.ini as the game does
    bool help = false;      // --help: say the usage and stop
    bool version = false;   // --version: say the version and stop
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
