// The pure pieces of the limiter: derived settings, the gain computer and the peak hold.
#include <gtest/gtest.h>

#include <cmath>

#include "limiter_gain.h"
#include "limiter_settings.h"
#include "limiter_test_signals.h"
#include "peak_hold.h"
#include "soft_knee_table.h"

namespace {

TEST(LimiterSettings, LengthsAndReleaseWeightsFollowTheRate) {
  struct Lengths {
    double rate;
    int delay, history, meter;
  };
  for (const Lengths &row :
       {Lengths{44100, 221, 1103, 1764}, Lengths{48000, 240, 1200, 1920},
        Lengths{96000, 480, 2400, 3840}, Lengths{kMaxSampleRate, 3840, 19200, 30720}}) {
    const LimiterSettings s = computeLimiterSettings(LimiterParameters{}, row.rate);
    EXPECT_EQ(s.delayTap(), row.delay - 1) << row.rate;
    EXPECT_EQ(s.historyLength, row.history) << row.rate;
    EXPECT_EQ(s.meterLength, row.meter) << row.rate;
  }
  struct Weights {
    float release;
    double weight;
  };
  for (const Weights &row :
       {Weights{0.0f, 0.9990028}, Weights{0.5f, 0.9999002}, Weights{1.0f, 0.9999900}}) {
    LimiterParameters p;
    p.values[LimiterParameters::release] = row.release;
    const TimeConstantPair pair = computeLimiterSettings(p, 44100.0).releasePair;
    EXPECT_NEAR(pair.state, row.weight, 5e-8) << row.release;
    EXPECT_DOUBLE_EQ(pair.input, 1.0 - pair.state);
  }
}

TEST(LimiterSettings, ValuesOutsideTheRangeAreClampedForProcessing) {
  LimiterParameters wild, edges;
  wild.values[LimiterParameters::release] = 3.0f;
  wild.values[LimiterParameters::ceil] = -1.0f;
  wild.values[LimiterParameters::level] = 25.0f;
  edges.values[LimiterParameters::release] = 1.0f;
  edges.values[LimiterParameters::ceil] = 0.0f;
  edges.values[LimiterParameters::level] = 1.0f;
  const LimiterSettings a = computeLimiterSettings(wild, 48000.0);
  const LimiterSettings b = computeLimiterSettings(edges, 48000.0);
  EXPECT_EQ(a.releasePair.state, b.releasePair.state);
  EXPECT_EQ(a.ceilingGain, b.ceilingGain);
  EXPECT_EQ(a.inputGain, b.inputGain);
}

// The level after the gain computer, in dB relative to the ceiling, for an envelope at `db`.
double kneeOutputDb(double db, bool softKnee, float *limiting = nullptr) {
  const double envelope = std::pow(10.0, db / 20.0);
  const LimiterGain g = softKnee ? softKneeGain(envelope) : hardKneeGain(envelope);
  if (limiting)
    *limiting = g.limiting;
  return 20.0 * std::log10(envelope * g.gain);
}

TEST(LimiterGain, KneesHoldTheCeilingAndLightOnlyAboveIt) {
  EXPECT_EQ(hardKneeGain(0.0).gain, 1.0) << "silence: unity gain";
  EXPECT_EQ(hardKneeGain(1.0).gain, 1.0) << "at the ceiling nothing is reduced";
  EXPECT_EQ(hardKneeGain(1.0).limiting, 0.0f);
  EXPECT_EQ(hardKneeGain(std::nextafter(1.0, 2.0)).limiting, 1.0f);
  EXPECT_EQ(hardKneeGain(4.0).gain, 0.25);
  EXPECT_EQ(softKneeGain(0.0).gain, 1.0);

  struct Row {
    double envelopeDb, hardDb, softDb;
    float lamp;
  };
  for (const Row &row :
       {Row{-10, -10, -10, 0}, Row{-3, -3, -3, 0}, Row{-2, -2, -1.889, 0}, Row{-1, -1, -0.778, 0},
        Row{0, 0, 0, 0}, Row{1, 0, 0.222, 1}, Row{2, 0, 0.111, 1}, Row{3, 0, 0, 1},
        Row{3.5, 0, 0, 1}, Row{20, 0, 0, 1}}) {
    float hardLamp = -1, softLamp = -1;
    EXPECT_NEAR(kneeOutputDb(row.envelopeDb, false, &hardLamp), row.hardDb, 1e-12);
    EXPECT_NEAR(kneeOutputDb(row.envelopeDb, true, &softLamp), row.softDb, 5e-4) << row.envelopeDb;
    EXPECT_EQ(hardLamp, row.lamp) << row.envelopeDb;
    EXPECT_EQ(softLamp, row.lamp) << row.envelopeDb;
  }
}

TEST(LimiterGain, SoftKneeIsContinuousAtMostTwoNinthsDbOverAndTabulatedFaithfully) {
  for (double db : {-3.0, 0.0, 3.0}) {
    const double at = std::pow(10.0, db / 20.0);
    EXPECT_NEAR(softKneeGain(at * (1 - 1e-12)).gain, softKneeGain(at * (1 + 1e-12)).gain, 1e-9);
  }
  const SoftKneeTable &table = SoftKneeTable::instance();
  double highest = -100.0, worstTableError = 0.0;
  for (double db = -4.0; db <= 4.0; db += 1.0 / 4096) {
    highest = std::max(highest, kneeOutputDb(db, true));
    const double envelope = std::pow(10.0, db / 20.0);
    const LimiterGain exact = softKneeGain(envelope);
    const LimiterGain tabulated = table.gain(envelope);
    worstTableError = std::max(worstTableError, std::fabs(tabulated.gain / exact.gain - 1.0));
    ASSERT_EQ(tabulated.limiting, exact.limiting) << db;
  }
  for (double edge : {kSoftKneeLow, 1.0, kSoftKneeHigh})
    for (double envelope : {std::nextafter(edge, 0.0), edge, std::nextafter(edge, 2.0)})
      worstTableError = std::max(
          worstTableError, std::fabs(table.gain(envelope).gain - softKneeGain(envelope).gain));
  EXPECT_LE(highest, 20.0 / 90.0 + 1e-9);
  EXPECT_GE(highest, 20.0 / 90.0 - 1e-6) << "2/9 dB, at 1 dB over the ceiling";
  EXPECT_LT(worstTableError, 2e-14) << "a 32-bit output step is 6e-8";
}

// Feeds `values` into a hold of `length` slots and returns the held peak after each.
std::vector<double> hold(int length, const std::vector<double> &values) {
  PeakHold h(64);
  h.resize(length);
  h.restart();
  PeakHold::Cursor c = h.cursor();
  std::vector<double> peaks;
  for (double v : values)
    peaks.push_back(c.step(v));
  return peaks;
}

TEST(PeakHold, NewMaximumAtOnceHeldForTheLengthThenTheLargestLeft) {
  // Length 4: the 5 is held for four more frames; then the largest of the last four (2) is taken.
  EXPECT_EQ(hold(4, {5, 1, 2, 1, 1, 0.5, 0.5, 0.5, 0.5, 0.25, 3}),
            (std::vector<double>{5, 5, 5, 5, 5, 2, 2, 2, 2, 2, 3}));
  EXPECT_EQ(hold(4, {1, 2, 3}), (std::vector<double>{1, 2, 3})) << "rises are taken at once";
}

TEST(PeakHold, NeverBelowAnyValueOfTheLastLengthFramesAndScansAtMostOncePerLengthPlusOne) {
  for (int length : {1, 3, 7, 13}) {
    TestNoise noise(static_cast<std::uint32_t>(length));
    std::vector<double> values;
    for (int i = 0; i < 3000; ++i) // loud bursts among quiet stretches: holds run out often
      values.push_back(std::fabs(noise.next()) * ((i / 40) % 3 == 0 ? 1.0 : 0.1));
    const std::vector<double> peaks = hold(length, values);
    int lastFall = -length - 1;
    for (int i = 0; i < static_cast<int>(values.size()); ++i) {
      for (int k = std::max(0, i - length + 1); k <= i; ++k)
        ASSERT_GE(peaks[i], values[k]) << "length " << length << " frame " << i;
      if (i > 0 && peaks[i] < peaks[i - 1]) {
        ASSERT_GE(i - lastFall, length + 1) << "length " << length << " frame " << i;
        lastFall = i;
      }
    }
  }
}

TEST(PeakHold, ANewLengthStartsEmptyAndKeepsTheCountdownInside) {
  PeakHold h(2000);
  h.resize(1000);
  h.restart();
  PeakHold::Cursor c = h.cursor();
  c.step(0.9);
  h.store(c);
  h.resize(10); // the countdown of 1000 would outlast the new history
  c = h.cursor();
  std::vector<double> peaks;
  for (int i = 0; i < 12; ++i)
    peaks.push_back(c.step(0.1));
  EXPECT_EQ(peaks.front(), 0.9);
  EXPECT_EQ(peaks.back(), 0.1) << "the old peak must be gone after the new length";
  h.resize(5000);
  EXPECT_EQ(h.length(), 2000) << "never beyond what was allocated";
}

} // namespace
