#include "base/arc_tangent.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "base/angles.h"

namespace {

TEST(ArcTangent, AxesZerosInfinitiesAndNotANumberFollowTheCLibrary) {
    const double inf = std::numeric_limits<double>::infinity();
    const double values[] = {0.0, -0.0, 1.0, -1.0, 3.5, -3.5, 1e-300, -1e300, inf, -inf};
    for (double y : values) {
        for (double x : values) {
            const double ours = ArcTangent(y, x), theirs = std::atan2(y, x);
            EXPECT_EQ(ours, theirs) << y << ", " << x;
            EXPECT_EQ(std::signbit(ours), std::signbit(theirs)) << y << ", " << x;
        }
    }
    EXPECT_TRUE(std::isnan(ArcTangent(std::nan(""), 1.0)));
    EXPECT_TRUE(std::isnan(ArcTangent(1.0, std::nan(""))));
}

// Values whose correctly rounded arc tangent (worked out with 300-bit arithmetic) the system's
// library misses by one ulp.
TEST(ArcTangent, IsCorrectlyRoundedWhereALibraryIsNot) {
    EXPECT_EQ(ArcTangent(11355.73876953125, 13669.427734375), 0x1.62ebdd8f26b9dp-1);
    EXPECT_EQ(ArcTangent(8519.9686279296875, 20907.532348632812), 0x1.8c3f91ad1d5e9p-2);
    EXPECT_EQ(ArcTangent(-1107.34521484375, 2475.77734375), -0x1.aead408ae1291p-2);
}

// Bearings between points of the fenced water, as the opponents and cameras take them: within one
// ulp of the system's library, and the same whole tenths of a degree.
TEST(ArcTangent, AgreesWithTheSystemLibraryOverTheWater) {
    uint32_t state = 1;
    auto coordinate = [&state] {
        state = state * 214013u + 2531011u;
        return float((state >> 8) % 2340000u) / 100.0f;
    };
    int differing = 0;
    constexpr int kSamples = 200000;
    for (int i = 0; i < kSamples; ++i) {
        const double dy = double(coordinate()) - double(coordinate());
        const double dx = double(coordinate()) - double(coordinate());
        const double ours = ArcTangent(dy, dx), theirs = std::atan2(dy, dx);
        if (ours != theirs) {
            ++differing;
            ASSERT_EQ(std::nextafter(theirs, ours), ours) << dy << ", " << dx;
        }
        const int32_t tenths = TruncateToInt(theirs * kRadiansToTenths);
        ASSERT_EQ(BearingOf(dy, dx), tenths < 0 ? tenths + kFullTurn : tenths) << dy << ", " << dx;
    }
    EXPECT_LT(differing, kSamples / 100);
}

}  // namespace
