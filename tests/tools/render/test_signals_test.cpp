#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>

#include "signal_math.h"
#include "test_signals.h"

namespace {

double toDb(double gain) { return 20.0 * std::log10(gain); }

double peakOf(const std::vector<double> &samples, std::size_t from = 0,
              std::size_t to = static_cast<std::size_t>(-1)) {
  double peak = 0.0;
  for (std::size_t i = from; i < std::min(to, samples.size()); ++i)
    peak = std::max(peak, std::abs(samples[i]));
  return peak;
}

// RMS of all channels over frames [from, to).
double rmsOf(const WavAudio &audio, std::size_t from, std::size_t to) {
  double sum = 0.0;
  for (std::size_t i = from * audio.channels; i < to * audio.channels; ++i)
    sum += audio.samples[i] * audio.samples[i];
  return std::sqrt(sum / static_cast<double>((to - from) * audio.channels));
}

// Sign changes of a mono signal in frames [from, to); zero counts as positive.
std::size_t crossingsOf(const WavAudio &audio, std::size_t from, std::size_t to) {
  std::size_t count = 0;
  for (std::size_t i = from + 1; i < to; ++i)
    count += (audio.samples[i - 1] < 0) != (audio.samples[i] < 0);
  return count;
}

// Time of the first upward zero crossing after `frame`, interpolated between samples.
double upwardCrossingAfter(const WavAudio &audio, std::size_t frame) {
  for (std::size_t i = frame + 1; i < audio.frames(); ++i) {
    const double a = audio.samples[i - 1], b = audio.samples[i];
    if (a < 0 && b >= 0)
      return (static_cast<double>(i - 1) + a / (a - b)) / audio.sampleRate;
  }
  return std::nan("");
}

// sin(2 pi cycles) for cycles of at most 28 significant bits, from the library's sine of an exact
// argument. 2 pi is split so that cycles times its head is exact; its tail enters through
// sin(a + b) = sin a + b cos a - b^2 / 2 sin a. (Long double would not do: 32-bit Windows rounds
// its products to double precision.)
double referenceSine(double cycles) {
  constexpr double kTwoPiHead = 0x1.921fb5p+2;
  constexpr double kTwoPiTail = 0x1.110b4611a6263p-24;
  const double a = cycles * kTwoPiHead, b = cycles * kTwoPiTail;
  return std::sin(a) + (b * std::cos(a) - 0.5 * b * b * std::sin(a));
}

// 64-bit FNV-1a over the bits of every sample.
std::uint64_t fingerprint(const WavAudio &audio) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (double sample : audio.samples) {
    std::uint64_t bits;
    std::memcpy(&bits, &sample, sizeof bits);
    for (int i = 0; i < 8; ++i) {
      hash ^= (bits >> (8 * i)) & 0xff;
      hash *= 0x100000001b3ULL;
    }
  }
  return hash;
}

} // namespace

TEST(SignalMath, SineOfCyclesMatchesTheLibrarySine) {
  double worst = 0.0;
  for (std::uint64_t i = 0; i <= 400000; ++i) {
    const double cycles = static_cast<double>(i * 104729 % (1 << 26)) * 0x1p-24 - 2.0;
    worst = std::max(worst, std::abs(signal_math::sineOfCycles(cycles) - referenceSine(cycles)));
  }
  EXPECT_LE(worst, 4e-16);
  // Near a zero the error stays relative, which a sine of 2 pi x rounded first could not give.
  for (int k = 8; k <= 48; ++k) {
    const double cycles = std::ldexp(1.375, -k); // few bits, so that 0.5 + cycles is exact
    const double reference = referenceSine(cycles);
    EXPECT_NEAR(signal_math::sineOfCycles(cycles), reference, 6e-16 * reference) << cycles;
    EXPECT_NEAR(signal_math::sineOfCycles(0.5 + cycles), -reference, 6e-16 * reference) << cycles;
  }
}

