// Cost of the line routine, an opening frame and a block of text.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "media/display.h"
#include "media/text.h"
#include "platform/headless/headless.h"
#include "render/frame_buffer.h"
#include "screens/opening.h"

namespace {

std::vector<double> RandomEnds(double low, double high, size_t count) {
    std::mt19937 generator(1998);
    std::uniform_real_distribution<double> coordinate(low, high);
    std::vector<double> ends(count * 4);
    for (double& value : ends) value = coordinate(generator);
    return ends;
}

void DrawLines(benchmark::State& state, double low, double high) {
    std::vector<uint8_t> frame(640 * 480);
    FrameBits = frame.data();
    FramePitch = 640;
    DrawColour = 255;
    const std::vector<double> ends = RandomEnds(low, high, 1024);
    size_t i = 0;
    for (auto _ : state) {
        DrawLine(ends[i], ends[i + 1], ends[i + 2], ends[i + 3]);
        i = (i + 4) % ends.size();
    }
    benchmark::DoNotOptimize(frame.data());
    FrameBits = nullptr;
}

void BM_DrawLineInsideFrame(benchmark::State& state) {
    DrawLines(state, 0, 639);
}
BENCHMARK(BM_DrawLineInsideFrame);

void BM_DrawLineFarOutside(benchmark::State& state) {
    DrawLines(state, -50000, 50000);
}
BENCHMARK(BM_DrawLineFarOutside);

void BM_OpeningFrame(benchmark::State& state) {
    headless::Reset();
    InitMedia(640, 480);
    ScreenFrames = 100;
    for (auto _ : state) {
        OpeningScreen();
        ScreenFrames = 100;  // stay in the opening, fully lit
    }
}
BENCHMARK(BM_OpeningFrame)->Unit(benchmark::kMicrosecond);

void BM_SixTextLines(benchmark::State& state) {
    headless::Reset();
    InitMedia(640, 480);
    for (auto _ : state) {
        BeginText(20);
        for (int line = 0; line < 6; ++line) {
            DrawText(40, 40 + 24 * line, "LAP1    12.34[s]  TOTAL 56.78[s]", 0x00FFFFFF);
        }
        EndText();
    }
}
BENCHMARK(BM_SixTextLines)->Unit(benchmark::kMicrosecond);

}  // namespace
