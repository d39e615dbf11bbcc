// Line walk and clipper of the wireframe renderer, drawn into a real buffer.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <set>
#include <utility>
#include <vector>

#include "render/frame_buffer.h"

namespace {

using Pixels = std::set<std::pair<int, int>>;

constexpr int kPitch = 1024;
constexpr uint8_t kBackground = 0xEE;
constexpr uint8_t kInk = 7;

// The pixels from (x0, y0) to (x1, y1), both inclusive.
Pixels Box(int x0, int y0, int x1, int y1) {
    Pixels pixels;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) pixels.insert({x, y});
    return pixels;
}
Pixels operator+(Pixels a, const Pixels& b) {
    a.insert(b.begin(), b.end());
    return a;
}

class LineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        buffer_.assign(kPitch * 480, kBackground);
        FrameBits = buffer_.data();
        FramePitch = kPitch;
        DrawColour = kInk;
    }
    void TearDown() override { FrameBits = nullptr; }

    Pixels Drawn(double x0, double y0, double x1, double y1) {
        SetUp();
        DrawLine(x0, y0, x1, y1);
        Pixels pixels;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                if (buffer_[y * kPitch + x] == kInk) pixels.insert({x, y});
        return pixels;
    }

    std::vector<uint8_t> buffer_;
};

// The walk steps the minor axis a quarter pixel early; clipped horizontal and vertical lines
// shift by the zero guard; segments wholly outside are pulled onto the border; the frame's
// edges are inclusive.
TEST_F(LineTest, DrawsTheGamesPixels) {
    const struct {
        double x0, y0, x1, y1;
        Pixels expected;
    } cases[] = {
        {0, 0, 10, 1, Box(0, 0, 2, 0) + Box(3, 1, 10, 1)},
        {0, 0, 1, 10, Box(0, 0, 0, 2) + Box(1, 3, 1, 10)},
        {20, 20, 20, 20, {{20, 20}}},
        {0, 0, 5, 5, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}}},
        {-50, 100, 700, 100, Box(0, 99, 639, 99)},
        {10, -30, 10, 600, Box(9, 0, 9, 479)},
        {5, 100, 600, 100, Box(5, 100, 600, 100)},
        {100, -50, 300, -20, {{433, 0}}},
        {-100, 50, 50, -100, {{0, 0}}},
        {600, 479, 639, 479, Box(600, 479, 639, 479)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Drawn(c.x0, c.y0, c.x1, c.y1), c.expected)
            << c.x0 << "," << c.y0 << " " << c.x1 << "," << c.y1;

    // Off the bottom or the right: one pixel on that edge.
    const Pixels below = Drawn(100, 500, 300, 520), right = Drawn(700, 10, 800, 300);
    ASSERT_EQ(below.size(), 1u);
    ASSERT_EQ(right.size(), 1u);
    EXPECT_EQ(below.begin()->second, 479);
    EXPECT_EQ(right.begin()->first, 639);

    // Given bottom-to-top or top-to-bottom, the same max(283, 367) + 1 pixels.
    const Pixels upward = Drawn(300, 400, 17, 33);
    EXPECT_EQ(Drawn(17, 33, 300, 400), upward);
    EXPECT_EQ(upward.size(), 368u);
}

// Far-away, huge and non-finite ends: no write outside 640x480, none past the row's end.
TEST_F(LineTest, NothingLeavesTheFrame) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double ends[][4] = {
        {-1e9, -1e9, 1e9, 1e9},        {1e300, 5, -1e300, 7}, {-3e9, 240, 3e9, 241},
        {320, -1e18, 321, 1e18},       {inf, 10, 20, 30},     {nan, 10, 20, 30},
        {1e308, 1e308, -1e308, -1e308}};
    for (const auto& e : ends) DrawLine(e[0], e[1], e[2], e[3]);
    for (int y = 0; y < 480; ++y)
        for (int x = 640; x < kPitch; ++x) ASSERT_EQ(buffer_[y * kPitch + x], kBackground);

    // Without a locked frame nothing is written at all.
    SetUp();
    FrameBits = nullptr;
    DrawLine(0, 0, 639, 479);
    DrawFrameBorder();
    EXPECT_EQ(std::count(buffer_.begin(), buffer_.end(), kBackground), kPitch * 480);
}

TEST_F(LineTest, BorderBlackensTheOutermostRowsAndColumns) {
    DrawFrameBorder();
    EXPECT_EQ(DrawColour, 0);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const bool edge = x == 0 || y == 0 || x == 639 || y == 479;
            ASSERT_EQ(buffer_[y * kPitch + x] == 0, edge) << x << "," << y;
        }
}

}  // namespace