TEST(SignalMath, SineOfCyclesReducesExactly) {
  const double quarterValues[] = {0.0, 1.0, 0.0, -1.0};
  for (int n = -8; n <= 8; ++n)
    EXPECT_EQ(signal_math::sineOfCycles(n / 4.0), quarterValues[(n + 16) % 4]) << n;
  for (int j = 1; j < 1 << 20; j += 4099) {
    const double cycles = j * 0x1p-20;
    const double base = signal_math::sineOfCycles(cycles);
    EXPECT_EQ(signal_math::sineOfCycles(-cycles), -base) << cycles;
    for (double whole : {1.0, 7.0, 1000.0, 654321.0})
      EXPECT_EQ(signal_math::sineOfCycles(cycles + whole), base) << cycles << " + " << whole;
  }
}

TEST(SignalMath, WhiteNoiseIsUniformAndRepeatable) {
  signal_math::WhiteNoise noise(7), same(7), other(8);
  constexpr int kCount = 200000;
  double sum = 0.0, squares = 0.0, product = 0.0, low = 1.0, high = -1.0;
  for (int i = 0; i < kCount; ++i) {
    const double x = noise.next();
    ASSERT_EQ(same.next(), x);
    product += x * other.next();
    sum += x;
    squares += x * x;
    low = std::min(low, x);
    high = std::max(high, x);
  }
  EXPECT_GE(low, -1.0);
  EXPECT_LT(low, -0.999);
  EXPECT_LT(high, 1.0);
  EXPECT_GT(high, 0.999);
  EXPECT_NEAR(sum / kCount, 0.0, 0.005);
  EXPECT_NEAR(squares / kCount, 1.0 / 3.0, 0.005);
  EXPECT_NEAR(product / kCount, 0.0, 0.005) << "neighbouring seeds must not correlate";
}

TEST(TestSignals, ExampleMaterialHasItsNamesFormatsAndLengths) {
  struct Expected {
    const char *fileName;
    SampleFormat format;
    int channels;
    double seconds;
  };
  const Expected expected[] = {{"drum-and-bass.wav", SampleFormat::pcm24, 2, 16.0},
                               {"sine-sweep.wav", SampleFormat::float32, 1, 10.0},
                               {"step-tone.wav", SampleFormat::pcm16, 1, 10.0}};
  for (std::uint32_t rate : {44100u, 48000u}) {
    const std::vector<NamedSignal> material = exampleMaterial(rate);
    ASSERT_EQ(material.size(), std::size(expected));
    for (std::size_t i = 0; i < material.size(); ++i) {
      SCOPED_TRACE(material[i].fileName + " at " + std::to_string(rate));
      const WavAudio &audio = material[i].audio;
      EXPECT_EQ(material[i].fileName, expected[i].fileName);
      EXPECT_EQ(audio.format, expected[i].format);
      EXPECT_EQ(audio.channels, expected[i].channels);
      EXPECT_EQ(audio.sampleRate, rate);
      EXPECT_EQ(audio.frames(), static_cast<std::size_t>(expected[i].seconds * rate));
      EXPECT_EQ(audio.samples.size(), audio.frames() * audio.channels);
    }
  }
}

TEST(TestSignals, LengthsFollowDurationAndRate) {
  EXPECT_EQ(drumAndBassLoop(32000, 2.5).frames(), 80000u);
  EXPECT_EQ(sineSweep(22050, 0.5).frames(), 11025u);
  EXPECT_EQ(stepTone(96000, 1.25).frames(), 120000u);
  EXPECT_EQ(stepTone(8000, 0.0001).frames(), 1u);
  EXPECT_TRUE(drumAndBassLoop(44100, 0.0).samples.empty());
  EXPECT_TRUE(sineSweep(44100, -1.0).samples.empty());
  EXPECT_TRUE(stepTone(44100, std::nan("")).samples.empty());
}

TEST(TestSignals, EveryCallGivesTheSameSamples) {
  EXPECT_EQ(drumAndBassLoop(48000, 4.0).samples, drumAndBassLoop(48000, 4.0).samples);
  EXPECT_EQ(sineSweep(48000, 2.0).samples, sineSweep(48000, 2.0).samples);
  EXPECT_EQ(stepTone(48000, 2.0).samples, stepTone(48000, 2.0).samples);
}

