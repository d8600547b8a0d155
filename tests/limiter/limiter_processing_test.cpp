// The limiter's signal path seen through LimiterEffect: delay, detector, hold, release, knees,
// meters and resets.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "limiter_editor_model.h"
#include "limiter_test_signals.h"

namespace {

using P = LimiterParameters;

// Program 0 with the given changes: release 500 ms, ceiling -6 dB, level 0 dB, hard, Ahead off.
void configure(LimiterEffect &effect, std::initializer_list<std::pair<int, float>> changes) {
  effect.setProgram(0);
  for (const auto &[index, value] : changes)
    effect.setParameter(index, value);
}

TEST(LimiterProcessing, AnImpulseComesOutTheReportedDelayLaterWhateverAheadAndRate) {
  for (float rate : {44100.0f, 48000.0f}) {
    for (float ahead : {0.0f, 1.0f}) {
      LimiterEffect effect(nullptr);
      configure(effect, {{P::ceil, 1.0f}, {P::ahead, ahead}});
      effect.setSampleRate(rate == 44100.0f ? 48000.0f : 44100.0f);
      runLimiter(effect, Stereo(3000, 0.25f)); // earlier audio at another rate
      effect.setSampleRate(rate);
      const int tap = rate == 44100.0f ? 220 : 239;
      ASSERT_EQ(effect.getAeffect()->initialDelay, tap);
      Stereo in(1000);
      in.left[10] = 0.5f;
      in.right[10] = -0.5f;
      const Stereo out = runLimiter(effect, in, 64);
      for (int i = 0; i < 1000; ++i) {
        const bool pulse = i == 10 + tap;
        // A changed length starts the delay line empty: nothing of the earlier audio is left.
        EXPECT_EQ(out.left[i], pulse ? 0.5f : (i < tap ? 0.0f : 1e-18f)) << rate << " " << i;
        EXPECT_EQ(out.right[i], pulse ? -0.5f : (i < tap ? 0.0f : 1e-18f)) << rate << " " << i;
      }
    }
  }
}

TEST(LimiterProcessing, SilenceGivesTheDenormalGuardTimesTheCeiling) {
  LimiterEffect effect(nullptr); // program 0: ceiling -6 dB
  const Stereo out = runLimiter(effect, Stereo(2000));
  const float guard = static_cast<float>(1e-18 * std::pow(10.0, -6.0 / 20.0));
  for (int i = 0; i < 2000; ++i) {
    ASSERT_EQ(out.left[i], i < 220 ? 0.0f : guard) << i;
    ASSERT_EQ(out.right[i], out.left[i]) << i;
  }
  EXPECT_EQ(effect.limiting(), 0.0f);
}

TEST(LimiterProcessing, HardKneeHoldsAFullScaleSineAtMinus6dB) {
  LimiterEffect effect(nullptr); // program 0: hard knee, Ceil -6 dB, Level 0 dB
  const Stereo in = sine(22050, 1000.0, 1.0, 44100.0);
  const Stereo out = runLimiter(effect, in);
  const double ceiling = std::pow(10.0, -6.0 / 20.0);
  double peak = 0.0;
  for (int i = 300; i < 22050; ++i) {
    ASSERT_LE(std::fabs(out.left[i]), ceiling * (1.0 + 1e-6)) << i;
    peak = std::max(peak, static_cast<double>(std::fabs(out.left[i])));
  }
  EXPECT_NEAR(peak, 0.501, 0.001);
  EXPECT_EQ(effect.limiting(), 1.0f);
  EXPECT_NEAR(effect.outputMeter(), 0.501, 0.001);
  EXPECT_NEAR(effect.inputMeter(), 1.0, 0.001);
}

TEST(LimiterProcessing, SoftKneeSteadyLevelsAndTheSwitchAtHalf) {
  struct Row {
    double inDb, outDb;
    float lamp;
  };
  for (float type : {0.5f, 0.4999f}) {
    const bool soft = type >= 0.5f;
    for (const Row &row :
         {Row{1.0, soft ? 0.222 : 0.0, 1.0f}, Row{-1.0, soft ? -0.778 : -1.0, 0.0f},
          Row{3.0, 0.0, 1.0f}, Row{6.0, 0.0, 1.0f}}) {
      LimiterEffect effect(nullptr);
      configure(effect, {{P::ceil, 0.5f}, {P::type, type}});
      const double ceiling = std::pow(10.0, -6.0 / 20.0);
      const float level = static_cast<float>(ceiling * std::pow(10.0, row.inDb / 20.0));
      const Stereo out = runLimiter(effect, Stereo(2000, level));
      EXPECT_NEAR(20.0 * std::log10(out.left[1999] / ceiling), row.outDb, 1e-3)
          << "type " << type << " at " << row.inDb << " dB";
      EXPECT_EQ(effect.limiting(), row.lamp) << "type " << type << " at " << row.inDb << " dB";
    }
  }
}

// The detector and the meters hear the louder channel whatever its sign: a negative peak beside
// a quiet positive sample sets the gain of both channels and lights the input's over lamp.
TEST(LimiterProcessing, DetectorAndMetersTakeTheLouderChannelWhateverItsSign) {
  for (float ahead : {0.0f, 1.0f}) {
    LimiterEffect effect(nullptr);
    configure(effect, {{P::ceil, 0.0f}, {P::ahead, ahead}}); // ceiling -12 dB, about 0.251
    Stereo in(600);
    for (std::size_t i = 0; i < in.size(); ++i) {
      in.left[i] = -1.5f;
      in.right[i] = 0.1f;
    }
    const Stereo out = runLimiter(effect, in);
    const double ceiling = std::pow(10.0, -12.0 / 20.0);
    EXPECT_NEAR(out.left[599], -ceiling, 1e-6) << "ahead " << ahead;
    EXPECT_NEAR(out.right[599], 0.1 * ceiling / 1.5, 1e-6);
    EXPECT_EQ(effect.limiting(), 1.0f);
    EXPECT_EQ(effect.inputMeter(), 1.5);
    EXPECT_NEAR(effect.outputMeter(), ceiling, 1e-6);
    const PanelMeterReadings shown =
        limiter_editor::meterReadings(effect.inputMeter(), effect.outputMeter(), effect.limiting());
    EXPECT_TRUE(shown.input.over);
    EXPECT_FALSE(shown.output.over);
  }
}

TEST(LimiterProcessing, APeakIsHeldAtLeast25msThenReleasedWithTheReleaseTime) {
  for (float type : {0.0f, 1.0f}) {
    SCOPED_TRACE(type == 0.0f ? "hard knee" : "soft knee");
    LimiterEffect effect(nullptr);
    // Release 50 ms, ceiling -12 dB, +20 dB in, detector on the delayed signal.
    configure(effect, {{P::release, 0.0f}, {P::ceil, 0.0f}, {P::level, 1.0f}, {P::type, type}});
    const LimiterSettings s = effect.settings();
    const int burstEnd = 100; // input frames 0..99 at full scale, then a quiet probe
    const float probe = 0.001f;
    Stereo in(20000, probe);
    for (int i = 0; i < burstEnd; ++i)
      in.set(i, 1.0f);
    const Stereo out = runLimiter(effect, in);

    // The gain on the probe, from the output; below the ceiling it is 1.
    const double unity = static_cast<double>(probe) * s.inputGain;
    auto gainAt = [&](int i) { return out.left[i] / unity; };
    const double burstLevel = 1.0 * s.inputGain * s.ceilingInverse;
    const int lastLoudOut = burstEnd - 1 + s.delayTap();

    for (int i = lastLoudOut + 1; i <= lastLoudOut + s.historyLength; ++i)
      ASSERT_NEAR(gainAt(i), 1.0 / burstLevel, 1e-6 / burstLevel) << "held at " << i;
    int fall = lastLoudOut + 1;
    while (fall < 20000 && gainAt(fall) <= (1.0 + 1e-4) / burstLevel)
      ++fall;
    EXPECT_LE(fall, lastLoudOut + 2 * (s.historyLength + 1)) << "the hold must end";

    // 50 ms after the fall began, about 89 % of the way from the burst to the probe is covered.
    const double probeLevel = unity * s.ceilingInverse;
    const double envelope = 1.0 / gainAt(fall - 1 + 2205);
    EXPECT_NEAR((burstLevel - envelope) / (burstLevel - probeLevel), 1.0 - std::exp(-2.2), 2e-3);

    // Once the envelope is back under the ceiling (or 3 dB under it, for the soft knee) the probe
    // passes untouched.
    EXPECT_NEAR(gainAt(fall + 6000), 1.0, 1e-6);
    EXPECT_NEAR(gainAt(19999), 1.0, 1e-6);
    EXPECT_EQ(effect.limiting(), 0.0f);
  }
}

TEST(LimiterProcessing, MetersShowTheWindowPeakAndRestartEveryLengthPlusOneFrames) {
  LimiterEffect effect(nullptr); // 44100 Hz: meter window 1764
  Stereo in(1800, 0.1f);
  in.set(0, 0.5f);
  std::vector<double> inputs, outputs;
  for (int i = 0; i < 1800; ++i) {
    float *inputsPtr[2] = {&in.left[i], &in.right[i]};
    float outL, outR;
    float *outputsPtr[2] = {&outL, &outR};
    effect.processReplacing(inputsPtr, outputsPtr, 1);
    inputs.push_back(effect.inputMeter());
    outputs.push_back(effect.outputMeter());
  }
  EXPECT_EQ(inputs[0], 0.5);
  EXPECT_EQ(inputs[1763], 0.5);
  EXPECT_EQ(inputs[1764], 0.5) << "the last frame of the window still shows its peak";
  EXPECT_EQ(inputs[1765], static_cast<double>(0.1f)) << "a new window starts from nothing";
  EXPECT_NEAR(outputs[1764], 0.5, 1e-7) << "the pulse left the delay inside the first window";
  EXPECT_NEAR(outputs[1765], 0.1, 1e-7);

  effect.resume();
  EXPECT_EQ(effect.inputMeter(), 0.0) << "resume clears what an editor reads at once";
  EXPECT_EQ(effect.outputMeter(), 0.0);
  EXPECT_EQ(effect.limiting(), 0.0f);
}

TEST(LimiterProcessing, NonFiniteInputIsSilenceAndPoisonsNothing) {
  TestNoise noise(7);
  Stereo clean(6000), dirty(6000);
  for (int i = 0; i < 6000; ++i) {
    clean.left[i] = dirty.left[i] = static_cast<float>(noise.next());
    clean.right[i] = dirty.right[i] = static_cast<float>(noise.next());
  }
  const float bad[] = {NAN, INFINITY, -INFINITY};
  for (int i = 100; i < 6000; i += 397) {
    dirty.left[i] = bad[i % 3];
    dirty.right[i + 1] = bad[(i + 1) % 3];
    clean.left[i] = 0.0f;
    clean.right[i + 1] = 0.0f;
  }
  LimiterEffect a(nullptr), b(nullptr);
  configure(a, {{P::level, 1.0f}, {P::type, 1.0f}});
  configure(b, {{P::level, 1.0f}, {P::type, 1.0f}});
  const Stereo outDirty = runLimiter(a, dirty);
  const Stereo outClean = runLimiter(b, clean);
  for (int i = 0; i < 6000; ++i) {
    ASSERT_TRUE(std::isfinite(outDirty.left[i]) && std::isfinite(outDirty.right[i])) << i;
    ASSERT_EQ(outDirty.left[i], outClean.left[i]) << i;
    ASSERT_EQ(outDirty.right[i], outClean.right[i]) << i;
  }
  EXPECT_TRUE(std::isfinite(a.inputMeter()));
  EXPECT_EQ(a.outputMeter(), b.outputMeter());
}

// Samples written while the detector listened behind the delay line leave it unreduced once
// Ahead is on: at +20 dB full-scale ones lie past the float range, and they saturate.
TEST(LimiterProcessing, SamplesPastTheFloatRangeSaturate) {
  const float largest = std::numeric_limits<float>::max();
  LimiterEffect effect(nullptr);
  configure(effect, {{P::level, 1.0f}, {P::ceil, 1.0f}});
  Stereo loud(200);
  for (int i = 100; i < 200; ++i) {
    loud.left[i] = i % 2 ? largest : -largest;
    loud.right[i] = i % 3 ? 0.25f * largest : -largest;
  }
  runLimiter(effect, loud);
  effect.setParameter(P::ahead, 1.0f);
  const Stereo out = runLimiter(effect, Stereo(400));
  const int tap = effect.getAeffect()->initialDelay;
  for (int i = 100; i < 200; ++i) {
    ASSERT_EQ(out.left[i + tap - 200], std::copysign(largest, loud.left[i])) << i;
    ASSERT_EQ(out.right[i + tap - 200], std::copysign(largest, loud.right[i])) << i;
  }
  EXPECT_TRUE(std::isfinite(effect.outputMeter()));
}

TEST(LimiterProcessing, ResumeStartsTheSignalPathAfresh) {
  TestNoise noise(3);
  Stereo loud(5000), later(5000);
  for (int i = 0; i < 5000; ++i) {
    loud.set(i, static_cast<float>(noise.next()));
    later.set(i, static_cast<float>(0.3 * noise.next()));
  }
  LimiterEffect used(nullptr), fresh(nullptr);
  configure(used, {{P::level, 1.0f}, {P::ahead, 1.0f}});
  configure(fresh, {{P::level, 1.0f}, {P::ahead, 1.0f}});
  runLimiter(used, loud);
  used.resume();
  const Stereo a = runLimiter(used, later, 100);
  const Stereo b = runLimiter(fresh, later, 333);
  for (int i = 0; i < 5000; ++i)
    ASSERT_EQ(a.left[i], b.left[i]) << i;
}

// The signal path written out frame by frame from its definition, with the gain computers and
// the peak hold it uses; the processor runs it over blocks and must agree to the bit.
struct ReferenceLimiter {
  std::vector<double> lineL, lineR;
  PeakHold hold;
  int position = 0;
  TimeConstantPair active;
  double envelope = 0.0;
  MeterWindow meters;
  double shownInput = 0.0, shownOutput = 0.0;
  float lamp = 0.0f;

