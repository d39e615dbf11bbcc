// The folder of the running program, for the runner and the stage tool, which find their media
// and shipped courses from it as the game does.
#pragma once

#include <string>

namespace headless {

// The folder of argv[0], ending with '/'. A bare name was found through PATH, and says nothing
// of where the program lies: then the running executable itself is asked, and "./" is the last
// resort.
std::string ExecutableFolder(const std::string& argv0);

}  // namespace headless
