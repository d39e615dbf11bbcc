// tidewake-icon OUT.png: draws the game's 64 x 64 desktop icon with the game's own line drawing
// and palette: a wireframe boat with its driver on the water grid, a red buoy beside it.
#include <cstdio>
#include <string>
#include <vector>

#include "media/display.h"
#include "media/palette.h"
#include "platform/common/png_file.h"
#include "render/frame_buffer.h"

namespace {

constexpr int kSide = 64;
constexpr int kWidth = 640;
constexpr int kHeight = 480;

struct Segment {
    int x1, y1, x2, y2;
};

void Draw(int32_t colour, const std::vector<Segment>& segments) {
    DrawColour = colour;
    for (const Segment& s : segments) DrawLine(s.x1, s.y1, s.x2, s.y2);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tidewake-icon OUT.png\n");
        return 2;
    }
    std::vector<uint8_t> frame(kWidth * kHeight, 4);  // the race's dark water
    DrawIntoBuffer(frame.data(), kWidth);

    // The water grid running away to the horizon.
    Draw(252, {{0, 40, 63, 40},
               {0, 46, 63, 46},
               {0, 54, 63, 54},
               {0, 63, 63, 63},
               {32, 36, 0, 50},
               {32, 36, 8, 63},
               {32, 36, 24, 63},
               {32, 36, 40, 63},
               {32, 36, 56, 63},
               {32, 36, 63, 50}});
    // The hull, its shadow and the driver with his square head.
    Draw(249, {{12, 50, 52, 50}, {52, 50, 46, 56}, {46, 56, 18, 56}, {18, 56, 12, 50}});
    Draw(255, {{10, 44, 54, 44},
               {54, 44, 46, 52},
               {46, 52, 18, 52},
               {18, 52, 10, 44},
               {32, 44, 32, 32},
               {22, 38, 42, 38},
               {32, 44, 24, 48},
               {32, 44, 40, 48},
               {24, 14, 40, 14},
               {40, 14, 40, 30},
               {40, 30, 24, 30},
               {24, 30, 24, 14},
               {28, 19, 28, 21},
               {36, 19, 36, 21},
               {28, 25, 36, 25}});
    // A checkpoint buoy with its flag.
    Draw(249, {{56, 16, 60, 34}, {56, 16, 52, 34}, {52, 34, 60, 34}});
    Draw(255, {{56, 16, 56, 4}, {56, 4, 48, 8}, {48, 8, 56, 12}, {50, 34, 62, 34}});

    std::string error;
    if (!platform::WriteIndexedPng(argv[1], frame.data(), kWidth, kSide, kSide, GamePalette.data(),
                                   error)) {
        std::fprintf(stderr, "tidewake-icon: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    return 0;
}
