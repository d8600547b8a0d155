// The gain kernels against the C library of the build, over the range the gain computer feeds
// them: envelopes from the denormal floor to past the float range, and the exponents that knee,
// ratio and threshold make of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "gain_computer.h"

namespace {

double relativeError(double value, double reference) {
  return std::fabs(value - reference) / std::fabs(reference);
}

TEST(GainKernels, LogarithmAndExponentialMatchTheLibrary) {
  double worstLog = 0.0;
  double worstExp = 0.0;
  for (double x = 1e-9; x < 1e39; x *= 1.0000713)
    if (x != 1.0)
      worstLog = std::max(worstLog, relativeError(kernelLog(x), std::log(x)));
  for (double x = 0.5; x < 2.0; x += 3.1e-7) // where the logarithm is smallest
    if (x != 1.0)
      worstLog = std::max(worstLog, relativeError(kernelLog(x), std::log(x)));
  for (double y = -120.0; y < 120.0; y += 0.0002113)
    worstExp = std::max(worstExp, relativeError(kernelExp(y), std::exp(y)));
  std::printf("worst relative error: log %.3g, exp %.3g\n", worstLog, worstExp);
  EXPECT_LT(worstLog, 1e-15);
  EXPECT_LT(worstExp, 1e-15);
  EXPECT_EQ(kernelLog(1.0), 0.0);
  EXPECT_EQ(kernelExp(0.0), 1.0);
  EXPECT_GT(kernelExp(1000.0), 1e307) << "held within the normal range, never infinite";
  EXPECT_GT(kernelExp(-1000.0), 0.0);
}

// The whole gain against the library's pow of the envelope relative to the threshold: far below
// one step of a 32-bit float output, so that a step changes only rarely.
TEST(GainKernels, GainMatchesThePowerOfTheRelativeEnvelope) {
  double worst = 0.0;
  for (float threshold : {0.0f, 0.5f, 0.99f}) {
    for (float ratio : {0.0f, 0.5f, 1.0f}) {
      CompressorParameters p;
      p.values[CompressorParameters::threshold] = threshold;
      p.values[CompressorParameters::ratio] = ratio;
      const CompressorSettings s = computeCompressorSettings(p, 44100.0);
      for (double e = s.thresholdGain * 1.0000001; e < 1e38; e *= 1.00031) {
        const double reference = std::pow(e * s.thresholdInverse, s.hardExponent);
        worst = std::max(worst, relativeError(compressorGain(e, s).gain, reference));
      }
    }
  }
  std::printf("worst relative error of the gain: %.3g\n", worst);
  EXPECT_LT(worst, 1e-13);
}

} // namespace
