// Line walk and clipper of the wireframe renderer, drawn into a real buffer.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>
#include <utility>
#include <vector>

#include "render/frame_buffer.h"

namespace {

using Pixel = std::pair<int, int>;

constexpr int kPitch = 1024;
constexpr uint8_t kBackground = 0xEE;
constexpr uint8_t kInk = 7;

class LineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        buffer_.assign(kPitch * 480, kBackground);
        FrameBits = buffer_.data();
        FramePitch = kPitch;
        DrawColour = kInk;
    }
    void TearDown() override { FrameBits = nullptr; }

    std::set<Pixel> Inked() const {
        std::set<Pixel> pixels;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x)
                if (buffer_[y * kPitch + x] == kInk) pixels.insert({x, y});
        return pixels;
    }

    std::vector<uint8_t> buffer_;
};

std::set<Pixel> Row(int y, int x0, int x1) {
    std::set<Pixel> pixels;
    for (int x = x0; x <= x1; ++x) pixels.insert({x, y});
    return pixels;
}

TEST_F(LineTest, WalkStepsTheMinorAxisAQuarterPixelEarly) {
    DrawLine(0, 0, 10, 1);
    std::set<Pixel> expected = Row(0, 0, 2);
    for (Pixel p : Row(1, 3, 10)) expected.insert(p);
    EXPECT_EQ(Inked(), expected);

    SetUp();
    DrawLine(0, 0, 1, 10);
    expected = {{0, 0}, {0, 1}, {0, 2}};
    for (int y = 3; y <= 10; ++y) expected.insert({1, y});
    EXPECT_EQ(Inked(), expected);
}

TEST_F(LineTest, DiagonalsAndPointsAndDirection) {
    DrawLine(20, 20, 20, 20);
    EXPECT_EQ(Inked(), (std::set<Pixel>{{20, 20}}));

    SetUp();
    DrawLine(0, 0, 5, 5);
    EXPECT_EQ(Inked(), (std::set<Pixel>{{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}}));

    // Given bottom-to-top or top-to-bottom, the same pixels.
    SetUp();
    DrawLine(300, 400, 17, 33);
    const std::set<Pixel> upward = Inked();
    SetUp();
    DrawLine(17, 33, 300, 400);
    EXPECT_EQ(Inked(), upward);
    EXPECT_EQ(upward.size(), 368u);  // max(283, 367) + 1
}

TEST_F(LineTest, ClippedHorizontalAndVerticalLinesShiftByTheZeroGuard) {
    DrawLine(-50, 100, 700, 100);
    EXPECT_EQ(Inked(), Row(99, 0, 639));

    SetUp();
    DrawLine(10, -30, 10, 600);
    std::set<Pixel> column;
    for (int y = 0; y <= 479; ++y) column.insert({9, y});
    EXPECT_EQ(Inked(), column);

    SetUp();
    DrawLine(5, 100, 600, 100);
    EXPECT_EQ(Inked(), Row(100, 5, 600));
}

TEST_F(LineTest, SegmentsWhollyOutsideArePulledOntoTheBorder) {
    DrawLine(100, -50, 300, -20);
    EXPECT_EQ(Inked(), (std::set<Pixel>{{433, 0}}));

    SetUp();
    DrawLine(-100, 50, 50, -100);
    EXPECT_EQ(Inked(), (std::set<Pixel>{{0, 0}}));

    SetUp();
    DrawLine(100, 500, 300, 520);
    ASSERT_EQ(Inked().size(), 1u);
    EXPECT_EQ(Inked().begin()->second, 479);

    SetUp();
    DrawLine(700, 10, 800, 300);
    ASSERT_EQ(Inked().size(), 1u);
    EXPECT_EQ(Inked().begin()->first, 639);
}

TEST_F(LineTest, EdgesAreInclusiveAndNothingLeavesTheFrame) {
    DrawLine(600, 479, 639, 479);
    EXPECT_EQ(Inked(), Row(479, 600, 639));

    // Far-away, huge and non-finite ends: no write outside 640x480, none past the row's end.
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double ends[][4] = {
        {-1e9, -1e9, 1e9, 1e9},        {1e300, 5, -1e300, 7}, {-3e9, 240, 3e9, 241},
        {320, -1e18, 321, 1e18},       {inf, 10, 20, 30},     {nan, 10, 20, 30},
        {1e308, 1e308, -1e308, -1e308}};
    for (const auto& e : ends) DrawLine(e[0], e[1], e[2], e[3]);
    for (int y = 0; y < 480; ++y)
        for (int x = 640; x < kPitch; ++x) ASSERT_EQ(buffer_[y * kPitch + x], kBackground);
}

TEST_F(LineTest, BorderBlackensTheOutermostRowsAndColumns) {
    DrawFrameBorder();
    EXPECT_EQ(DrawColour, 0);
    int black = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const bool edge = x == 0 || y == 0 || x == 639 || y == 479;
            ASSERT_EQ(buffer_[y * kPitch + x] == 0, edge) << x << "," << y;
            black += edge;
        }
    EXPECT_EQ(black, 2 * 640 + 2 * 478);
}

TEST_F(LineTest, NothingIsWrittenWithoutALockedFrame) {
    FrameBits = nullptr;
    DrawLine(0, 0, 639, 479);
    DrawFrameBorder();
    FrameBits = buffer_.data();
    EXPECT_TRUE(Inked().empty());
    EXPECT_EQ(buffer_[0], kBackground);
}

}  // namespace
