#include <gtest/gtest.h>

#include <cmath>

#include "level_summary.h"

namespace {

StereoBuffer sine(std::size_t frames, double amplitude) {
  StereoBuffer buffer;
  for (std::size_t i = 0; i < frames; ++i) {
    const float sample = static_cast<float>(amplitude * std::sin(0.05 * static_cast<double>(i)));
    buffer.left.push_back(sample);
    buffer.right.push_back(-sample);
  }
  return buffer;
}

TEST(LevelSummary, PeakAndRmsInDbfs) {
  const Levels levels = measureLevels(sine(48000, 0.5));
  EXPECT_NEAR(levels.peakDb, -6.02, 0.01);
  EXPECT_NEAR(levels.rmsDb, -9.03, 0.01);
  const Levels silence = measureLevels(sine(1000, 0.0));
  EXPECT_TRUE(std::isinf(silence.peakDb) && silence.peakDb < 0);
  EXPECT_EQ(decibelText(silence.rmsDb), "-inf");
  EXPECT_EQ(decibelText(-3.0), "-3.00");
}

// The output lags by `lag` frames and drops by 12 dB in its second half.
TEST(LevelSummary, GainComparesTheOutputWithTheInputItCameFrom) {
  const std::size_t frames = 48000;
  const int lag = 37;
  const StereoBuffer input = sine(frames, 0.5);
  StereoBuffer output;
  output.left.assign(frames + lag, 0.0f);
  output.right.assign(frames + lag, 0.0f);
  for (std::size_t i = 0; i < frames; ++i) {
    const float gain = i < frames / 2 ? 1.0f : 0.25f;
    output.left[i + lag] = input.left[i] * gain;
    output.right[i + lag] = input.right[i] * gain;
  }
  const GainRange range = measureGainRange(input, output, lag, 48000);
  EXPECT_NEAR(range.highestDb, 0.0, 1e-6);
  EXPECT_NEAR(range.lowestDb, -12.04, 0.01);
  EXPECT_NEAR(range.largestReductionDb(), 12.04, 0.01);

  // Make-up gain alone is no reduction.
  StereoBuffer louder = input;
  for (float &s : louder.left)
    s *= 2.0f;
  for (float &s : louder.right)
    s *= 2.0f;
  const GainRange madeUp = measureGainRange(input, louder, 0, 48000);
  EXPECT_NEAR(madeUp.lowestDb, 6.02, 0.01);
  EXPECT_NEAR(madeUp.largestReductionDb(), 0.0, 1e-9);

  // Input below -80 dBFS has nothing to compare.
  const GainRange quiet = measureGainRange(sine(frames, 1e-5), sine(frames, 0.0), 0, 48000);
  EXPECT_TRUE(std::isnan(quiet.lowestDb) && std::isnan(quiet.largestReductionDb()));
  EXPECT_EQ(decibelText(std::nan("")), "n/a");
}

} // namespace
