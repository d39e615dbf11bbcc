// tidewake-view: draws the course scenery, the water, six buoys and the eight boats of a start
// grid into a PNG, from the chase camera at the grid or from any camera given on the command
// line. For looking at the wireframe world without running the game.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/trig_tables.h"
#include "media/palette.h"
#include "platform/common/png_file.h"
#include "platform/platform.h"
#include "render/camera_state.h"
#include "render/frame_buffer.h"
#include "testing/sample_start_grid.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

int Usage(const char* problem) {
    std::fprintf(stderr, "tidewake-view: %s\n", problem);
    std::fprintf(stderr,
                 "usage: tidewake-view OUT.png [X Y Z HEADING PITCH ROLL]\n"
                 "  without a camera: the chase camera at the start grid\n"
                 "  angles in tenths of a degree, 0..3599 (pitch 3500 looks 10 degrees down)\n");
    return 2;
}

bool ParseNumber(const char* text, double& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text, &end);
    return end != text && *end == '\0' && errno == 0;
}

bool ParseAngle(const char* text, int32_t& angle) {
    double value = 0;
    if (!ParseNumber(text, value) || value < 0 || value > 3599 || value != int32_t(value)) {
        return false;
    }
    angle = static_cast<int32_t>(value);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 8) return Usage("expected an output file and optionally a camera");
    const std::string out = argv[1];

    BuildTrigTables();
    sample_grid::Place();
    if (argc == 8) {
        double x = 0, y = 0, z = 0;
        if (!ParseNumber(argv[2], x) || !ParseNumber(argv[3], y) || !ParseNumber(argv[4], z)) {
            return Usage("camera position must be three numbers");
        }
        if (!ParseAngle(argv[5], CameraHeading) || !ParseAngle(argv[6], CameraPitch) ||
            !ParseAngle(argv[7], CameraRoll)) {
            return Usage("camera angles must be whole numbers from 0 to 3599");
        }
        CameraX = static_cast<float>(x);
        CameraY = static_cast<float>(y);
        CameraZ = static_cast<float>(z);
    }

    std::vector<uint8_t> frame(kWidth * kHeight, 0);
    FrameBits = frame.data();
    FramePitch = kWidth;
    sample_grid::Draw();
    DrawFrameBorder();
    FrameBits = nullptr;

    std::string error;
    if (!platform::WriteIndexedPng(out, frame.data(), kWidth, kWidth, kHeight, GamePalette.data(),
                                   error)) {
        std::fprintf(stderr, "tidewake-view: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
