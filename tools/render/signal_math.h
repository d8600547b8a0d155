// Building blocks for generated material that give the same bits on every target: a sine on a phase
// in cycles, white noise from an integer generator, decibels and rounding to a file's sample grid.
// They use nothing but IEEE double +, -, *, / and integer operations, plus fast_math.h, which keeps
// to the same rule; the C libraries' sin, exp and pow differ in the last bit between targets.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dsp/fast_math.h"
#include "wav_file.h"

namespace signal_math {

constexpr double kTwoPi = 6.283185307179586476925;

// Rounds |x| < 2^51 to the nearest integer (ties to even): the sum lands where doubles are 1 apart.
inline double roundToInteger(double x) {
  constexpr double kShift = 0x1.8p52;
  return (x + kShift) - kShift;
}

// Whole frames in `seconds` (none for a negative or NaN duration).
inline std::size_t framesIn(double seconds, std::uint32_t sampleRate) {
  return seconds > 0 ? static_cast<std::size_t>(roundToInteger(seconds * sampleRate)) : 0;
}

// sin(2 pi cycles) for |cycles| < 2^49, within two ulps. The reduction to a quarter cycle is
// exact, so whole cycles added to a phase change nothing.
inline double sineOfCycles(double cycles) {
  const double quarters = 4.0 * cycles;
  const double n = roundToInteger(quarters);
  const double x = (quarters - n) * (kTwoPi / 4.0); // |x| <= pi/4
  const double x2 = x * x;
  // Taylor series; the first terms left out stay below 2^-58 on |x| <= pi/4.
  const double sine =
      x +
      x * x2 *
          (-1.0 / 6 +
           x2 * (1.0 / 120 +
                 x2 * (-1.0 / 5040 +
                       x2 * (1.0 / 362880 + x2 * (-1.0 / 39916800 +
                                                  x2 * (1.0 / 6227020800.0 +
                                                        x2 * (-1.0 / 1307674368000.0 +
                                                              x2 * (1.0 / 355687428096000.0))))))));
  const double cosine =
      1.0 - 0.5 * x2 +
      x2 * x2 *
          (1.0 / 24 +
           x2 * (-1.0 / 720 +
                 x2 * (1.0 / 40320 +
                       x2 * (-1.0 / 3628800 +
                             x2 * (1.0 / 479001600.0 +
                                   x2 * (-1.0 / 87178291200.0 + x2 * (1.0 / 20922789888000.0)))))));
  switch (static_cast<std::uint64_t>(static_cast<std::int64_t>(n)) & 3) {
  case 0:
    return sine;
  case 1:
    return cosine;
  case 2:
    return -sine;
  default:
    return -cosine;
  }
}

// Advances a phase in cycles and keeps it in [0, 1), where it has the most bits.
inline double advancePhase(double phase, double cyclesPerSample) {
  phase += cyclesPerSample;
  return phase >= 1.0 ? phase - 1.0 : phase;
}

inline double decibelsToGain(double decibels) { return fastPow(10.0, decibels / 20.0); }

// The factor that makes a value decay by 1/e in `seconds` when applied once a sample.
inline double decayPerSample(double seconds, double sampleRate) {
  return fastExp(-1.0 / (seconds * sampleRate));
}

// Uniform white noise in [-1, 1) from xorshift64*.
class WhiteNoise {
public:
  explicit WhiteNoise(std::uint64_t seed) : state_(mix(seed) | 1) {}

  double next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    // The top 53 bits convert exactly, even where the conversion goes through x87 instructions.
    const std::uint64_t bits = (state_ * 0x2545F4914F6CDD1DULL) >> 11;
    return static_cast<double>(bits) * 0x1p-52 - 1.0;
  }

private:
  // splitmix64's finaliser, so that neighbouring seeds start far apart.
  static std::uint64_t mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
  }

  std::uint64_t state_;
};

// The value a sample keeps once written in `format` (integer formats clip at full scale), so that
// generated material reads back from its file unchanged.
inline double onSampleGrid(double sample, SampleFormat format) {
  switch (format) {
  case SampleFormat::float32:
    return static_cast<float>(sample);
  case SampleFormat::float64:
    return sample;
  default: {
    const double full = format == SampleFormat::pcm16   ? 0x1p15
                        : format == SampleFormat::pcm24 ? 0x1p23
                                                        : 0x1p31;
    double level = roundToInteger(sample * full);
    level = level < -full ? -full : level > full - 1 ? full - 1 : level;
    return level / full;
  }
  }
}

inline void putOnSampleGrid(WavAudio &audio) {
  for (double &sample : audio.samples)
    sample = onSampleGrid(sample, audio.format);
}

} // namespace signal_math
