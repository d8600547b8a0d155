#include <gtest/gtest.h>

#include <cmath>

#include "compressor_settings.h"
#include "gain_computer.h"

namespace {

using P = CompressorParameters;

CompressorSettings settingsWith(std::initializer_list<std::pair<int, float>> changes,
                                double rate = 44100.0) {
  P p; // program 0's values
  for (auto [index, value] : changes)
    p.values[index] = value;
  return computeCompressorSettings(p, rate);
}

double decibels(double gain) { return 20.0 * std::log10(gain); }
double amplitude(double decibels) { return std::pow(10.0, decibels / 20.0); }

double gainDb(const CompressorSettings &s, double envelopeDb) {
  return decibels(compressorGain(amplitude(envelopeDb), s).gain);
}

TEST(CompressorSettings, DefaultProgramInUnits) {
  const CompressorSettings s = settingsWith({});
  EXPECT_DOUBLE_EQ(s.attackMs, 100.0);
  EXPECT_NEAR(s.releaseMs, 500.0, 1e-9);
  EXPECT_DOUBLE_EQ(s.thresholdDb, -20.0);
  EXPECT_NEAR(s.slope, 0.25, 1e-15);
  EXPECT_DOUBLE_EQ(s.outputGain, 1.0);
  EXPECT_NEAR(s.thresholdGain, 0.1, 1e-16);
  EXPECT_NEAR(std::exp(s.logThresholdInverse), 10.0, 1e-14);
  EXPECT_NEAR(s.hardExponent, -0.75, 1e-15);
  EXPECT_FALSE(s.softKnee);
  EXPECT_FALSE(s.lookAhead);
  EXPECT_NEAR(s.releasePair.state, std::exp(-2.2 / (44100.0 * 0.5)), 1e-15);
  EXPECT_NEAR(s.rmsPair.state, std::exp(-2.2 / (44100.0 * 0.03)), 1e-15);
  EXPECT_NEAR(1.0 / settingsWith({{P::ratio, 0.0f}}).slope, 0.8, 1e-15);
  EXPECT_NEAR(1.0 / settingsWith({{P::ratio, 1.0f}}).slope, 20.0, 1e-12);
  EXPECT_NEAR(settingsWith({{P::level, 1.0f}}).outputGain, 10.0, 1e-14);
}

TEST(CompressorSettings, DelayAndMeterLengthsFollowTheRate) {
  const struct {
    double rate;
    int delay, meter;
  } cases[] = {{44100.0, 221, 1764}, {48000.0, 240, 1920}, {96000.0, 480, 3840}};
  for (const auto &c : cases) {
    const CompressorSettings s = settingsWith({}, c.rate);
    EXPECT_EQ(s.delayLength, c.delay);
    EXPECT_EQ(s.delayTap(), c.delay - 1);
    EXPECT_EQ(s.meterLength, c.meter);
  }
}

TEST(CompressorSettings, SwitchesTurnOnAtHalf) {
  EXPECT_TRUE(settingsWith({{P::type, 0.5f}}).softKnee);
  EXPECT_FALSE(settingsWith({{P::type, 0.4999f}}).softKnee);
  EXPECT_TRUE(settingsWith({{P::ahead, 0.5f}}).lookAhead);
  EXPECT_FALSE(settingsWith({{P::ahead, 0.4999f}}).lookAhead);
}

TEST(CompressorSettings, ZeroAttackJumpsToTheLevel) {
  const CompressorSettings s = settingsWith({{P::attack, 0.0f}});
  EXPECT_EQ(s.attackPair.input, 1.0);
  EXPECT_EQ(s.attackPair.state, 0.0);
  EXPECT_GT(settingsWith({{P::attack, 1e-6f}}).attackPair.state, 0.0);
}

// No stored value may make a time constant unstable or a gain infinite.
TEST(CompressorSettings, ValuesOutsideTheRangeAreClamped) {
  const CompressorSettings high = settingsWith({{P::attack, 5.0f},
                                                {P::release, 40.0f},
                                                {P::threshold, 3.0f},
                                                {P::ratio, 1e30f},
                                                {P::level, 1e9f}});
  EXPECT_DOUBLE_EQ(high.attackMs, 200.0);
  EXPECT_NEAR(high.releaseMs, 5000.0, 1e-9);
  EXPECT_DOUBLE_EQ(high.thresholdDb, 0.0);
  EXPECT_NEAR(high.slope, 0.05, 1e-15);
  EXPECT_NEAR(high.outputGainDb, 20.0, 1e-12);
  const CompressorSettings low = settingsWith({{P::attack, -1.0f},
                                               {P::release, -40.0f},
                                               {P::ratio, -2.0f},
                                               {P::level, -1e9f},
                                               {P::type, -1.0f}});
  EXPECT_EQ(low.attackPair.input, 1.0);
  EXPECT_NEAR(low.releaseMs, 50.0, 1e-12);
  EXPECT_NEAR(low.slope, 1.25, 1e-15);
  EXPECT_NEAR(low.outputGainDb, -20.0, 1e-12);
  EXPECT_FALSE(low.softKnee);
  EXPECT_TRUE(settingsWith({{P::type, 9.0f}}).softKnee);
}

TEST(GainComputer, HardKneeFourToOne) {
  const CompressorSettings s = settingsWith({});
  EXPECT_EQ(compressorGain(s.thresholdGain, s).gain, 1.0) << "exactly at the threshold";
  EXPECT_EQ(compressorGain(s.thresholdGain, s).compressing, 0.0f);
  EXPECT_EQ(compressorGain(amplitude(-30.0), s).gain, 1.0);
  EXPECT_NEAR(gainDb(s, -10.0), -7.5, 1e-9);
  EXPECT_NEAR(gainDb(s, 0.0), -15.0, 1e-9);
  EXPECT_EQ(compressorGain(amplitude(-10.0), s).compressing, 1.0f);
}

TEST(GainComputer, LowestRatioExpandsAboveTheThreshold) {
  const CompressorSettings s = settingsWith({{P::ratio, 0.0f}});
  EXPECT_NEAR(gainDb(s, -10.0), 2.5, 1e-9);
}

TEST(GainComputer, SoftKneeFourToOne) {
  const CompressorSettings s = settingsWith({{P::type, 1.0f}});
  EXPECT_EQ(compressorGain(s.kneeLow, s).gain, 1.0);
  EXPECT_EQ(compressorGain(amplitude(-50.0), s).gain, 1.0);
  EXPECT_NEAR(gainDb(s, -35.0), 2.5568, 1e-3);
  EXPECT_NEAR(gainDb(s, -20.0), 0.0, 1e-12);
  EXPECT_NEAR(gainDb(s, -10.0), -4.7727, 1e-3);
  EXPECT_NEAR(gainDb(s, 0.0), -12.9545, 1e-3);
  EXPECT_NEAR(gainDb(s, 10.0), -22.5, 1e-9);
  // Segment 3 takes over 3 dB above the threshold: the gain steps there.
  EXPECT_NEAR(gainDb(s, -17.02), -1.2386, 1e-3);
  EXPECT_NEAR(gainDb(s, -17.0 - 1e-9), -1.2477, 1e-3);
  EXPECT_NEAR(gainDb(s, -17.0 + 1e-9), -0.9522, 1e-3);
  EXPECT_NEAR(gainDb(s, -16.98), -0.9600, 1e-3);
  // The lamp lights from the threshold up, not where the knee begins.
  EXPECT_EQ(compressorGain(amplitude(-25.0), s).compressing, 0.0f);
  EXPECT_EQ(compressorGain(amplitude(-19.0), s).compressing, 1.0f);
  EXPECT_EQ(compressorGain(amplitude(5.0), s).compressing, 1.0f);
}

// Past the last knot the spline's slope polynomial would turn back up and drive the output to
// infinity; there the curve follows the ratio line.
TEST(GainComputer, SoftKneeFollowsTheRatioLineBeyondItsLastKnot) {
  for (float ratio : {0.0f, 0.5f, 1.0f}) {
    const CompressorSettings s = settingsWith({{P::type, 1.0f}, {P::ratio, ratio}});
    const double slopeLess1 = s.slope - 1.0;
    EXPECT_NEAR(gainDb(s, 30.0), slopeLess1 * 50.0, 1e-6);
    EXPECT_NEAR(gainDb(s, 120.0), slopeLess1 * 140.0, 1e-6);
    EXPECT_NEAR(gainDb(s, 770.0), slopeLess1 * 790.0, 1e-6);
  }
}

} // namespace
