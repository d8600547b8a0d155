// An hour in a host's life for an effect: varied audio in blocks of varying size, parameters and
// programs changed at random every block (now and then out of range or not finite), a few sample
// rate changes and resumes. Also passages of a known order of loud and quiet. Deterministic for a
// seed; the same on every target whose maths library gives the same sines and powers.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "effect/effect_base.h"

namespace long_run {

// xorshift64*: small, fast, and the same sequence on every target (std:: distributions are not).
class Random {
public:
  explicit Random(std::uint64_t seed) : state(seed ? seed : 0x9e3779b97f4a7c15ULL) {}
  std::uint32_t next() {
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return static_cast<std::uint32_t>((state * 0x2545f4914f6cdd1dULL) >> 32);
  }
  // [0, 1)
  double uniform() { return next() * (1.0 / 4294967296.0); }
  // [0, n)
  int below(int n) { return static_cast<int>(uniform() * n); }
  double between(double low, double high) { return low + (high - low) * uniform(); }
  bool chance(double p) { return uniform() < p; }
  // A noise sample in [-1, 1).
  float noise() { return static_cast<float>(next() >> 8) * (1.0f / 8388608.0f) - 1.0f; }

private:
  std::uint64_t state;
};

inline double gainOf(double decibels) { return std::pow(10.0, decibels / 20.0); }

// A sine as a rotating phasor: two multiply-adds a sample.
struct Phasor {
  double c = 1.0, s = 0.0, rc = 1.0, rs = 0.0;

  void start(double cyclesPerSample, double phase) {
    const double twoPi = 6.283185307179586;
    c = std::cos(phase);
    s = std::sin(phase);
    rc = std::cos(twoPi * cyclesPerSample);
    rs = std::sin(twoPi * cyclesPerSample);
  }
  double step() {
    const double nc = c * rc - s * rs;
    s = c * rs + s * rc;
    c = nc;
    return s;
  }
  // Rounding makes the radius drift; once a block keeps it at 1.
  void renormalise() {
    const double r = 1.0 / std::sqrt(c * c + s * s);
    c *= r;
    s *= r;
  }
};

// Blocks of one character, for checks that need a known order of loud and quiet: loud cycles
// every 100 ms through full-scale noise, a full-scale square against its inverse, a 0 dBFS sine
// and noise at +12 dBFS; tiny draws the smallest values a host may send.
class Passage {
public:
  enum Character { loud, silence, tiny };

  explicit Passage(std::uint64_t seed, double sampleRate)
      : random(seed), segment(std::max(1, static_cast<int>(sampleRate * 0.1))) {
    sine.start(1000.0 / sampleRate, 0.0);
  }

  void fill(Character character, float *left, float *right, int frames) {
    for (int i = 0; i < frames; ++i) {
      switch (character) {
      case silence:
        left[i] = right[i] = 0.0f;
        break;
      case tiny:
        left[i] = tinyValue(random);
        right[i] = tinyValue(random);
        break;
      case loud:
        loudFrame(left[i], right[i]);
        break;
      }
    }
    sine.renormalise();
  }

  static float tinyValue(Random &random) {
    static const float values[] = {
        1e-30f,
        std::numeric_limits<float>::min(),
        std::numeric_limits<float>::denorm_min(),
        1e-40f,
        1e-18f,
        0.0f,
        -0.0f,
        static_cast<float>(-1e-18), // nearly cancels the guards added to every input sample
    };
    const float v = values[random.below(8)];
    return random.chance(0.5) ? v : -v;
  }

private:
  void loudFrame(float &left, float &right) {
    const int part = (count++ / segment) % 4;
    switch (part) {
    case 0:
      left = random.noise();
      right = random.noise();
      break;
    case 1:
      left = count / 50 % 2 ? 1.0f : -1.0f;
      right = -left;
      break;
    case 2:
      left = right = static_cast<float>(sine.step());
      break;
    default:
      left = 4.0f * random.noise();
      right = 4.0f * random.noise();
    }
  }

  Random random;
  Phasor sine;
  int segment;
  long long count = 0;
};

// Stereo test material as a sequence of scenes, each 5 ms to 20 s long: silence, tones, noise,
// music-like bursts, full-scale squares and DC, tiny values (subnormal floats, the smallest normal
// one, values that cancel a 1e-18 guard), hot music up to +18 dBFS, and music sprinkled with NaN
// and infinities. The stereo image changes with the scene: mono, inverted, one side, or two
// independent channels.
class Material {
public:
  enum Kind { silence, tone, noise, music, fullScale, tiny, hot, garbage, kindCount };

