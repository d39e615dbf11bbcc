// Sound start-up with the four effects, opening a tune, and the WAVE reader. Built twice: inside
// tidewake_bench with the headless platform (the game's own share of the work), and as
// tidewake_audio_bench with the real mixer.
#include <benchmark/benchmark.h>

#include <string>

#include "base/program_dir.h"
#include "media/music.h"
#include "media/sound.h"
#include "media/wave_file.h"

namespace {

// The media files are made beside the executables.
void UseBuildFolder() {
    GetProgramDir();
}

void BM_SoundStartAndLoadEffects(benchmark::State& state) {
    UseBuildFolder();
    for (auto _ : state) {
        StartSoundDevice();
        benchmark::DoNotOptimize(LoadSound("SE01.WAV"));
        benchmark::DoNotOptimize(LoadSound("speed.WAV"));
        benchmark::DoNotOptimize(LoadSound("jump.WAV"));
        benchmark::DoNotOptimize(LoadSound("crash.WAV"));
        state.PauseTiming();
        ShutDownAudio();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SoundStartAndLoadEffects)->Unit(benchmark::kMillisecond);

// What a scene's first frame pays when it starts its tune.
void BM_OpenTune(benchmark::State& state) {
    UseBuildFolder();
    StartSoundDevice();
    const char* tunes[] = {"title.mid", "select.mid", "game.mid"};
    const char* tune = tunes[state.range(0)];
    for (auto _ : state) {
        StartSceneMusic(tune);
        state.PauseTiming();
        StopMusic();
        state.ResumeTiming();
    }
    ShutDownAudio();
}
BENCHMARK(BM_OpenTune)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// Stopping a tune also happens inside a frame (the start key, leaving a scene).
void BM_StopTune(benchmark::State& state) {
    UseBuildFolder();
    StartSoundDevice();
    for (auto _ : state) {
        state.PauseTiming();
        StartSceneMusic("game.mid");
        state.ResumeTiming();
        StopMusic();
    }
    ShutDownAudio();
}
BENCHMARK(BM_StopTune)->Unit(benchmark::kMillisecond);

void BM_ReadWaveFile(benchmark::State& state) {
    UseBuildFolder();
    const std::string path = std::string(ProgramDir) + "speed.WAV";
    WaveFile wave;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadWaveFile(path.c_str(), wave));
    }
}
BENCHMARK(BM_ReadWaveFile)->Unit(benchmark::kMicrosecond);

#if TIDEWAKE_REAL_AUDIO
// Playing an effect: what a race frame pays for a checkpoint chime.
void BM_PlayEffect(benchmark::State& state) {
    UseBuildFolder();
    StartSoundDevice();
    const int32_t id = LoadSound("SE01.WAV");
    for (auto _ : state) PlayEffect(id);
    ShutDownAudio();
}
BENCHMARK(BM_PlayEffect)->Unit(benchmark::kMicrosecond);
#endif

}  // namespace
