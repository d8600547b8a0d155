#include "soft_knee.h"

namespace {

constexpr double kBottomLevel = -70.0;
constexpr double kTopLevel = 30.0;
constexpr double kKneeBelow = 20.0;
constexpr double kKneeAbove = 20.0;

// Second derivatives of the spline through (x, y) whose first derivative is `startSlope` at the
// first knot and `endSlope` at the last: the tridiagonal sweep of a clamped cubic spline.
void secondDerivatives(const double *x, const double *y, double startSlope, double endSlope,
                       double *m) {
  constexpr int n = SoftKnee::kKnots;
  double u[n];
  m[0] = -0.5;
  u[0] = (3.0 / (x[1] - x[0])) * ((y[1] - y[0]) / (x[1] - x[0]) - startSlope);
  for (int i = 1; i < n - 1; ++i) {
    const double sigma = (x[i] - x[i - 1]) / (x[i + 1] - x[i - 1]);
    const double p = sigma * m[i - 1] + 2.0;
    m[i] = (sigma - 1.0) / p;
    u[i] = (6.0 * ((y[i + 1] - y[i]) / (x[i + 1] - x[i]) - (y[i] - y[i - 1]) / (x[i] - x[i - 1])) /
                (x[i + 1] - x[i - 1]) -
            sigma * u[i - 1]) /
           p;
  }
  const double h = x[n - 1] - x[n - 2];
  const double un = (3.0 / h) * (endSlope - (y[n - 1] - y[n - 2]) / h);
  m[n - 1] = (un - 0.5 * u[n - 2]) / (0.5 * m[n - 2] + 1.0);
  for (int k = n - 2; k >= 0; --k)
    m[k] = m[k] * m[k + 1] + u[k];
}

// The derivative of the cubic between (x0, y0) and (x1, y1) with second derivatives m0, m1,
// multiplied out into powers of the input level.
KneeSegment slopePolynomial(double x0, double x1, double y0, double y1, double m0, double m1) {
  const double h = x1 - x0;
  KneeSegment s;
  s.square = (m1 - m0) / (2.0 * h);
  s.linear = (m0 * x1 - x0 * m1) / h;
  s.constant = -((x1 * x1 - 2.0 * x0 * x0 - 2.0 * x0 * x1) * m1 + 6.0 * (y0 - y1) +
                 (2.0 * x1 * x1 + 2.0 * x0 * x1 - x0 * x0) * m0) /
               (6.0 * h);
  s.offset = s.constant - 1.0;
  return s;
}

} // namespace

SoftKnee buildSoftKnee(double slope, double thresholdDb) {
  const double t = thresholdDb;
  // Above the threshold the knots lie on the ratio line through (t, t).
  const auto ratioLine = [&](double level) { return (1.0 - slope) * t + slope * level; };
  SoftKnee knee{{kBottomLevel, t - kKneeBelow, t + kKneeAbove, kTopLevel},
                {kBottomLevel, t - kKneeBelow, ratioLine(t + kKneeAbove), ratioLine(kTopLevel)},
                {}};
  double m[SoftKnee::kKnots];
  secondDerivatives(knee.knotLevel, knee.knotOutput, 1.0, slope, m);
  for (int k = 0; k < SoftKnee::kKnots - 1; ++k)
    knee.segments[k] = slopePolynomial(knee.knotLevel[k], knee.knotLevel[k + 1], knee.knotOutput[k],
                                       knee.knotOutput[k + 1], m[k], m[k + 1]);
  return knee;
}
