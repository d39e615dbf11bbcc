// tidewake-headless: the game's real scene machine without a screen, driven by a key script,
// writing a CSV trace and PNG frames. Stages are read from ./stage as in the game, and the
// player's data folder is the real one, so finished races are kept as replays there too.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/replay_verify.h"
#include "app/runner_trace.h"
#include "base/app_state.h"
#include "course/stage.h"
#include "media/game_texts.h"
#include "media/sound.h"
#include "platform/common/png_file.h"
#include "platform/headless/executable_folder.h"
#include "platform/headless/headless.h"
#include "platform/headless/runner_options.h"
#include "race/ghost.h"
#include "race/replay_save.h"
#include "screens/settings_file.h"
#include "shell/main_loop.h"

namespace {

constexpr int kUsageError = 2;

struct Run {
    headless::RunnerOptions options;
    std::vector<headless::KeyEvent> keys;
    size_t nextKey = 0;
    std::FILE* trace = nullptr;
    int32_t frame = 0;
    // Frames in which a scene ran: a paused frame is no row of the trace, which is then the very
    // trace of the same race never paused.
    int32_t tracedFrames = 0;
    bool failed = false;
    bool replaySaved = false;
};

// Events of frame F take effect before frame F's handler runs.
void ApplyKeys(Run& run, int32_t frame) {
    while (run.nextKey < run.keys.size() && run.keys[run.nextKey].frame <= frame) {
        const headless::KeyEvent& event = run.keys[run.nextKey++];
        if (!event.name.empty()) {
            if (!headless::SetNamedKey(event.name, event.down)) {
                std::fprintf(stderr, "tidewake-headless: no key is named '%s'\n",
                             event.name.c_str());
                run.failed = true;
            }
            continue;
        }
        headless::SetKey(event.key, event.down);
        if (event.key == platform::Key::Escape && event.down) {
            headless::PushEvent(platform::EventType::EscapeDown);
        }
    }
    headless::SetFrameNumber(frame);
}

void SaveShots(Run& run, int32_t frame) {
    for (const headless::Shot& shot : run.options.shots) {
        if (shot.frame != frame) continue;
        std::string error;
        if (!platform::WriteIndexedPng(shot.path, headless::PresentedFrame(),
                                       headless::BackBufferPitch(), platform::kFrameWidth,
                                       platform::kFrameHeight, headless::Palette(), error)) {
            std::fprintf(stderr, "tidewake-headless: %s\n", error.c_str());
            run.failed = true;
        }
    }
}

bool AfterFrame(int32_t sceneThatRan, void* context) {
    Run& run = *static_cast<Run*>(context);
    if (run.trace != nullptr && sceneThatRan != kScenePaused) {
        WriteTraceRow(run.trace, run.tracedFrames, sceneThatRan, !run.options.ghostPath.empty());
    }
    if (sceneThatRan != kScenePaused) ++run.tracedFrames;
    SaveShots(run, run.frame);
    ++run.frame;
    if (run.frame >= run.options.frames || run.failed) return false;
    ApplyKeys(run, run.frame);
    return true;
}

// The first finished live race goes where --save-replay asked; later ones are not wanted.
void SaveFirstReplay(const std::string& text, const std::string&, void* context) {
    Run& run = *static_cast<Run*>(context);
    if (run.replaySaved) return;
    run.replaySaved = true;
    const std::string& path = run.options.saveReplayPath;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const bool written =
        file != nullptr && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if ((file != nullptr && std::fclose(file) != 0) || !written) {
        std::fprintf(stderr, "tidewake-headless: cannot write the replay %s\n", path.c_str());
        run.failed = true;
    }
}

constexpr char kUsage[] =
    "usage: tidewake-headless [OPTION]...\n"
    "Runs Tide Wake without a screen from a key script, writing a CSV trace and PNG frames.\n"
    "  --keys FILE          key events, one a line: FRAME KEY down|up; KEY is up, down, left,\n"
    "                       right, q, escape, p, f12, or key:NAME for a key by its name\n"
    "  --frames N           stop after N frames (default 20000)\n"
    "  --seed N             seed of the game's random numbers (default 1)\n"
    "  --shot FRAME:FILE    save the frame presented after FRAME as a PNG (repeatable)\n"
    "  --no-text            draw everything but text\n"
    "  --no-draw            draw nothing; the game advances as when drawing\n"
    "  --trace FILE         one CSV row per frame: the scene and the race state after it\n"
    "  --replay FILE        start in that replay file instead of the opening\n"
    "  --save-replay FILE   write the first finished race's replay to FILE\n"
    "  --course FILE        play that stage file as the only course\n"
    "  --verify FILE        play that replay through without drawing and say what it achieved\n"
    "  --ghost FILE         race against that replay's boat on its course\n"
    "  --no-ghost           race no ghost (the default without --ghost)\n"
    "  --lang ja|en         the language of the game's texts (default ja)\n"
    "  --music-volume N     how loud the music plays, 0..10 (default 10)\n"
    "  --effects-volume N   how loud the effects play, 0..10 (default 10)\n"
    "  --settings           read settings.ini and keys.ini from the player's settings folder\n"
    "                       and keep the settings chosen there, as the game does\n"
    "  --help               show this and stop\n"
    "  --version            show the version and stop\n";

// Japanese at full volume and no ghost but one given, so that every script runs as it always
// has on any machine; or, with --settings, what the player's settings.ini says. The options
// given override either for the run.
void PutRunnerSettings(const headless::RunnerOptions& options) {
    SetKeptGhostsRace(!options.ghostPath.empty());
    if (options.settings) {
        headless::UsePlayerSettingsFolder();
        LoadSettings();
    }
    Language language = TextLanguage;
    if (LanguageNamed(options.language.c_str(), language)) SetTextLanguage(language);
    if (options.musicVolume >= 0) ChooseMusicVolume(options.musicVolume);
    if (options.effectsVolume >= 0) ChooseEffectsVolume(options.effectsVolume);
    if (options.noGhost) SetKeptGhostsRace(false);
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "tidewake-headless: %s\n%s", message.c_str(), kUsage);
    return kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
    Run run;
    std::string error;
    if (!headless::ParseRunnerArgs(std::vector<std::string>(argv + 1, argv + argc), run.options,
                                   error)) {
        return Fail(error);
    }
    if (run.options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (run.options.version) {
        std::printf("tidewake-headless %s\n", TIDEWAKE_VERSION);
        return 0;
    }
    if (!run.options.keysPath.empty()) {
        std::ifstream script(run.options.keysPath);
        if (!script) return Fail("cannot read the key script " + run.options.keysPath);
        if (!headless::ParseKeyScript(script, run.keys, error)) {
            return Fail(run.options.keysPath + ": " + error);
        }
    }
    if (!run.options.tracePath.empty()) {
        run.trace = std::fopen(run.options.tracePath.c_str(), "w");
        if (run.trace == nullptr) return Fail("cannot write the trace " + run.options.tracePath);
        std::fprintf(run.trace, "%s\n", TraceHeader(!run.options.ghostPath.empty()));
    }
    if (run.options.frames == 0) return 0;
    headless::SetExecutableDir(headless::ExecutableFolder(argv[0]));
    headless::Reset(run.options.seed);
    // Like the game: courses from ./stage, else the player's own copies.
    headless::UsePlayerDataFolder();
    PutRunnerSettings(run.options);
    headless::SetDrawing(run.options.draw);
    headless::SetText(run.options.text);
    if (!run.options.coursePath.empty() && !PlayOnlyCourse(run.options.coursePath.c_str(), error)) {
        std::fprintf(stderr, "tidewake-headless: %s\n", error.c_str());
        return kUsageError;
    }
    if (!run.options.verifyPath.empty()) return VerifyReplay(run.options.verifyPath.c_str());
    if (!run.options.saveReplayPath.empty()) ListenToFinishedRaces(SaveFirstReplay, &run);
    ApplyKeys(run, 0);

    const std::string& replay = run.options.replayPath;
    const std::string& ghost = run.options.ghostPath;
    int status = RunGame(AfterFrame, &run, replay.empty() ? nullptr : replay.c_str(),
                         ghost.empty() ? nullptr : ghost.c_str());
    if (run.trace != nullptr && std::fclose(run.trace) != 0) {
        std::fprintf(stderr, "tidewake-headless: cannot write the trace\n");
        status = status == 0 ? 1 : status;
    }
    if (!run.options.saveReplayPath.empty() && !run.replaySaved && status == 0) {
        std::fprintf(stderr, "tidewake-headless: no live race finished, so %s was not written\n",
                     run.options.saveReplayPath.c_str());
        status = 1;
    }
    if (run.failed && status == 0) status = 1;
    return status;
}
