// The game in its window. `tidewake --course FILE` plays that stage file as the only course;
// `tidewake --replay FILE` starts in a saved replay; `tidewake --ghost FILE` races against that
// replay's boat on its course; `--no-ghost` races without the kept best ghosts; `--lang ja|en`
// chooses the texts' language for the run (else the settings', else the system's).
#include <cstdio>
#include <cstring>
#include <string>

#include "course/stage.h"
#include "media/game_texts.h"
#include "platform/platform.h"
#include "race/ghost.h"
#include "screens/settings_file.h"
#include "shell/main_loop.h"

namespace {

// A bad argument or a course file the game cannot load ends it as an unplayable replay does.
constexpr int kUsageError = kReplayRefused;

constexpr char kUsage[] =
    "usage: tidewake [OPTION]...\n"
    "Wireframe powerboat racing round the buoys; Escape quits.\n"
    "  --course FILE   play that stage file as the only course\n"
    "  --replay FILE   start in that replay file instead of the opening\n"
    "  --ghost FILE    race against that replay's boat on its course\n"
    "  --no-ghost      race without ghosts, not even the kept bests\n"
    "  --lang ja|en    the language of the game's texts for this run (else the settings')\n"
    "  --help          show this and stop\n"
    "  --version       show the version and stop\n";

int Usage() {
    std::fputs(kUsage, stderr);
    return kUsageError;
}

struct Arguments {
    const char* replay = nullptr;
    const char* course = nullptr;
    const char* ghost = nullptr;
    const char* language = nullptr;
    bool noGhost = false;
    bool help = false;
    bool version = false;
};

bool Flag(const char* arg, const char* name, bool& flag) {
    if (std::strcmp(arg, name) != 0 || flag) return false;
    flag = true;
    return true;
}

// Each option at most once; --ghost and --no-ghost exclude each other.
bool ReadArguments(int argc, char** argv, Arguments& args) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (Flag(arg, "--no-ghost", args.noGhost) || Flag(arg, "--help", args.help) ||
            Flag(arg, "--version", args.version)) {
            continue;
        }
        const char** slot = std::strcmp(arg, "--replay") == 0   ? &args.replay
                            : std::strcmp(arg, "--course") == 0 ? &args.course
                            : std::strcmp(arg, "--ghost") == 0  ? &args.ghost
                            : std::strcmp(arg, "--lang") == 0   ? &args.language
                                                                : nullptr;
        if (slot == nullptr || *slot != nullptr || i + 1 >= argc) return false;
        *slot = argv[++i];
    }
    Language ignored;
    if (args.language != nullptr && !LanguageNamed(args.language, ignored)) return false;
    return !(args.noGhost && args.ghost != nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    Arguments args;
    if (!ReadArguments(argc, argv, args)) return Usage();
    if (args.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (args.version) {
        std::printf("tidewake %s\n", TIDEWAKE_VERSION);
        return 0;
    }
    // The system's language, unless settings.ini names one; an option overrides both.
    SetTextLanguage(LanguageOfLocale(platform::SystemLocale().c_str()));
    LoadSettings();
    Language language = TextLanguage;
    if (args.language != nullptr && LanguageNamed(args.language, language)) {
        SetTextLanguage(language);
    }
    if (args.noGhost) SetKeptGhostsRace(false);
    if (args.course != nullptr) {
        std::string message;
        if (!PlayOnlyCourse(args.course, message)) {
            std::fprintf(stderr, "tidewake: %s\n", message.c_str());
            return kUsageError;
        }
    }
    return RunGame(nullptr, nullptr, args.replay, args.ghost);
}