  explicit ReferenceLimiter(const LimiterSettings &s)
      : lineL(s.delayLength, 0.0), lineR(s.delayLength, 0.0), hold(s.historyLength) {
    hold.resize(s.historyLength);
    hold.restart();
  }

  void frame(const LimiterSettings &s, float inLeft, float inRight, float &outLeft,
             float &outRight) {
    const double xL = std::isfinite(inLeft) ? inLeft : 0.0;
    const double xR = std::isfinite(inRight) ? inRight : 0.0;
    const double sL = xL * s.inputGain * s.ceilingInverse + 1e-18;
    const double sR = xR * s.inputGain * s.ceilingInverse + 1e-18;
    const int length = s.delayLength;
    lineL[position] = sL;
    lineR[position] = sR;
    const int read = (position + 1) % length;
    const double dL = lineL[read], dR = lineR[read];
    position = read;
    const double tL = s.lookAhead ? sL : dL, tR = s.lookAhead ? sR : dR;
    const double previous = hold.peak();
    PeakHold::Cursor c = hold.cursor();
    const double peak = c.step(std::max(std::fabs(tL), std::fabs(tR)));
    hold.store(c);
    if (peak > previous) {
      if (envelope < peak)
        active = kImmediatePair;
    } else if (envelope >= peak) {
      active = s.releasePair;
    }
    envelope = active.apply(peak, envelope);
    const LimiterGain g =
        s.softKnee ? SoftKneeTable::instance().gain(envelope) : hardKneeGain(envelope);
    const double yL = g.gain * s.ceilingGain * dL, yR = g.gain * s.ceilingGain * dR;
    constexpr double largest = std::numeric_limits<float>::max();
    outLeft = static_cast<float>(std::clamp(yL, -largest, largest));
    outRight = static_cast<float>(std::clamp(yR, -largest, largest));
    lamp = g.limiting;
    meters.add(std::max(std::fabs(xL), std::fabs(xR)), std::max(std::fabs(yL), std::fabs(yR)),
               s.meterLength, shownInput, shownOutput);
  }
};

// At both vector widths, and with the release time changing between blocks: weights taken under
// earlier settings stay until the peak turns.
TEST(LimiterProcessing, BlocksAgreeBitForBitWithTheFrameByFrameDefinition) {
  // Loud and quiet passages of tone and noise, a few non-finite and huge samples among them.
  Stereo in(40000);
  TestNoise noise(99);
  for (std::size_t i = 0; i < in.size(); ++i) {
    // In the soft knee's bend below the ceiling, in it above the ceiling, far above, louder.
    const double levels[] = {0.05, 0.075, 0.9, 3.0};
    const double level = levels[(i / 3000) % 4];
    const double tone = std::sin(0.07 * static_cast<double>(i));
    in.left[i] = static_cast<float>(level * (0.8 * tone + 0.2 * noise.next()));
    in.right[i] = static_cast<float>(level * (0.3 * noise.next() - 0.7 * tone));
  }
  in.left[777] = std::numeric_limits<float>::quiet_NaN();
  in.right[5001] = std::numeric_limits<float>::infinity();
  // Late: the envelope takes long to come down from there, and every knee region comes first.
  in.left[38500] = std::numeric_limits<float>::max();
  int earlierWeightsKept = 0;
  for (bool wide : {false, true}) {
    for (float knee : {0.0f, 1.0f}) {
      for (float ahead : {0.0f, 1.0f}) {
        LimiterParameters parameters;
        parameters.values[P::type] = knee;
        parameters.values[P::ahead] = ahead;
        parameters.values[P::ceil] = 0.3f;
        parameters.values[P::level] = 0.9f;
        // 50 ms and 125 ms: the envelope falls through the soft knee's bend between passages.
        parameters.values[P::release] = 0.0f;
        const LimiterSettings first = computeLimiterSettings(parameters, 44100.0);
        parameters.values[P::release] = 0.2f;
        const LimiterSettings second = computeLimiterSettings(parameters, 44100.0);
        LimiterProcessor processor;
        processor.useWideLanes(wide);
        processor.follow(first);
        processor.reset();
        ReferenceLimiter reference(first);
        Stereo out(in.size()), expected(in.size());
        // Odd block sizes, longer and shorter than the processor's passes, and single frames.
        const int blocks[] = {1, 63, 64, 65, 500, 7, 129};
        for (std::size_t at = 0, k = 0; at < in.size(); ++k) {
          const LimiterSettings &s = (k / 5) % 2 ? second : first;
          const int n = static_cast<int>(std::min<std::size_t>(blocks[k % 7], in.size() - at));
          processor.process(s, &in.left[at], &in.right[at], &out.left[at], &out.right[at], n);
          for (int i = 0; i < n; ++i)
            reference.frame(s, in.left[at + i], in.right[at + i], expected.left[at + i],
                            expected.right[at + i]);
          const std::string where = std::to_string(wide) + std::to_string(knee) +
                                    std::to_string(ahead) + " at " + std::to_string(at);
          ASSERT_EQ(processor.inputMeter(), reference.shownInput) << where;
          ASSERT_EQ(processor.outputMeter(), reference.shownOutput) << where;
          ASSERT_EQ(processor.limiting(), reference.lamp) << where;
          ASSERT_EQ(processor.envelopeLevel(), reference.envelope) << where;
          const TimeConstantPair active = processor.envelopePair();
          ASSERT_EQ(active.input, reference.active.input) << where;
          ASSERT_EQ(active.state, reference.active.state) << where;
          if (active.input != kImmediatePair.input && active.input != s.releasePair.input)
            ++earlierWeightsKept;
          at += n;
        }
        for (std::size_t i = 0; i < in.size(); ++i) {
          ASSERT_EQ(out.left[i], expected.left[i]) << wide << knee << ahead << " frame " << i;
          ASSERT_EQ(out.right[i], expected.right[i]) << wide << knee << ahead << " frame " << i;
        }
      }
    }
  }
  EXPECT_GT(earlierWeightsKept, 0);
}

TEST(LimiterProcessing, InPlaceBuffersAndEmptyBlocks) {
  const Stereo in = sine(3000, 440.0, 0.9, 44100.0);
  LimiterEffect a(nullptr), b(nullptr);
  configure(a, {{P::level, 0.8f}});
  configure(b, {{P::level, 0.8f}});
  const Stereo expected = runLimiter(a, in);
  Stereo buffer = in;
  float *channels[2] = {buffer.left.data(), buffer.right.data()};
  b.processReplacing(channels, channels, 0);
  b.processReplacing(channels, channels, -5);
  b.process(channels, channels, 3000); // overwrites, as the replacing entry does
  EXPECT_EQ(buffer.left, expected.left);
  EXPECT_EQ(buffer.right, expected.right);
}

} // namespace