// Recorded on x86_64 Linux. The Windows builds must reproduce them bit for bit; a deliberate change
// to the material means recording them again.
TEST(TestSignals, SameBitsOnEveryTarget) {
  const std::vector<NamedSignal> material = exampleMaterial(44100);
  ASSERT_EQ(material.size(), 3u);
  EXPECT_EQ(fingerprint(material[0].audio), 9542546940711716548ULL) << material[0].fileName;
  EXPECT_EQ(fingerprint(material[1].audio), 11462630048709729380ULL) << material[1].fileName;
  EXPECT_EQ(fingerprint(material[2].audio), 11034322931674533974ULL) << material[2].fileName;
}

TEST(TestSignals, MaterialSurvivesItsFileFormat) {
  for (const NamedSignal &signal : exampleMaterial(44100)) {
    SCOPED_TRACE(signal.fileName);
    WavAudio back;
    std::string error;
    ASSERT_TRUE(parseWav(encodeWav(signal.audio), back, error)) << error;
    EXPECT_EQ(back.format, signal.audio.format);
    EXPECT_EQ(back.channels, signal.audio.channels);
    EXPECT_EQ(back.sampleRate, signal.audio.sampleRate);
    EXPECT_EQ(back.samples, signal.audio.samples);
    EXPECT_LT(peakOf(back.samples), 1.0 - 1.0 / (1 << 15)) << "at or near the clipping point";
  }
}

TEST(DrumAndBassLoop, PeaksJustBelowFullScale) {
  const WavAudio loop = drumAndBassLoop(44100);
  const double peak = peakOf(loop.samples);
  EXPECT_GE(toDb(peak), -3.0);
  EXPECT_LE(toDb(peak), -0.5);
  EXPECT_LT(peak, 1.0);
  double difference = 0.0;
  for (std::size_t i = 0; i < loop.frames(); ++i)
    difference = std::max(difference, std::abs(loop.samples[2 * i] - loop.samples[2 * i + 1]));
  EXPECT_GT(toDb(difference), -40.0) << "the channels should differ";
}

TEST(DrumAndBassLoop, SectionsDifferInLevel) {
  const std::vector<LoopSection> sections = drumAndBassSections(16.0);
  ASSERT_EQ(sections.size(), 4u);
  const char *names[] = {"intro", "drop", "break", "second drop"};
  double previousEnd = 0.0;
  for (std::size_t i = 0; i < sections.size(); ++i) {
    EXPECT_EQ(sections[i].name, names[i]);
    EXPECT_EQ(sections[i].startSeconds, previousEnd);
    EXPECT_GE(sections[i].endSeconds - sections[i].startSeconds, 1.3) << "at least a bar";
    previousEnd = sections[i].endSeconds;
  }
  EXPECT_EQ(previousEnd, 16.0);

  const WavAudio loop = drumAndBassLoop(44100);
  double levelDb[4];
  for (std::size_t i = 0; i < sections.size(); ++i) {
    // Sounds started in the section before ring on for a moment.
    const auto from = static_cast<std::size_t>((sections[i].startSeconds + 0.5) * 44100);
    const auto to = static_cast<std::size_t>(sections[i].endSeconds * 44100);
    levelDb[i] = toDb(rmsOf(loop, from, to));
  }
  EXPECT_LT(levelDb[0], levelDb[1] - 8.0) << "a quiet intro";
  EXPECT_GT(levelDb[1], -20.0) << "a loud drop";
  EXPECT_LT(levelDb[2], levelDb[1] - 4.0) << "a break below the drop";
  EXPECT_GT(levelDb[2], levelDb[0]) << "a break above the intro";
  EXPECT_NEAR(levelDb[3], levelDb[1], 1.5) << "the drop again";
}

