// Per-frame cost of the wireframe world: the title frame and most of a race frame's drawing.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "base/trig_tables.h"
#include "platform/headless/headless.h"
#include "render/frame_buffer.h"
#include "render/projection.h"
#include "render/water_grid.h"
#include "screens/title.h"
#include "shell/reset_game.h"
#include "testing/sample_start_grid.h"

namespace {

// A whole title frame on the headless platform (pace wait on its virtual clock), with or
// without its four text rows.
void BM_TitleFrame(benchmark::State& state) {
    headless::Reset();
    headless::SetText(state.range(0) != 0);
    ResetGame();
    for (auto _ : state) TitleScreen();
    headless::SetText(true);
}
BENCHMARK(BM_TitleFrame)->Arg(0)->Arg(1)->ArgName("text");

// Scenery, water grid, six buoys and eight boats from the chase camera at the start grid.
void BM_StartGridDrawing(benchmark::State& state) {
    BuildTrigTables();
    sample_grid::Place();
    std::vector<uint8_t> frame(672 * 480);
    FrameBits = frame.data();
    FramePitch = 672;
    for (auto _ : state) {
        std::memset(frame.data(), 0, frame.size());
        sample_grid::Draw();
        benchmark::ClobberMemory();
    }
    FrameBits = nullptr;
}
BENCHMARK(BM_StartGridDrawing);

// The same with no frame locked: projections only.
void BM_StartGridNoDraw(benchmark::State& state) {
    BuildTrigTables();
    sample_grid::Place();
    FrameBits = nullptr;
    for (auto _ : state) {
        sample_grid::Draw();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_StartGridNoDraw);

void BM_WaterGridFromChase(benchmark::State& state) {
    BuildTrigTables();
    sample_grid::Place();
    std::vector<uint8_t> frame(672 * 480);
    FrameBits = frame.data();
    FramePitch = 672;
    DrawColour = 252;
    for (auto _ : state) {
        DrawWaterGrid();
        benchmark::ClobberMemory();
    }
    FrameBits = nullptr;
}
BENCHMARK(BM_WaterGridFromChase);

void BM_ProjectPoint(benchmark::State& state) {
    BuildTrigTables();
    sample_grid::Place();
    double x = 0;
    for (auto _ : state) {
        ProjectPoint(x, 5000.0, 100.0);
        benchmark::DoNotOptimize(ProjX);
        x += 1.0;
    }
}
BENCHMARK(BM_ProjectPoint);

}  // namespace