  explicit Material(std::uint64_t seed, double sampleRate = 48000.0)
      : random(seed), rate(sampleRate) {
    startScene();
  }

  void fill(float *left, float *right, int frames) {
    for (int done = 0; done < frames;) {
      if (remaining == 0)
        startScene();
      const int n = static_cast<int>(std::min<long long>(frames - done, remaining));
      generate(left + done, right + done, n);
      remaining -= n;
      done += n;
    }
    for (Phasor &p : partials)
      p.renormalise();
  }

  long long scenes() const { return sceneCount; }

private:
  enum Image { mono, inverted, leftOnly, rightOnly, independent, imageCount };

  void startScene() {
    ++sceneCount;
    // Silence comes up twice as often as any other kind.
    const int pick = random.below(kindCount + 1);
    kind = pick >= kindCount ? silence : static_cast<Kind>(pick);
    image = static_cast<Image>(random.below(imageCount));
    remaining = static_cast<long long>(rate * 0.001 * std::pow(10.0, random.between(0.7, 4.3)));
    for (Phasor &p : partials)
      p.start(std::pow(10.0, random.between(1.3, 4.3)) / rate, random.between(0.0, 6.3));
    partials[0].start(random.between(30.0, 120.0) / rate, 0.0); // a bass line under the music
    beatFrames = static_cast<int>(rate * 60.0 / random.between(60.0, 200.0));
    beatCountdown = 0;
    burst = 0.0;
    decay = std::exp(-1.0 / (rate * random.between(0.005, 0.3)));
    squarePeriod = 1 + random.below(random.chance(0.5) ? 4 : 2000);
    squareCount = 0;
    squareLevel = random.chance(0.5) ? 1.0f : -1.0f;
    switch (kind) {
    case tone:
      gain = gainOf(random.between(-90.0, 0.0));
      break;
    case noise:
      gain = gainOf(random.between(-100.0, 0.0));
      break;
    case music:
    case garbage:
      gain = gainOf(random.between(-50.0, 6.0));
      break;
    case hot:
      gain = gainOf(random.between(6.0, 18.0));
      break;
    default:
      gain = 1.0;
    }
  }

  // One sample of the scene for each side before the image is applied.
  void sample(float &a, float &b) {
    switch (kind) {
    case silence:
      a = b = 0.0f;
      return;
    case tone:
      a = static_cast<float>(gain * partials[1].step());
      b = static_cast<float>(gain * (0.7 * partials[2].step() + 0.3 * partials[1].s));
      return;
    case noise:
      a = static_cast<float>(gain * random.noise());
      b = static_cast<float>(gain * random.noise());
      return;
    case fullScale:
      if (++squareCount >= squarePeriod) {
        squareCount = 0;
        squareLevel = -squareLevel;
      }
      a = squareLevel;
      b = squarePeriod > 1000 ? 1.0f : -squareLevel; // long periods: DC against a square
      return;
    case tiny:
      a = Passage::tinyValue(random);
      b = Passage::tinyValue(random);
      return;
    case music:
    case hot:
    case garbage: {
      if (--beatCountdown <= 0) {
        beatCountdown = beatFrames + random.below(beatFrames / 8 + 1);
        burst = random.between(0.3, 1.0);
      }
      burst *= decay;
      const double bass = 0.35 * partials[0].step();
      const double chord = 0.15 * (partials[1].step() + partials[2].step());
      a = static_cast<float>(gain * (bass + chord + 0.5 * burst * random.noise()));
      b = static_cast<float>(gain *
                             (bass + chord * partials[3].step() + 0.5 * burst * random.noise()));
      if (kind == garbage && random.chance(0.002)) {
        const float bad[] = {std::numeric_limits<float>::quiet_NaN(),
                             std::numeric_limits<float>::infinity(),
                             -std::numeric_limits<float>::infinity()};
        (random.chance(0.5) ? a : b) = bad[random.below(3)];
      }
      return;
    }
    default:
      a = b = 0.0f;
    }
  }

  void generate(float *left, float *right, int frames) {
    for (int i = 0; i < frames; ++i) {
      float a, b;
      sample(a, b);
      switch (image) {
      case mono:
        left[i] = right[i] = a;
        break;
      case inverted:
        left[i] = a;
        right[i] = -a;
        break;
      case leftOnly:
        left[i] = a;
        right[i] = 0.0f;
        break;
      case rightOnly:
        left[i] = 0.0f;
        right[i] = a;
        break;
      default:
        left[i] = a;
        right[i] = b;
      }
    }
  }