TEST(DrumAndBassLoop, BeatsAt174Bpm) {
  // The energy envelope of the first drop in 5 ms blocks repeats best after a whole number of
  // beats.
  const WavAudio loop = drumAndBassLoop(44100);
  const LoopSection drop = drumAndBassSections(16.0)[1];
  const std::size_t block = 220;
  std::vector<double> envelope;
  for (auto frame = static_cast<std::size_t>(drop.startSeconds * 44100);
       frame + block <= static_cast<std::size_t>(drop.endSeconds * 44100); frame += block)
    envelope.push_back(rmsOf(loop, frame, frame + block));
  double mean = 0.0;
  for (double x : envelope)
    mean += x / static_cast<double>(envelope.size());
  std::size_t bestLag = 0;
  double best = -1e300;
  for (std::size_t lag = 40; lag < 300; ++lag) { // 0.2 to 1.5 seconds
    double sum = 0.0;
    for (std::size_t i = 0; i + lag < envelope.size(); ++i)
      sum += (envelope[i] - mean) * (envelope[i + lag] - mean);
    sum /= static_cast<double>(envelope.size() - lag);
    if (sum > best) {
      best = sum;
      bestLag = lag;
    }
  }
  const double beats = bestLag * (block / 44100.0) / (60.0 / 174.0);
  EXPECT_NEAR(beats, std::round(beats), 0.03) << "best lag " << bestLag << " blocks";
}

TEST(SineSweep, HoldsMinus6DbfsBetweenSilentEnds) {
  const WavAudio sweep = sineSweep(44100);
  EXPECT_NEAR(toDb(peakOf(sweep.samples)), -6.0, 0.1);
  const std::size_t window = 22050;
  for (std::size_t from = 0; from < sweep.frames(); from += window)
    EXPECT_NEAR(toDb(peakOf(sweep.samples, from, from + window)), -6.0, 0.1) << from;
  EXPECT_EQ(sweep.samples.front(), 0.0);
  EXPECT_EQ(sweep.samples.back(), 0.0);
  EXPECT_LT(toDb(peakOf(sweep.samples, 0, 44)), -40.0) << "faded in";
}

TEST(SineSweep, RisesFrom20HzTo20kHzBelowNyquist) {
  for (std::uint32_t rate : {44100u, 48000u, 32000u}) {
    SCOPED_TRACE(rate);
    const WavAudio sweep = sineSweep(rate);
    const std::size_t window = rate / 2;
    std::size_t previous = 0;
    for (std::size_t from = 0; from + window <= sweep.frames(); from += window) {
      const std::size_t count = crossingsOf(sweep, from, from + window);
      EXPECT_GT(count, previous) << "window from frame " << from;
      previous = count;
    }
    // It starts on a rising zero crossing, so the next one ends its first cycle.
    EXPECT_NEAR(1.0 / upwardCrossingAfter(sweep, 0), 20.0, 0.6);
    // In 10 ms windows over the last half second the frequency is highest at the end: a sweep past
    // the Nyquist frequency would fold back down.
    const std::size_t tail = rate / 100;
    double highest = 0.0, last = 0.0;
    for (std::size_t from = sweep.frames() - 50 * tail; from < sweep.frames(); from += tail) {
      last = crossingsOf(sweep, from, from + tail) / 2.0 * 100.0;
      highest = std::max(highest, last);
    }
    EXPECT_GE(last, highest - 100.0);
    EXPECT_LT(last, rate / 2.0);
    if (rate >= 44100)
      EXPECT_NEAR(last, 20000.0, 600.0);
    else
      EXPECT_GT(last, 0.8 * rate / 2.0);
  }
}

TEST(StepTone, StepsHoldTheirPlannedLevels) {
  const WavAudio tone = stepTone(44100);
  const std::size_t steps = std::size(kStepToneLevelsDb);
  const std::size_t frames = tone.frames();
  for (std::size_t step = 0; step < steps; ++step) {
    // A sine's RMS lies 3.01 dB under its peak.
    const double level =
        toDb(rmsOf(tone, step * frames / steps, (step + 1) * frames / steps) * std::sqrt(2.0));
    EXPECT_NEAR(level, kStepToneLevelsDb[step], 0.1) << "step " << step;
  }
  EXPECT_NEAR(crossingsOf(tone, 0, frames) / 2.0 / 10.0, 1000.0, 0.2) << "a 1 kHz tone";
}
