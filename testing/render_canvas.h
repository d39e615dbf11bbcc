// A real 8-bit frame to draw the wireframe models into, with the camera placed by the test.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/trig_tables.h"
#include "render/camera_state.h"
#include "render/frame_buffer.h"

class RenderCanvas : public ::testing::Test {
  protected:
    static constexpr int kPitch = 672;
    static constexpr uint8_t kBackground = 10;

    void SetUp() override {
        BuildTrigTables();
        Clear();
        FrameBits = pixels_.data();
        FramePitch = kPitch;
        PlaceCamera(0, 0, 0, 0, 0, 0);
    }
    void TearDown() override { FrameBits = nullptr; }

    void Clear() { pixels_.assign(kPitch * 480, kBackground); }

    static void PlaceCamera(double x, double y, double z, int32_t heading, int32_t pitch,
                            int32_t roll) {
        CameraX = float(x), CameraY = float(y), CameraZ = float(z);
        CameraHeading = heading, CameraPitch = pitch, CameraRoll = roll;
    }

    uint8_t At(int x, int y) const { return pixels_[y * kPitch + x]; }

    // True when the colour is at (x, y) or one of its eight neighbours.
    bool Near(int x, int y, uint8_t colour) const {
        for (int py = std::max(y - 1, 0); py <= std::min(y + 1, 479); ++py)
            for (int px = std::max(x - 1, 0); px <= std::min(x + 1, 639); ++px)
                if (At(px, py) == colour) return true;
        return false;
    }

    int Count(uint8_t colour) const {
        int n = 0;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) n += At(x, y) == colour;
        return n;
    }

    int Drawn() const { return 640 * 480 - Count(kBackground); }

    std::vector<uint8_t> pixels_;
};
