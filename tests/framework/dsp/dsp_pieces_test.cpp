#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

#include "dsp/peak_meters.h"
#include "dsp/sample_guards.h"
#include "dsp/settings_exchange.h"
#include "dsp/stereo_delay_line.h"
#include "dsp/time_constant_pair.h"

namespace {

TEST(TimeConstantPair, ReleaseWeightsAt44100) {
  EXPECT_NEAR(timeConstantPair(50.0, 44100.0).state, 0.9990028, 5e-8);
  EXPECT_NEAR(timeConstantPair(500.0, 44100.0).state, 0.9999002, 5e-8);
  EXPECT_NEAR(timeConstantPair(5000.0, 44100.0).state, 0.9999900, 5e-8);
  const TimeConstantPair pair = timeConstantPair(30.0, 48000.0);
  EXPECT_DOUBLE_EQ(pair.input + pair.state, 1.0);
  // After the time constant about 89 % of a step is covered.
  double y = 0.0;
  for (int i = 0; i < samplesFor(30.0, 48000.0); ++i)
    y = pair.apply(1.0, y);
  EXPECT_NEAR(y, 1.0 - std::exp(-2.2), 1e-3);
}

TEST(SampleGuards, NonFiniteSamplesAreSilence) {
  EXPECT_EQ(finiteOrSilence(NAN), 0.0);
  EXPECT_EQ(finiteOrSilence(INFINITY), 0.0);
  EXPECT_EQ(finiteOrSilence(-INFINITY), 0.0);
  EXPECT_EQ(finiteOrSilence(-0.5f), -0.5);
  EXPECT_EQ(finiteOrSilence(1e-40f), static_cast<double>(1e-40f));
}

TEST(SampleGuards, LouderChannelWhateverItsSign) {
  EXPECT_EQ(largerMagnitude(-0.9, 0.1), 0.9);
  EXPECT_EQ(largerMagnitude(0.3, -1.0), 1.0);
  EXPECT_EQ(largerMagnitude(-0.25, -0.5), 0.5);
  EXPECT_EQ(clampUnit(1.5f), 1.0);
  EXPECT_EQ(clampUnit(-2.0f), 0.0);
  EXPECT_EQ(clampUnit(0.25f), 0.25);
}

TEST(SampleGuards, SampleRatesAreIgnoredOrClamped) {
  for (float bad : {NAN, INFINITY, -INFINITY, 0.0f, -44100.0f})
    EXPECT_FALSE(supportedSampleRate(bad).has_value()) << bad;
  EXPECT_EQ(*supportedSampleRate(44100.0f), 44100.0);
  EXPECT_EQ(*supportedSampleRate(1.0f), kMinSampleRate);
  EXPECT_EQ(*supportedSampleRate(1e9f), kMaxSampleRate);
  EXPECT_EQ(samplesFor(5.0, 44100.0), 221);
  EXPECT_EQ(samplesFor(40.0, 44100.0), 1764);
  EXPECT_EQ(samplesFor(25.0, 44100.0), 1103);
  EXPECT_EQ(samplesFor(5.0, 96000.0), 480);
}

TEST(StereoDelayLine, OutputIsTheInputTapSamplesLater) {
  StereoDelayLine line(480);
  line.reset(221);
  EXPECT_EQ(line.tap(), 220);
  StereoDelayLine::Cursor c = line.cursor();
  std::vector<double> outLeft, outRight;
  for (int i = 0; i < 700; ++i) {
    double l, r;
    c.writeAndTap(i == 3 ? 1.0 : 0.0, i == 5 ? -1.0 : 0.0, l, r);
    outLeft.push_back(l);
    outRight.push_back(r);
  }
  line.store(c);
  for (int i = 0; i < 700; ++i) {
    EXPECT_EQ(outLeft[i], i == 223 ? 1.0 : 0.0) << i;
    EXPECT_EQ(outRight[i], i == 225 ? -1.0 : 0.0) << i;
  }
}

TEST(StereoDelayLine, ResetClearsAndKeepsTheLengthWithinCapacity) {
  StereoDelayLine line(100);
  line.reset(50);
  auto c = line.cursor();
  double l, r;
  for (int i = 0; i < 30; ++i)
    c.writeAndTap(1.0, 1.0, l, r);
  line.store(c);
  line.reset(1000);
  EXPECT_EQ(line.length(), 100);
  line.reset(0);
  EXPECT_EQ(line.length(), 1);
  EXPECT_EQ(line.tap(), 0);
  c = line.cursor();
  c.writeAndTap(0.25, 0.5, l, r);
  EXPECT_EQ(l, 0.25) << "a one-slot line passes the sample straight through";
  line.reset(60);
  c = line.cursor();
  for (int i = 0; i < 60; ++i) {
    c.writeAndTap(0.0, 0.0, l, r);
    EXPECT_EQ(l, 0.0) << "old content must be gone";
  }
}

TEST(MeterWindow, PeaksRestartAfterLengthPlusOneFrames) {
  MeterWindow window;
  double in = 0, out = 0;
  const int length = 4;
  window.add(0.5, 0.25, length, in, out);
  EXPECT_EQ(in, 0.5);
  EXPECT_EQ(out, 0.25);
  for (int i = 1; i < length; ++i) {
    window.add(0.1, 0.1, length, in, out);
    EXPECT_EQ(in, 0.5);
  }
  window.add(0.1, 0.1, length, in, out); // frame length + 1: shown, then restarted
  EXPECT_EQ(in, 0.5);
  window.add(0.1, 0.05, length, in, out);
  EXPECT_EQ(in, 0.1);
  EXPECT_EQ(out, 0.05);
}

// The largest value wherever it sits among the side-by-side lanes and the tail, for every count,
// and a block of frames shows what frame-by-frame adding shows, across window restarts.
TEST(MeterWindow, BlocksAndLargestAgreeWithFrameByFrame) {
  std::vector<double> values(23);
  for (int count = 0; count <= 23; ++count) {
    for (int at = 0; at < count; ++at) {
      for (int i = 0; i < count; ++i)
        values[i] = 0.01 * (i + 1);
      values[at] = 2.0 + at;
      ASSERT_EQ(largestOf<Lanes2>(values.data(), count, 0.5), 2.0 + at) << count << " " << at;
      ASSERT_EQ(largestOf<Lanes4>(values.data(), count, 0.5), 2.0 + at) << count << " " << at;
    }
    std::fill(values.begin(), values.end(), 8.5);
    ASSERT_EQ(largestOf<Lanes2>(values.data(), count, 9.0), 9.0) << count;
    ASSERT_EQ(largestOf<Lanes4>(values.data(), count, 9.0), 9.0) << count;
  }

  std::vector<double> in(1000), out(1000);
  for (int i = 0; i < 1000; ++i) {
    in[i] = std::fabs(std::sin(0.37 * i)) * (1 + i % 17);
    out[i] = std::fabs(std::cos(0.11 * i)) * (1 + i % 5);
  }
  for (int length : {0, 3, 40, 64, 250}) {
    MeterWindow framewise, blockwise;
    double fIn = 0, fOut = 0, bIn = 0, bOut = 0;
    for (int at = 0, n = 1; at < 1000; at += n, n = n % 70 + 13) {
      n = std::min(n, 1000 - at);
      for (int i = at; i < at + n; ++i)
        framewise.add(in[i], out[i], length, fIn, fOut);
      blockwise.addBlock(&in[at], &out[at], n, length, bIn, bOut);
      ASSERT_EQ(bIn, fIn) << length << " " << at;
      ASSERT_EQ(bOut, fOut) << length << " " << at;
      ASSERT_EQ(blockwise.count, framewise.count) << length << " " << at;
    }
  }
}

struct Wide {
  double values[16];
};

TEST(SettingsExchange, ReaderNeverSeesAMixOfTwoUpdates) {
  SettingsExchange<Wide> exchange(Wide{});
  std::atomic<bool> done{false};
  std::thread writer([&] {
    for (int n = 1; n <= 200000; ++n) {
      Wide w;
      for (double &v : w.values)
        v = n;
      exchange.publish(w);
    }
    done = true;
  });
  double last = 0;
  bool torn = false, backwards = false;
  while (!done.load()) {
    const Wide &w = exchange.acquire();
    for (double v : w.values)
      torn |= v != w.values[0];
    backwards |= w.values[0] < last;
    last = w.values[0];
  }
  writer.join();
  EXPECT_FALSE(torn);
  EXPECT_FALSE(backwards);
  EXPECT_EQ(exchange.acquire().values[15], 200000.0) << "the last value always arrives";
}

TEST(SettingsExchange, ResetRequestsAreConsumedOnce) {
  ResetRequest reset;
  EXPECT_FALSE(reset.consume());
  reset.request();
  reset.request();
  EXPECT_TRUE(reset.consume());
  EXPECT_FALSE(reset.consume());
}

} // namespace
