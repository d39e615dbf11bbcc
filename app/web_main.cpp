// The game in a web page. The page passes its URL's settings as arguments: --seed N,
// --no-text, --fast (frames as fast as the browser allows), --stop F (run frames 0..F, then keep
// showing frame F), --keys FILE (a key script in the runner's format, applied by frame number as
// the runner applies it), --replay FILE (start in that replay, as the desktop game does) and
// --course NAME (skip the opening and the title and start on the stage select with the course
// file NAME of the course folder chosen: the editor's test drive), --no-ghost (race without
// the kept best ghosts, as the runner does) and --lang ja|en (the texts' language for this visit).
// The language is the browser's until the player's settings, kept by the page, say otherwise;
// the URL's --lang and --no-ghost count over both.
#include <emscripten.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "author/stage_check.h"
#include "base/scene_switch.h"
#include "course/course_state.h"
#include "course/stage.h"
#include "media/game_texts.h"
#include "media/music.h"
#include "platform/headless/runner_options.h"
#include "platform/web/web.h"
#include "platform/web/web_bridge.h"
#include "race/ghost.h"
#include "race/ghost_keep.h"
#include "race/ghost_state.h"
#include "race/race_setup.h"
#include "race/replay_course.h"
#include "race/replay_file.h"
#include "race/replay_load.h"
#include "race/replay_save.h"
#include "screens/race_setup_scene.h"
#include "screens/screen_clock.h"
#include "screens/settings_file.h"
#include "screens/settings_scene.h"
#include "shell/main_loop.h"

