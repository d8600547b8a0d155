#include <gtest/gtest.h>

#include "soft_knee.h"

namespace {

// The rise of the curve across a segment: the integral of its slope polynomial.
double rise(const KneeSegment &s, double from, double to) {
  const auto antiderivative = [&](double d) {
    return s.square * d * d * d / 3.0 + s.linear * d * d / 2.0 + s.constant * d;
  };
  return antiderivative(to) - antiderivative(from);
}

TEST(SoftKnee, FourToOneAtMinusTwentyDecibels) {
  const SoftKnee knee = buildSoftKnee(0.25, -20.0);
  const double levels[] = {-70.0, -40.0, 0.0, 30.0};
  const double outputs[] = {-70.0, -40.0, -15.0, -7.5};
  for (int k = 0; k < 4; ++k) {
    EXPECT_DOUBLE_EQ(knee.knotLevel[k], levels[k]);
    EXPECT_DOUBLE_EQ(knee.knotOutput[k], outputs[k]);
  }
  const KneeSegment *s = knee.segments;
  EXPECT_NEAR(s[0].slopeAt(-70.0), 1.0, 1e-12);
  EXPECT_NEAR(s[1].slopeAt(-40.0), 0.898, 5e-4);
  EXPECT_NEAR(s[1].slopeAt(-20.0), 0.625, 1e-12);
  EXPECT_NEAR(s[2].slopeAt(0.0), 0.352, 5e-4);
  EXPECT_NEAR(s[2].slopeAt(30.0), 0.25, 1e-12);
  for (int k = 0; k < 3; ++k)
    EXPECT_DOUBLE_EQ(s[k].offset, s[k].constant - 1.0);
}

// For every threshold and ratio the parameters reach: a smooth curve through its knots, leaving
// the unity line at slope 1 and joining the ratio line at its slope.
TEST(SoftKnee, ClampedSplineThroughTheKnotsForEverySetting) {
  for (double t = -40.0; t <= 0.0; t += 2.5) {
    for (double slope : {0.05, 0.125, 0.25, 0.5, 0.97, 1.0, 1.25}) {
      const SoftKnee knee = buildSoftKnee(slope, t);
      const KneeSegment *s = knee.segments;
      const double *x = knee.knotLevel;
      SCOPED_TRACE(testing::Message() << "threshold " << t << " slope " << slope);
      EXPECT_NEAR(s[0].slopeAt(x[0]), 1.0, 1e-9);
      EXPECT_NEAR(s[2].slopeAt(x[3]), slope, 1e-9);
      for (int k = 1; k < 3; ++k)
        EXPECT_NEAR(s[k - 1].slopeAt(x[k]), s[k].slopeAt(x[k]), 1e-9);
      for (int k = 0; k < 3; ++k) {
        EXPECT_LT(x[k], x[k + 1]);
        EXPECT_NEAR(rise(s[k], x[k], x[k + 1]), knee.knotOutput[k + 1] - knee.knotOutput[k], 1e-9);
      }
    }
  }
}

} // namespace
