// The limiter's promise over long, varied stereo material whose louder channel is often the
// negative one: with the hard knee nothing leaves above the ceiling, with or without look-ahead,
// in every factory program; the soft knee's bend lets peaks out at most 2/9 dB over it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "limiter_test_signals.h"
#include "test_signals.h"

namespace {

using P = LimiterParameters;

// Noise bursts, sines, steps, clicks and silence in random order and length, in one channel.
std::vector<float> variedChannel(std::size_t frames, std::uint32_t seed) {
  TestNoise noise(seed);
  auto uniform = [&](double low, double high) {
    return low + (high - low) * 0.5 * (noise.next() + 1);
  };
  const double pi = std::acos(-1.0);
  std::vector<float> s(frames);
  std::size_t i = 0;
  while (i < frames) {
    const std::size_t length = static_cast<std::size_t>(uniform(40, 12000));
    const int kind = static_cast<int>(uniform(0, 5));
    const double amplitude = uniform(0.0, 1.0);
    const double frequency = uniform(20.0, 15000.0);
    for (std::size_t k = 0; k < length && i < frames; ++k, ++i) {
      double v = 0.0;
      switch (kind) {
      case 0: // noise burst
        v = amplitude * noise.next();
        break;
      case 1: // sine
        v = amplitude * std::sin(2.0 * pi * frequency * static_cast<double>(k) / 44100.0);
        break;
      case 2: // step
        v = k < length / 2 ? amplitude : -amplitude;
        break;
      case 3: // clicks on silence
        v = k % 997 == 0 ? (k % 2 ? -1.0 : 1.0) : 0.0;
        break;
      default: // silence
        break;
      }
      s[i] = static_cast<float>(v);
    }
  }
  return s;
}

// Left: the varied material; right: other material a third as loud, so the louder channel's
// negative peaks stand beside quiet positive samples of the other.
Stereo variedProgramme(std::size_t frames, std::uint32_t seed) {
  Stereo s(frames);
  s.left = variedChannel(frames, seed);
  const std::vector<float> other = variedChannel(frames, seed + 1);
  for (std::size_t i = 0; i < frames; ++i)
    s.right[i] = other[i] / 3.0f;
  return s;
}

double worstOf(const Stereo &out, double ceiling) {
  double worst = 0.0;
  for (std::size_t i = 0; i < out.size(); ++i)
    worst = std::max({worst, std::fabs(out.left[i]) / ceiling, std::fabs(out.right[i]) / ceiling});
  return worst;
}

// The largest output magnitude over the ceiling, as a ratio (1.0: exactly at the ceiling).
double worstOverCeiling(float level, float ceil, float release, float type, float ahead,
                        const Stereo &in) {
  LimiterEffect effect(nullptr);
  effect.setParameter(P::level, level);
  effect.setParameter(P::ceil, ceil);
  effect.setParameter(P::release, release);
  effect.setParameter(P::type, type);
  effect.setParameter(P::ahead, ahead);
  const double ceiling = effect.settings().ceilingGain;
  return worstOf(runLimiter(effect, in, 441), ceiling);
}

TEST(LimiterCeiling, LookAheadHardKneeNeverExceedsTheCeiling) {
  const Stereo programme = variedProgramme(44100 * 12, 2024);
  // One float rounding of the output above the ceiling, and nothing more.
  const double bound = 1.0 + std::ldexp(1.0, -24);
  double worst = 0.0;
  for (float level : {0.5f, 0.75f, 1.0f})
    for (float ceil : {0.0f, 0.757856f, 1.0f})
      for (float release : {0.0f, 1.0f}) {
        const double over = worstOverCeiling(level, ceil, release, 0.0f, 1.0f, programme);
        EXPECT_LE(over, bound) << "level " << level << " ceil " << ceil << " release " << release;
        worst = std::max(worst, over);
      }
  std::printf("look-ahead, hard knee: worst output / ceiling = %.9f\n", worst);
}

TEST(LimiterCeiling, WithoutLookAheadOrWithTheSoftKnee) {
  const Stereo programme = variedProgramme(44100 * 12, 77);
  double worstNoAhead = 0.0, worstSoft = 0.0, worstSoftNoAhead = 0.0;
  for (float level : {0.5f, 1.0f})
    for (float ceil : {0.0f, 1.0f}) {
      worstNoAhead =
          std::max(worstNoAhead, worstOverCeiling(level, ceil, 0.0f, 0.0f, 0.0f, programme));
      worstSoft = std::max(worstSoft, worstOverCeiling(level, ceil, 0.0f, 1.0f, 1.0f, programme));
      worstSoftNoAhead =
          std::max(worstSoftNoAhead, worstOverCeiling(level, ceil, 0.0f, 1.0f, 0.0f, programme));
    }
  auto db = [](double ratio) { return 20.0 * std::log10(ratio); };
  // Without look-ahead the attack still lands on the peak sample itself, so the hard knee holds
  // the ceiling there too (with the gain falling abruptly on the peak instead of 5 ms before it).
  EXPECT_LE(worstNoAhead, 1.0 + std::ldexp(1.0, -24));
  // The soft knee lets levels between the ceiling and 3 dB over it out at up to 2/9 dB over.
  EXPECT_LE(db(worstSoft), 20.0 / 90.0 + 1e-5);
  EXPECT_LE(db(worstSoftNoAhead), 20.0 / 90.0 + 1e-5);
  EXPECT_GT(db(worstSoftNoAhead), 0.2) << "the programme reaches the knee's highest point";
  std::printf("no look-ahead, hard knee: worst %.9f (%+.6f dB)\n", worstNoAhead, db(worstNoAhead));
  std::printf("look-ahead, soft knee:    worst %.9f (%+.6f dB)\n", worstSoft, db(worstSoft));
  std::printf("no look-ahead, soft knee: worst %.9f (%+.6f dB)\n", worstSoftNoAhead,
              db(worstSoftNoAhead));
}

// The factory programs on the example loop (panned voices) and on the varied material.
TEST(LimiterCeiling, EveryFactoryProgramHoldsItsCeiling) {
  const WavAudio loop = drumAndBassLoop(44100);
  Stereo material(loop.frames());
  for (std::size_t i = 0; i < loop.frames(); ++i) {
    material.left[i] = static_cast<float>(loop.samples[2 * i]);
    material.right[i] = static_cast<float>(loop.samples[2 * i + 1]);
  }
  const Stereo varied = variedProgramme(44100 * 6, 5);
  auto db = [](double ratio) { return 20.0 * std::log10(ratio); };
  for (int program = 0; program < kLimiterProgramCount; ++program) {
    LimiterEffect effect(nullptr);
    effect.setProgram(program);
    const double ceiling = effect.settings().ceilingGain;
    const double worst = std::max(worstOf(runLimiter(effect, material), ceiling),
                                  worstOf(runLimiter(effect, varied), ceiling));
    if (effect.settings().softKnee)
      EXPECT_LE(db(worst), 20.0 / 90.0 + 1e-5) << "program " << program;
    else
      EXPECT_LE(worst, 1.0 + std::ldexp(1.0, -24)) << "program " << program;
    std::printf("program %d: ceiling %+.2f dB, output peak %+.4f dBFS (%+.6f dB over)\n", program,
                db(ceiling), db(worst * ceiling), db(worst));
  }
}

} // namespace
