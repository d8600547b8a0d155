#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <vector>

#include "compressor_editor_model.h"
#include "compressor_processor.h"

namespace {

using P = CompressorParameters;

CompressorSettings settingsWith(std::initializer_list<std::pair<int, float>> changes,
                                double rate = 44100.0) {
  P p;
  for (auto [index, value] : changes)
    p.values[index] = value;
  return computeCompressorSettings(p, rate);
}

struct Stereo {
  std::vector<float> left, right;
  explicit Stereo(std::size_t frames) : left(frames, 0.0f), right(frames, 0.0f) {}
};

Stereo run(CompressorProcessor &processor, const CompressorSettings &s, const Stereo &in,
           int block = 512) {
  Stereo out(in.left.size());
  const int frames = static_cast<int>(in.left.size());
  for (int at = 0; at < frames; at += block) {
    const int n = std::min(block, frames - at);
    processor.process(s, &in.left[at], &in.right[at], &out.left[at], &out.right[at], n);
  }
  return out;
}

// Bursts and steps of noise and tone, with quiet gaps, so that every branch of the detector and
// both knee segments are visited.
Stereo programme(std::size_t frames) {
  Stereo s(frames);
  std::uint32_t seed = 12345;
  for (std::size_t i = 0; i < frames; ++i) {
    seed = seed * 1664525u + 1013904223u;
    const double noise = (static_cast<double>(seed >> 8) / 8388608.0 - 1.0);
    const double level = std::pow(10.0, (static_cast<double>((i / 2000) % 9) * 6.0 - 50.0) / 20.0);
    const double tone = std::sin(0.0712 * static_cast<double>(i));
    s.left[i] = static_cast<float>(level * (0.7 * tone + 0.3 * noise));
    s.right[i] = static_cast<float>(level * (0.5 * noise - 0.4 * tone));
  }
  return s;
}

// The signal path written out frame by frame from its definition, with the C library's power
// and logarithm, to hold the loop and its fast kernels against.
Stereo referencePath(const CompressorSettings &s, const Stereo &in) {
  const SoftKnee knee = buildSoftKnee(s.slope, s.thresholdDb);
  const int length = s.delayLength;
  std::vector<double> lineL(length, 0.0), lineR(length, 0.0);
  int pos = 0;
  double rms = 0.0, meanSquare = 0.0, envelope = 0.0;
  TimeConstantPair active{0.0, 0.0};
  Stereo out(in.left.size());
  for (std::size_t i = 0; i < in.left.size(); ++i) {
    const double xL = in.left[i] + 1e-18, xR = in.right[i] + 1e-18;
    lineL[pos] = xL;
    lineR[pos] = xR;
    int read = pos - (length - 1);
    if (read < 0)
      read += length;
    const double dL = lineL[read], dR = lineR[read];
    const double t = s.lookAhead ? std::max(std::fabs(xL), std::fabs(xR))
                                 : std::max(std::fabs(dL), std::fabs(dR));
    const double previous = rms;
    meanSquare = s.rmsPair.input * t * t + s.rmsPair.state * meanSquare + 1e-18;
    rms = std::sqrt(meanSquare);
    if (++pos == length)
      pos = 0;
    if (rms > previous && envelope < rms)
      active = s.attackPair;
    else if (rms <= previous && envelope >= rms)
      active = s.releasePair;
    envelope = active.input * rms + active.state * envelope;
    const double q = envelope * s.thresholdInverse;
    double g = 1.0;
    if (!s.softKnee && envelope > s.thresholdGain) {
      g = std::pow(q, s.slope - 1.0);
    } else if (s.softKnee && envelope > s.kneeLow) {
      const double d = 20.0 * std::log10(envelope);
      const KneeSegment &k = knee.segments[envelope <= s.kneeHigh ? 1 : 2];
      g = std::pow(q, k.square * d * d + k.linear * d + k.offset);
    }
    out.left[i] = static_cast<float>(dL * g * s.outputGain);
    out.right[i] = static_cast<float>(dR * g * s.outputGain);
  }
  return out;
}

// Steps of a 32-bit float between two outputs.
std::int64_t floatSteps(float a, float b) {
  const auto ordered = [](float f) {
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    const std::int64_t magnitude = bits & 0x7fffffffu;
    return bits >> 31 ? -magnitude : magnitude;
  };
  return std::llabs(ordered(a) - ordered(b));
}

TEST(CompressorProcessor, FollowsTheFrameByFrameDefinition) {
  const Stereo in = programme(60000);
  for (float type : {0.0f, 1.0f}) {
    for (float ahead : {0.0f, 1.0f}) {
      for (float attack : {0.0f, 0.05f}) {
        const CompressorSettings s = settingsWith({{P::type, type},
                                                   {P::ahead, ahead},
                                                   {P::attack, attack},
                                                   {P::release, 0.1f},
                                                   {P::threshold, 0.6f},
                                                   {P::ratio, 0.7f},
                                                   {P::level, 0.6f}});
        CompressorProcessor processor(s.delayLength);
        const Stereo out = run(processor, s, in, 300);
        const Stereo expected = referencePath(s, in);
        int differing = 0;
        for (std::size_t i = 0; i < in.left.size(); ++i) {
          for (auto [a, b] : {std::pair{out.left[i], expected.left[i]},
                              std::pair{out.right[i], expected.right[i]}}) {
            ASSERT_LE(floatSteps(a, b), 1) << "frame " << i << ": " << a << " vs " << b;
            differing += a != b;
          }
        }
        EXPECT_LT(differing, 60) << "type " << type << " ahead " << ahead;
      }
    }
  }
}

// Four lanes where the processor has AVX2, two elsewhere: the same bits either way, and the
// same for a block that is not a whole number of vectors.
TEST(CompressorProcessor, BothVectorWidthsGiveTheSameBits) {
  const Stereo in = programme(20000);
  for (float type : {0.0f, 1.0f}) {
    const CompressorSettings s = settingsWith({{P::type, type}, {P::ahead, 1.0f}});
    CompressorProcessor wide(s.delayLength), narrow(s.delayLength);
    narrow.useWideLanes(false);
    EXPECT_FALSE(narrow.usesWideLanes());
    const Stereo a = run(wide, s, in, 263), b = run(narrow, s, in, 263);
    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(a.right, b.right);
    EXPECT_EQ(wide.outputMeter(), narrow.outputMeter());
  }
  std::printf("vector passes here: %s\n",
              CompressorProcessor(221).usesWideLanes() ? "four lanes (AVX2)" : "two lanes");
}

// The detector's state against its definition, frame by frame, across changes of attack and
// release between blocks: weights taken under earlier settings stay until the level turns, and
// every value agrees to the bit at both vector widths.
TEST(CompressorProcessor, DetectorHoldsItsWeightsAcrossSettingsChanges) {
  const Stereo in = programme(24000);
  const CompressorSettings phases[] = {
      settingsWith({{P::ahead, 1.0f}, {P::attack, 0.05f}, {P::release, 0.1f}}),
      settingsWith({{P::ahead, 1.0f}, {P::attack, 0.6f}, {P::release, 0.02f}}),
      settingsWith({{P::ahead, 1.0f}, {P::attack, 0.0f}, {P::release, 0.9f}})};
  for (bool wide : {false, true}) {
    CompressorProcessor processor(phases[0].delayLength);
    processor.useWideLanes(wide);
    CompressorDetector expected;
    int keptAfterChange = 0;
    Stereo out(in.left.size());
    for (std::size_t at = 0, block = 0; at < in.left.size(); at += 1000, ++block) {
      const CompressorSettings &s = phases[block % 3];
      processor.process(s, &in.left[at], &in.right[at], &out.left[at], &out.right[at], 1000);
      for (std::size_t i = at; i < at + 1000; ++i) {
        const double l = in.left[i] + 1e-18, r = in.right[i] + 1e-18;
        const double t = std::max(std::fabs(l), std::fabs(r));
        const double previous = expected.rms;
        expected.meanSquare = s.rmsPair.apply(t * t, expected.meanSquare) + 1e-18;
        expected.rms = std::sqrt(expected.meanSquare);
        const bool attack = expected.rms > previous && expected.envelope < expected.rms;
        const bool release = expected.rms <= previous && expected.envelope >= expected.rms;
        if (attack)
          expected.activePair = s.attackPair;
        else if (release)
          expected.activePair = s.releasePair;
        else if (i == at && block > 0)
          ++keptAfterChange;
        expected.envelope = expected.activePair.apply(expected.rms, expected.envelope);
      }
      const CompressorDetector &d = processor.detector();
      ASSERT_EQ(d.meanSquare, expected.meanSquare) << wide << " block " << block;
      ASSERT_EQ(d.rms, expected.rms) << wide << " block " << block;
      ASSERT_EQ(d.envelope, expected.envelope) << wide << " block " << block;
      ASSERT_EQ(d.activePair.input, expected.activePair.input) << wide << " block " << block;
      ASSERT_EQ(d.activePair.state, expected.activePair.state) << wide << " block " << block;
    }
    // Some blocks began with the envelope between its turns, on the weights of the last phase.
    EXPECT_GT(keptAfterChange, 0);
  }
}

// However a host slices the audio, the frames and the meters come out the same.
TEST(CompressorProcessor, BlockSizeChangesNothing) {
  const Stereo in = programme(9000);
  const CompressorSettings s = settingsWith({{P::type, 1.0f}, {P::attack, 0.0f}});
  CompressorProcessor reference(s.delayLength);
  const Stereo expected = run(reference, s, in, 1);
  for (int block : {2, 3, 63, 64, 65, 512, 4096}) {
    CompressorProcessor processor(s.delayLength);
    const Stereo out = run(processor, s, in, block);
    EXPECT_EQ(out.left, expected.left) << block;
    EXPECT_EQ(out.right, expected.right) << block;
    EXPECT_EQ(processor.inputMeter(), reference.inputMeter()) << block;
    EXPECT_EQ(processor.outputMeter(), reference.outputMeter()) << block;
    EXPECT_EQ(processor.detector().envelope, reference.detector().envelope) << block;
  }
}

TEST(CompressorProcessor, SilenceComesOutAsTheDenormalGuardTimesTheGain) {
  const CompressorSettings s = settingsWith({{P::level, 0.75f}}); // +10 dB
  CompressorProcessor processor(s.delayLength);
  const Stereo out = run(processor, s, Stereo(2000));
  for (int i = s.delayLength; i < 2000; ++i) {
    EXPECT_NEAR(out.left[i], 1e-18 * std::sqrt(10.0), 1e-22);
    EXPECT_EQ(out.left[i], out.right[i]);
  }
  EXPECT_EQ(processor.compressing(), 0.0f);
}

TEST(CompressorProcessor, ZeroAttackEnvelopeIsTheRmsWhileTheLevelRises) {
  const CompressorSettings s = settingsWith({{P::attack, 0.0f}, {P::ahead, 1.0f}});
  CompressorProcessor processor(s.delayLength);
  float out[2];
  for (int i = 0; i < 500; ++i) {
    const float x = 0.001f * static_cast<float>(i);
    processor.process(s, &x, &x, &out[0], &out[1], 1);
    EXPECT_EQ(processor.detector().envelope, processor.detector().rms) << "frame " << i;
  }
}

// The detector hears the louder channel whatever its sign: a tone compresses alike in the left
// channel, the right one or both, upright or inverted; the meters see a negative over.
TEST(CompressorProcessor, ATonePannedOrInvertedCompressesAlike) {
  const CompressorSettings s =
      settingsWith({{P::ahead, 1.0f}, {P::threshold, 0.25f}, {P::ratio, 0.5f}});
  const double pi = std::acos(-1.0);
  const std::size_t frames = 8000;
  std::vector<float> tone(frames);
  for (std::size_t i = 0; i < frames; ++i)
    tone[i] =
        static_cast<float>(0.5 * std::sin(2.0 * pi * 441.0 * static_cast<double>(i) / 44100.0));
  const auto envelopeOf = [&](float left, float right) {
    Stereo in(frames);
    for (std::size_t i = 0; i < frames; ++i) {
      in.left[i] = left * tone[i];
      in.right[i] = right * tone[i];
    }
    CompressorProcessor processor(s.delayLength);
    run(processor, s, in);
    return processor.detector().envelope;
  };
  const double both = envelopeOf(1.0f, 1.0f);
  EXPECT_GT(both, s.thresholdGain) << "the tone is above the threshold";
  for (const auto &[left, right] :
       {std::pair{1.0f, 0.0f}, std::pair{0.0f, 1.0f}, std::pair{-1.0f, 0.0f},
        std::pair{0.0f, -1.0f}, std::pair{-1.0f, -1.0f}, std::pair{1.0f, -1.0f}})
    EXPECT_NEAR(envelopeOf(left, right) / both, 1.0, 1e-12)
        << "left " << left << " right " << right;

  const CompressorSettings plain = settingsWith({{P::threshold, 1.0f}, {P::level, 0.5f}});
  CompressorProcessor processor(plain.delayLength);
  Stereo in(3000);
  std::fill(in.left.begin(), in.left.end(), -1.5f);
  const Stereo out = run(processor, plain, in);
  EXPECT_LT(out.left[2999], -1.0f);
  EXPECT_NEAR(processor.inputMeter(), 1.5, 1e-9);
  EXPECT_GE(processor.outputMeter(), -out.left[2999]);
  const PanelMeterReadings shown = compressor_editor::meterReadings(
      processor.inputMeter(), processor.outputMeter(), processor.compressing(), plain.outputGain);
  EXPECT_TRUE(shown.input.over);
  EXPECT_TRUE(shown.output.over);
}

TEST(CompressorProcessor, LookAheadReducesGainBeforeTheLoudPartArrives) {
  Stereo in(2000);
  for (int i = 1000; i < 2000; ++i)
    in.left[i] = in.right[i] = 0.9f;
  const int firstLoudOut = 1000 + settingsWith({}).delayTap();
  float shown[2];
  for (float ahead : {0.0f, 1.0f}) {
    const CompressorSettings s = settingsWith({{P::ahead, ahead}, {P::attack, 0.0f}});
    CompressorProcessor processor(s.delayLength);
    shown[ahead > 0.0f] = run(processor, s, in).left[firstLoudOut];
  }
  EXPECT_FLOAT_EQ(shown[0], 0.9f) << "the detector hears the loud part when it comes out";
  EXPECT_LT(shown[1], 0.3f) << "the detector heard it a tap earlier";
}

TEST(CompressorProcessor, MeterPeaksRestartEveryWindowPlusOneFrames) {
  const CompressorSettings s = settingsWith({{P::level, 0.5f}});
  CompressorProcessor processor(s.delayLength);
  std::vector<double> shown;
  float out[2];
  for (int i = 0; i < 2 * (s.meterLength + 1) + 5; ++i) {
    const float x = i == 0 ? 0.5f : i == s.meterLength + 1 ? 0.25f : 0.0f;
    processor.process(s, &x, &x, &out[0], &out[1], 1);
    shown.push_back(processor.inputMeter());
  }
  const int window = s.meterLength + 1;
  EXPECT_NEAR(shown[0], 0.5, 1e-9);
  EXPECT_NEAR(shown[window - 1], 0.5, 1e-9) << "the peak holds through its window";
  EXPECT_NEAR(shown[window], 0.25, 1e-9) << "the next window starts afresh";
  EXPECT_NEAR(shown[2 * window - 1], 0.25, 1e-9);
  EXPECT_LT(shown[2 * window], 1e-17);
  EXPECT_NEAR(processor.outputMeter(), 1e-18, 1e-19);
}

// One bad sample from upstream must not poison the detector for the rest of the session.
TEST(CompressorProcessor, NonFiniteSamplesAreSilence) {
  const CompressorSettings s = settingsWith({{P::type, 1.0f}});
  Stereo clean = programme(8000);
  Stereo dirty = clean;
  const float bad[] = {std::numeric_limits<float>::quiet_NaN(),
                       std::numeric_limits<float>::infinity(),
                       -std::numeric_limits<float>::infinity()};
  for (int k = 0; k < 3; ++k) {
    clean.left[3000 + k] = clean.right[5000 + k] = 0.0f;
    dirty.left[3000 + k] = dirty.right[5000 + k] = bad[k];
  }
  CompressorProcessor a(s.delayLength), b(s.delayLength);
  const Stereo expected = run(a, s, clean);
  const Stereo out = run(b, s, dirty);
  EXPECT_EQ(out.left, expected.left);
  EXPECT_EQ(out.right, expected.right);
  EXPECT_EQ(b.inputMeter(), a.inputMeter());
}

// The expander at +20 dB lifts full-scale floats past what a float holds: they leave as the
// largest float of their sign, never as infinity, at both vector widths and for a lone frame.
TEST(CompressorProcessor, SamplesPastTheFloatRangeSaturate) {
  const float largest = std::numeric_limits<float>::max();
  const CompressorSettings s = settingsWith({{P::ratio, 0.0f}, {P::level, 1.0f}});
  Stereo in(1500);
  for (std::size_t i = 0; i < in.left.size(); ++i) {
    in.left[i] = i % 2 ? largest : -largest;
    in.right[i] = i % 3 ? 0.5f * largest : -largest;
  }
  for (bool wide : {false, true})
    for (int block : {512, 1}) {
      CompressorProcessor processor(s.delayLength);
      processor.useWideLanes(wide);
      const Stereo out = run(processor, s, in, block);
      for (std::size_t i = s.delayTap(); i < in.left.size(); ++i) {
        const std::size_t from = i - s.delayTap();
        ASSERT_EQ(out.left[i], std::copysign(largest, in.left[from])) << wide << " " << i;
        ASSERT_EQ(out.right[i], std::copysign(largest, in.right[from])) << wide << " " << i;
      }
      EXPECT_TRUE(std::isfinite(processor.outputMeter()));
    }
}

} // namespace
