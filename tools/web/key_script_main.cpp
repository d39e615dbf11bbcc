// tidewake-keyscript: plays one whole game on the headless platform the way a player would and
// writes its keys as a runner key script, for comparing the web runner and the page with the
// native runner. Run it in a folder with a stage/ as the runner would be.
//
// usage: tidewake-keyscript race STAGE OUT   title, STAGE-1 steps right, a driven race, the
//                                            results, the replay once through, the title, Escape
//        tidewake-keyscript drift STAGE OUT  the same with nobody steering: the time runs out
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/app_state.h"
#include "platform/headless/headless.h"
#include "race/race_state.h"
#include "race/replay_state.h"
#include "shell/main_loop.h"
#include "testing/race_driver.h"

namespace {

constexpr platform::Key kKeys[] = {platform::Key::Up,   platform::Key::Down,
                                   platform::Key::Left, platform::Key::Right,
                                   platform::Key::Q,    platform::Key::Escape};
constexpr const char* kKeyNames[] = {"up", "down", "left", "right", "q", "escape"};
constexpr int32_t kFrameLimit = 40000;

struct Player {
    bool steer = true;
    int32_t stepsWanted = 0;
    std::FILE* out = nullptr;
    int32_t frame = 0;
    int32_t lastScene = -1;
    int32_t framesInScene = 0;
    int32_t steps = 0;
    int32_t races = 0;
    int32_t replayFrames = 0;
    bool replayLooped = false;
    bool down[6] = {};
    bool quitting = false;

    void Set(platform::Key key, bool on) { headless::SetKey(key, on); }

    void Decide() {
        for (platform::Key key : kKeys) Set(key, false);
        switch (Scene) {
            case kSceneTitle:
                if (races > 0) {
                    Set(platform::Key::Escape, framesInScene > 30);
                } else {
                    Set(platform::Key::Up, framesInScene > 30);
                }
                break;
            case kSceneStageSelect:
                // One step a press: the key goes up between steps.
                if (steps < stepsWanted) {
                    const bool press = framesInScene % 8 < 2 && framesInScene > 8;
                    Set(platform::Key::Right, press);
                    if (press && framesInScene % 8 == 1) ++steps;
                } else {
                    Set(platform::Key::Down, framesInScene > 60);
                }
                break;
            case kSceneRace:
                if (ReplayMode == 1) {
                    ++replayFrames;
                    // Every view once, two frames of Down each, then Left after the first loop.
                    Set(platform::Key::Down, replayFrames % 60 < 2 && replayFrames < 60 * 8);
                    Set(platform::Key::Left, replayLooped && replayFrames > 30);
                } else if (steer) {
                    race_test::SteerTowardNextBuoy();
                }
                break;
            case kSceneRaceSetup:
                if (lastScene == kSceneRace && ReplayMode == 1) {
                    replayLooped = true;
                    replayFrames = 0;
                }
                break;
            case kSceneResults:
                Set(platform::Key::Up, framesInScene > 40 && framesInScene < 44);
                break;
        }
    }

    // Writes the keys that changed, for the frame about to run.
    void Record(int32_t nextFrame) {
        for (int k = 0; k < 6; ++k) {
            const bool now = platform::IsKeyDown(kKeys[k]);
            if (now != down[k]) {
                std::fprintf(out, "%d %s %s\n", nextFrame, kKeyNames[k], now ? "down" : "up");
                down[k] = now;
                // The runner turns Escape going down into the window's event too.
                if (kKeys[k] == platform::Key::Escape && now) {
                    headless::PushEvent(platform::EventType::EscapeDown);
                }
            }
        }
    }
};

bool AfterFrame(int32_t sceneThatRan, void* context) {
    Player& p = *static_cast<Player*>(context);
    if (sceneThatRan == kSceneRace && p.lastScene != kSceneRace && ReplayMode == 0) ++p.races;
    p.framesInScene = sceneThatRan == p.lastScene ? p.framesInScene + 1 : 1;
    p.lastScene = sceneThatRan;
    ++p.frame;
    if (p.frame >= kFrameLimit) return false;
    p.Decide();
    p.Record(p.frame);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 || (std::string(argv[1]) != "race" && std::string(argv[1]) != "drift")) {
        std::fprintf(stderr, "usage: tidewake-keyscript race|drift STAGE OUT\n");
        return 2;
    }
    Player player;
    player.steer = std::string(argv[1]) == "race";
    player.stepsWanted = std::atoi(argv[2]) - 1;
    player.out = std::fopen(argv[3], "w");
    if (player.out == nullptr) return 1;
    std::fprintf(player.out, "# %s on stage %s, made by tidewake-keyscript\n", argv[1], argv[2]);
    const std::string self = argv[0];
    headless::SetExecutableDir(self.substr(0, self.rfind('/') + 1));
    headless::Reset(1);
    headless::SetDrawing(false);
    const int status = RunGame(AfterFrame, &player);
    std::fprintf(player.out, "# %d frames\n", player.frame);
    std::fclose(player.out);
    std::printf("%d frames\n", player.frame);
    return status;
}
