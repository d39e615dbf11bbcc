// tidewake-media: makes the game's sound effects and tunes in the given folder.
#include <cstdio>
#include <string>

#include "tools/media_gen/effects.h"
#include "tools/media_gen/tunes.h"
#include "tools/media_gen/wave_writer.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tidewake-media OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    using namespace media_gen;
    struct Effect {
        const char* name;
        std::vector<double> (*make)();
    };
    const Effect effects[] = {{"SE01.WAV", CheckpointChime},
                              {"speed.WAV", BoostWhoosh},
                              {"jump.WAV", JumpSpring},
                              {"crash.WAV", HullKnock}};
    for (const Effect& e : effects) {
        if (!WriteMonoWave(dir + e.name, e.make(), kEffectRate)) {
            std::fprintf(stderr, "tidewake-media: cannot write %s%s\n", dir.c_str(), e.name);
            return 1;
        }
    }
    struct Tune {
        const char* name;
        MidiSong (*make)();
    };
    const Tune tunes[] = {
        {"title.mid", TitleTune}, {"select.mid", SelectTune}, {"game.mid", RaceTune}};
    for (const Tune& t : tunes) {
        const MidiSong song = t.make();
        if (!WriteMidiFile(dir + t.name, song)) {
            std::fprintf(stderr, "tidewake-media: cannot write %s%s\n", dir.c_str(), t.name);
            return 1;
        }
    }
    return 0;
}