namespace {

// Once stopped, the page keeps its last frame and the game waits here for good.
constexpr int kStoppedSleepMilliseconds = 1000;

struct Page {
    std::vector<headless::KeyEvent> keys;
    size_t nextKey = 0;
    int32_t frame = 0;
    int32_t stopFrame = -1;
    // A replay dropped on the page, waiting for the opening or the title: starting one anywhere
    // else would cut into a race or a course choice.
    std::string droppedReplay;
    // The course to start on, until the game reaches the stage select with it.
    std::string startCourse;
    // Whether startCourse is the course of the ghost given last, which a later choice takes back.
    bool startForGhost = false;
    // The page's Settings button was pressed on the opening or the title.
    bool openSettings = false;
    // startCourse, given with a ghost on the stage select, is taken there as a step would.
    bool startHere = false;
};

// One page, reached from the game's frame hook and from the page's calls.
Page page;

void ApplyKeys() {
    while (page.nextKey < page.keys.size() && page.keys[page.nextKey].frame <= page.frame) {
        const headless::KeyEvent& event = page.keys[page.nextKey++];
        web::SetScriptedKey(event.key, event.down);
        if (event.key == platform::Key::Escape && event.down) {
            web::PushEvent(platform::EventType::EscapeDown);
        }
    }
}

bool ReplayCanStart() {
    return Scene == kSceneOpening || Scene == kSceneTitle;
}

// A refused replay has said why and leaves the game where it was.
void StartDroppedReplay() {
    if (page.droppedReplay.empty() || !ReplayCanStart()) return;
    const std::string path = std::move(page.droppedReplay);
    page.droppedReplay.clear();
    StopMusic();
    StartReplayFile(path.c_str());
    std::remove(path.c_str());
}

// The opening ends at once, and the title goes on as the start key takes it on, but to the
// stage select with the named course loaded instead of the first. A name the course folder does
// not hold leaves the game on its title.
void GoToStartCourse() {
    if (page.startCourse.empty()) return;
    if (page.startHere && Scene == kSceneStageSelect) {
        const int32_t number = FindStageNumber(page.startCourse.c_str());
        if (number != 0 && number != StageNumber) {
            SetStageNumber(number);
            LoadStage(number);
        }
        page.startCourse.clear();
        page.startForGhost = false;
        page.startHere = false;
        return;
    }
    if (Scene == kSceneOpening) {
        EnterScene(kSceneReset);
        ResetScreenClock();
        return;
    }
    if (Scene != kSceneTitle) return;
    const int32_t number = FindStageNumber(page.startCourse.c_str());
    if (number == 0) {
        std::fprintf(stderr, "tidewake: no course named %s to start on\n",
                     page.startCourse.c_str());
    } else {
        StopMusic();
        ResetRaceState();
        SetStageNumber(number);
        EnterScene(kSceneStageSelect);
        LoadStage(number);
        std::printf("tidewake: the stage select starts on %s\n", page.startCourse.c_str());
    }
    page.startCourse.clear();
    page.startForGhost = false;
}

// The settings open over the title, so the opening ends first, as its last frame would end it;
// anywhere else the button's press is let go, since the game has left the title meanwhile.
void GoToSettings() {
    if (!page.openSettings) return;
    if (Scene == kSceneOpening) {
        EnterScene(kSceneReset);
        ResetScreenClock();
        return;
    }
    page.openSettings = false;
    if (Scene != kSceneTitle) return;
    OpenSettings();
    EnterScene(kSceneSettings);
}

bool AfterFrame(int32_t sceneThatRan, void*) {
    // The page knows a paused frame by the scene it froze.
    if (sceneThatRan == kScenePaused) sceneThatRan = Scene;
    GoToStartCourse();
    GoToSettings();
    StartDroppedReplay();
    const bool stop = page.frame == page.stopFrame;
    tw_after_frame(page.frame, sceneThatRan, stop ? 1 : 0);
    if (stop) {
        for (;;) emscripten_sleep(kStoppedSleepMilliseconds);
    }
    ++page.frame;
    ApplyKeys();
    return true;
}

bool ReadKeys(const char* path) {
    std::ifstream script(path);
    std::string error;
    if (!script) {
        error = "cannot read the key script";
    } else if (headless::ParseKeyScript(script, page.keys, error)) {
        return true;
    }
    const std::string message = std::string(path) + ": " + error;
    tw_error_box("Tide Wake", message.c_str());
    return false;
}

void OfferReplay(const std::string& text, const std::string& fileName, void*) {
    tw_replay_ready(text.data(), text.size(), fileName.c_str());
}

// A new best race's ghost lasts beyond the visit only once the page stores its folder.
void StoreKeptGhost(const char* path, void*) {
    tw_ghost_kept(path);
}

// A replay dropped earlier and still waiting gives way to the player's latest choice; its file
// goes with it unless the new one has just been written over it.
void ForgetWaitingReplay(const char* keptPath) {
    if (!page.droppedReplay.empty() && page.droppedReplay != keptPath) {
        std::remove(page.droppedReplay.c_str());
    }
    page.droppedReplay.clear();
}

void ForgetGhostStart() {
    if (page.startForGhost) page.startCourse.clear();
    page.startForGhost = false;
    page.startHere = false;
}

}  // namespace

int main(int argc, char** argv) {
    const char* replay = nullptr;
    const char* language = nullptr;
    bool noGhost = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (arg == "--no-text") {
            web::SetText(false);
        } else if (arg == "--fast") {
            web::SetFast();
        } else if (arg == "--seed") {
            web::SetSeed(static_cast<uint32_t>(std::strtoul(value, nullptr, 10)));
            ++i;
        } else if (arg == "--stop") {
            page.stopFrame = static_cast<int32_t>(std::strtol(value, nullptr, 10));
            ++i;
        } else if (arg == "--keys") {
            if (!ReadKeys(value)) return 2;
            ++i;
        } else if (arg == "--course") {
            page.startCourse = value;
            ++i;
        } else if (arg == "--replay") {
            replay = value;
            ++i;
        } else if (arg == "--lang") {
            language = value;
            ++i;
        } else if (arg == "--no-ghost") {
            noGhost = true;
        }
    }
    SetTextLanguage(LanguageOfLocale(platform::SystemLocale().c_str()));
    LoadSettings();
    Language chosen = TextLanguage;
    if (language != nullptr) {
        if (LanguageNamed(language, chosen)) {
            SetTextLanguage(chosen);
        } else {
            std::fprintf(stderr, "tidewake: lang is ja or en, not '%s'\n", language);
        }
    }
    if (noGhost) SetKeptGhostsRace(false);
    ApplyKeys();
    ListenToFinishedRaces(OfferReplay, nullptr);
    ListenToKeptGhosts(StoreKeptGhost, nullptr);
    const int status = RunGame(AfterFrame, nullptr, replay);
    // Scene -1 tells the page the game is over.
    tw_after_frame(page.frame, -1, 1);
    return status;
}