  Random random;
  double rate;
  long long sceneCount = 0;
  Kind kind = silence;
  Image image = mono;
  long long remaining = 0;
  double gain = 1.0;
  std::array<Phasor, 4> partials;
  int beatFrames = 1;
  int beatCountdown = 0;
  double burst = 0.0;
  double decay = 0.0;
  int squarePeriod = 1;
  int squareCount = 0;
  float squareLevel = 1.0f;
};

// A parameter value as automation may send it: mostly within 0..1, sometimes on the edges or on
// either side of a switch's middle, now and then out of range or not a number at all.
struct ParameterValue {
  float value;
  bool outOfRange;
  bool nonFinite;
};

inline ParameterValue randomParameterValue(Random &random) {
  const double roll = random.uniform();
  if (roll < 0.80)
    return {static_cast<float>(random.uniform()), false, false};
  if (roll < 0.88) {
    const float edges[] = {0.0f, 1.0f, 0.5f, std::nextafter(0.5f, 0.0f), 1e-7f};
    return {edges[random.below(5)], false, false};
  }
  if (roll < 0.96) {
    const float far[] = {-1.0f, 2.0f, -1e30f, 1e30f, -std::numeric_limits<float>::max()};
    const float v =
        random.chance(0.5) ? static_cast<float>(random.between(-4.0, 5.0)) : far[random.below(5)];
    return {v, v < 0.0f || v > 1.0f, false};
  }
  const float bad[] = {std::numeric_limits<float>::quiet_NaN(),
                       std::numeric_limits<float>::infinity(),
                       -std::numeric_limits<float>::infinity()};
  return {bad[random.below(3)], false, true};
}

struct Plan {
  std::uint64_t seed = 1;
  double seconds = 3600.0;
  double sampleRate = 48000.0;
  int announcedBlock = 2048;
  // Excursions to another sample rate, evenly spread, each lasting up to a minute's worth of
  // frames at sampleRate.
  int rateExcursions = 8;
};

struct Figures {
  long long frames = 0;
  long long blocks = 0;
  long long scenes = 0;
  long long parameterChanges = 0;
  long long outOfRangeValues = 0;
  long long nonFiniteValues = 0;
  long long programChanges = 0;
  long long rateChanges = 0;
  long long resumes = 0;
  long long inPlaceBlocks = 0;
  // Faults: outputs that are not finite, meter readings that are not finite.
  long long badSamples = 0;
  long long badMeterReadings = 0;
  long long firstBadBlock = -1;
};

// Drives `effect` as a host would for plan.seconds of audio at plan.sampleRate. `readMeters`
// returns what an editor reads from the effect, as an array of doubles.
template <class Effect, class ReadMeters>
Figures run(Effect &effect, const Plan &plan, ReadMeters readMeters) {
  Random random(plan.seed);
  Material material(plan.seed * 7919 + 1, plan.sampleRate);
  const int parameters = effect.getAeffect()->numParams;
  const int programs = effect.getAeffect()->numPrograms;
  const long long total = static_cast<long long>(plan.seconds * plan.sampleRate);
  const float otherRates[] = {44100.0f, 96000.0f, 8000.0f, 768000.0f, 22050.0f, 192000.0f};
  const int announcedSizes[] = {64, 256, 512, 1024, 2048, 4096};

  std::vector<float> inL(8192), inR(8192), outL(8192), outR(8192);
  Figures f;
  int announced = plan.announcedBlock;
  effect.setSampleRate(static_cast<float>(plan.sampleRate));
  effect.setBlockSize(announced);
  effect.resume();

  const long long excursionSpacing = total / (plan.rateExcursions + 1);
  long long nextExcursion = excursionSpacing;
  long long excursionEnd = -1;

  const auto changeRate = [&](float rate) {
    announced = announcedSizes[random.below(6)];
    ++f.rateChanges;
    const double how = random.uniform();
    if (how < 0.6) { // the usual host: stop, set, start again
      effect.suspend();
      effect.setSampleRate(rate);
      effect.setBlockSize(announced);
      effect.resume();
      ++f.resumes;
    } else if (how < 0.8) { // a host that never stops the effect and announces both at once
      effect.setBlockSizeAndSampleRate(announced, rate);
      effect.setSampleRate(rate);
    } else { // nonsense first, which must change nothing
      const float nonsense[] = {0.0f, -48000.0f, std::numeric_limits<float>::quiet_NaN(),
                                std::numeric_limits<float>::infinity()};
      effect.setSampleRate(nonsense[random.below(4)]);
      effect.setSampleRate(rate);
      effect.setBlockSize(announced);
      effect.suspend();
      effect.resume();
      ++f.resumes;
    }
  };

  while (f.frames < total) {
    if (f.frames >= nextExcursion && excursionEnd < 0) {
      changeRate(otherRates[random.below(6)]);
      excursionEnd = f.frames + random.below(static_cast<int>(60.0 * plan.sampleRate));
      nextExcursion += excursionSpacing;
    } else if (excursionEnd >= 0 && f.frames >= excursionEnd) {
      changeRate(static_cast<float>(plan.sampleRate));
      excursionEnd = -1;
    }

    // Every block: one to three parameter changes, now and then a program change, rarely a
    // transport restart.
    const int changes = 1 + random.below(3);
    for (int c = 0; c < changes; ++c) {
      const ParameterValue v = randomParameterValue(random);
      effect.setParameter(random.below(parameters), v.value);
      ++f.parameterChanges;
      f.outOfRangeValues += v.outOfRange;
      f.nonFiniteValues += v.nonFinite;
    }
    if (random.chance(0.02)) {
      effect.setProgram(random.below(programs));
      ++f.programChanges;
    }
    if (random.chance(0.0005)) {
      effect.suspend();
      effect.resume();
      ++f.resumes;
    }

    const double shape = random.uniform();
    int frames = shape < 0.15   ? announced
                 : shape < 0.25 ? 1 + random.below(std::min(announced, 16))
                                : 1 + random.below(announced);
    frames = static_cast<int>(std::min<long long>(frames, total - f.frames));
    material.fill(inL.data(), inR.data(), frames);
    const bool inPlace = random.chance(0.1); // hosts may hand the same buffers both ways
    float *inputs[2] = {inL.data(), inR.data()};
    float *outputs[2] = {inPlace ? inL.data() : outL.data(), inPlace ? inR.data() : outR.data()};
    if (random.chance(0.05))
      effect.process(inputs, outputs, frames);
    else
      effect.processReplacing(inputs, outputs, frames);
    f.inPlaceBlocks += inPlace;

    long long bad = 0;
    for (int i = 0; i < frames; ++i)
      bad += !std::isfinite(outputs[0][i]) + !std::isfinite(outputs[1][i]);
    long long badMeters = 0;
    for (double m : readMeters(effect))
      badMeters += !std::isfinite(m);
    if ((bad || badMeters) && f.firstBadBlock < 0)
      f.firstBadBlock = f.blocks;
    f.badSamples += bad;
    f.badMeterReadings += badMeters;
    f.frames += frames;
    ++f.blocks;
  }
  f.scenes = material.scenes();
  return f;
}

// What `effect` answers to the same host calls and audio as another instance: every parameter set
// to `values` at `rate`, a resume, then `seconds` of material. The outputs, left then right.
template <class Effect>
std::vector<float> outputsAfterResume(Effect &effect, const std::vector<float> &values, float rate,
                                      double seconds, std::uint64_t seed) {
  effect.suspend();
  effect.setSampleRate(rate);
  effect.setBlockSize(1024);
  for (int i = 0; i < static_cast<int>(values.size()); ++i)
    effect.setParameter(i, values[i]);
  effect.resume();

  Random blocks(seed);
  Material material(seed, rate);
  const int total = static_cast<int>(seconds * rate);
  std::vector<float> left(total), right(total);
  for (int at = 0; at < total;) {
    const int frames = std::min(1 + blocks.below(1024), total - at);
    material.fill(left.data() + at, right.data() + at, frames);
    float *inputs[2] = {left.data() + at, right.data() + at};
    effect.processReplacing(inputs, inputs, frames);
    at += frames;
  }
  left.insert(left.end(), right.begin(), right.end());
  return left;
}

// Index of the first sample whose bits differ, or -1.
inline long long firstDifference(const std::vector<float> &a, const std::vector<float> &b) {
  if (a.size() != b.size())
    return 0;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::memcmp(&a[i], &b[i], sizeof(float)) != 0)
      return static_cast<long long>(i);
  return -1;
}

} // namespace long_run
