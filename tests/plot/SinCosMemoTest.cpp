#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plot/FastMath.h"
#include "plot/SinCosMemo.h"

namespace {

void ExpectSameAsSinCosL(SinCosMemo& memo, std::size_t point, int call, long double x) {
    long double sine, cosine, expectedSine, expectedCosine;
    memo.SinCos(point, call, x, sine, cosine);
    SinCosL(x, expectedSine, expectedCosine);
    if (std::isnan(expectedSine)) {
        EXPECT_TRUE(std::isnan(sine) && std::isnan(cosine)) << static_cast<double>(x);
        return;
    }
    EXPECT_EQ(sine, expectedSine) << "point " << point << " call " << call << " x " << static_cast<double>(x);
    EXPECT_EQ(cosine, expectedCosine) << "point " << point << " call " << call << " x " << static_cast<double>(x);
    EXPECT_EQ(std::signbit(sine), std::signbit(expectedSine)) << static_cast<double>(x);
}

}  // namespace

TEST(SinCosMemo, GivesWhatSinCosLGivesWhateverWasAskedBefore) {
    SinCosMemo memo;
    memo.Reserve(3000);
    const long double step = 0.0087266462599716478846L;
    // A walk, the same walk again (taken from the memo), then a walk with its angles moved by
    // one unit in the last place: a memo that matched loosely would hand back the old values.
    for (long double shift : {0.0L, 0.0L, 1.0L}) {
        for (std::size_t point = 0; point < 3000; ++point) {
            const long double theta = -10 + point * step;
            ExpectSameAsSinCosL(memo, point, 0, shift == 0 ? theta : std::nextafter(theta, 100.0L));
            ExpectSameAsSinCosL(memo, point, 1, theta * 10 / 3);
        }
    }
    // The two calls of a point are kept apart.
    ExpectSameAsSinCosL(memo, 5, 1, 0.25L);
    ExpectSameAsSinCosL(memo, 5, 0, 0.5L);
    ExpectSameAsSinCosL(memo, 5, 1, 0.25L);
}

TEST(SinCosMemo, KeepsTheSignOfZeroAndNeverKeepsNaN) {
    SinCosMemo memo;
    memo.Reserve(3);
    ExpectSameAsSinCosL(memo, 0, 0, 0.0L);
    ExpectSameAsSinCosL(memo, 0, 0, -0.0L);  // equal to +0, but its sine is −0
    ExpectSameAsSinCosL(memo, 0, 0, 0.0L);
    const long double nan = std::numeric_limits<long double>::quiet_NaN();
    ExpectSameAsSinCosL(memo, 1, 0, nan);
    ExpectSameAsSinCosL(memo, 1, 0, nan);
    ExpectSameAsSinCosL(memo, 1, 0, 1.0L);
    const long double infinity = std::numeric_limits<long double>::infinity();
    ExpectSameAsSinCosL(memo, 2, 0, infinity);
    ExpectSameAsSinCosL(memo, 2, 0, infinity);
}

TEST(SinCosMemo, PointsAndCallsBeyondItsSizeAreComputed) {
    SinCosMemo memo;
    ExpectSameAsSinCosL(memo, 0, 0, 1.0L);  // nothing reserved yet
    ExpectSameAsSinCosL(memo, 0, 0, 2.0L);
    memo.Reserve(100);
    // New entries hold nothing that could pass for a result, not even for x = 0.
    ExpectSameAsSinCosL(memo, 99, 1, 0.0L);
    ExpectSameAsSinCosL(memo, 100, 0, 3.0L);
    ExpectSameAsSinCosL(memo, 100, 0, 4.0L);
    ExpectSameAsSinCosL(memo, 7, SinCosMemo::CallsPerPoint, 5.0L);
    ExpectSameAsSinCosL(memo, 7, SinCosMemo::CallsPerPoint, 6.0L);
    // Reserving keeps what is held, and never more than MaxPoints.
    ExpectSameAsSinCosL(memo, 50, 0, 7.0L);
    memo.Reserve(SinCosMemo::MaxPoints + 10);
    ExpectSameAsSinCosL(memo, 50, 0, 7.0L);
    ExpectSameAsSinCosL(memo, SinCosMemo::MaxPoints - 1, 1, 8.0L);
    ExpectSameAsSinCosL(memo, SinCosMemo::MaxPoints, 0, 9.0L);
    ExpectSameAsSinCosL(memo, SinCosMemo::MaxPoints, 0, 10.0L);
}