// Checks a course file dropped on the page: empty when the game can load it, else the reader's
// errors, one "FILE:LINE: message" a line.
extern "C" EMSCRIPTEN_KEEPALIVE const char* tw_check_stage(const char* path) {
    static std::string errors;
    std::vector<stage_tool::Problem> problems;
    stage_tool::CheckStageFile(path, problems);
    errors.clear();
    for (const stage_tool::Problem& problem : problems) {
        if (problem.error) errors += stage_tool::FormatProblem(problem) + "\n";
    }
    return errors.c_str();
}

// Plays a replay file dropped on the page: at once on the opening or the title, else when the
// game is back on its title. The file is removed once the game has read it. Returns 1 when it
// starts at once.
extern "C" EMSCRIPTEN_KEEPALIVE int tw_play_replay(const char* path) {
    ForgetWaitingReplay(path);
    ForgetGhostStart();
    page.droppedReplay = path;
    return ReplayCanStart() ? 1 : 0;
}

// Reads a replay file dropped on the page as the ghost to race whenever its course is raced, and
// takes the game to the stage select with that course chosen: at once on the opening or the
// title, else once the game is back on its title. The file is removed once read. Returns 1 when
// the game goes there at once, 0 when it waits, and -1 when the replay cannot race: the game has
// said why, and no ghost is given (the one given before is dropped too).
extern "C" EMSCRIPTEN_KEEPALIVE int tw_race_against(const char* path) {
    const bool read = ReadGhostFile(path);
    std::remove(path);
    // A refused ghost takes the one given before with it, and so its way to the stage select.
    ForgetGhostStart();
    if (!read) {
        // A waiting replay of the same name was written over by this file, and went with it.
        if (page.droppedReplay == path) page.droppedReplay.clear();
        return -1;
    }
    ForgetWaitingReplay(path);
    page.startCourse = GivenGhost.course;
    page.startForGhost = true;
    std::printf("tidewake: racing against %s on %s\n", path, GivenGhost.course);
    return ReplayCanStart() ? 1 : 0;
}

// The page's Settings button: the game goes to its settings from the opening or the title (the
// opening ends first). Returns 0, doing nothing, anywhere else.
extern "C" EMSCRIPTEN_KEEPALIVE int tw_open_settings() {
    page.openSettings = ReplayCanStart();
    return page.openSettings ? 1 : 0;
}

// The most bytes the game reads of a course (0) or a replay (1). The page reads one more of a
// dropped file, so that the game's readers still see a file too large and say so.
extern "C" EMSCRIPTEN_KEEPALIVE int tw_file_limit(int replay) {
    return replay != 0 ? static_cast<int>(kReplayFileLimit) : kStageFileLimit;
}

// A record table's run to race against, chosen on the stage select beside the table: as
// tw_race_against, but the stage select takes the ghost's course at once (on the next frame), as
// a step of Left or Right would. Returns as tw_race_against does.
extern "C" EMSCRIPTEN_KEEPALIVE int tw_race_against_here(const char* path) {
    const int outcome = tw_race_against(path);
    if (outcome != 0 || Scene != kSceneStageSelect) return outcome;
    page.startHere = true;
    return 1;
}

// The course the stage select shows: its racing data's checksum, which the record table knows it
// by, and its file's name in the course folder, as "9e3779b97f4a7c15 01.dat"; empty elsewhere.
extern "C" EMSCRIPTEN_KEEPALIVE const char* tw_chosen_course() {
    static std::string chosen;
    chosen.clear();
    if (Scene != kSceneStageSelect) return chosen.c_str();
    char checksum[17];
    std::snprintf(checksum, sizeof checksum, "%016llx",
                  static_cast<unsigned long long>(RacingDataChecksum()));
    chosen = std::string(checksum) + " " + LoadedCourseFileName();
    return chosen.c_str();
}
