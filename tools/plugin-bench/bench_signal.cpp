#include "bench_signal.h"

#include <cstring>

namespace {

constexpr std::int64_t kFullScale = (1 << 23) - 1;
constexpr std::size_t kSegmentFrames = 11025; // 250 ms

// Tone peak per segment in Q16: -1 -30 -6 -20 -3 -12 -24 -9 dBFS.
constexpr std::int64_t kToneGain[8] = {58409, 2072, 32846, 6554, 46396, 16462, 4135, 23253};
// Noise level per segment in Q16 (0 is a segment without noise).
constexpr std::int64_t kNoiseGain[6] = {20724, 0, 46396, 8250, 0, 32846};

// A 1 kHz quadrature oscillator at 44100 Hz in integers: the two states trace a circle (an
// ellipse to within 1 %) of radius 2^23 and give the left and right tones 90 degrees apart.
struct Oscillator {
  static constexpr std::int64_t kStep = 152852926; // 2 sin(pi * 1000 / 44100) in Q30
  std::int64_t x = std::int64_t{1} << 23;
  std::int64_t y = 0;
  void advance() {
    x -= (kStep * y) >> 30;
    y += (kStep * x) >> 30;
  }
};

struct Noise {
  std::uint32_t state;
  std::int64_t smooth = 0;
  // White noise through an integer one-pole low-pass: darker, like programme material.
  std::int64_t next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    const std::int64_t white = static_cast<std::int64_t>(state >> 8) - (1 << 23);
    smooth += (white - smooth) >> 2;
    return smooth;
  }
};

float toFloat(std::int64_t value) {
  if (value > kFullScale)
    value = kFullScale;
  if (value < -kFullScale)
    value = -kFullScale;
  return static_cast<float>(value) * (1.0f / 8388608.0f);
}

} // namespace

StereoSignal makeBenchSignal(std::size_t frames) {
  StereoSignal s{std::vector<float>(frames), std::vector<float>(frames)};
  Oscillator tone;
  Noise noiseLeft{0x12345678u}, noiseRight{0x9e3779b9u};
  for (std::size_t i = 0; i < frames; ++i) {
    const std::size_t segment = i / kSegmentFrames;
    const std::int64_t toneGain = kToneGain[segment % 8];
    const std::int64_t noiseGain = kNoiseGain[segment % 6];
    // Bursts of 100 ms in every 150 ms, offset against the tone steps.
    const bool burst = (i + 2000) % 6615 < 4410;
    const std::int64_t left = noiseLeft.next(), right = noiseRight.next();
    std::int64_t l = (tone.x * toneGain) >> 16;
    std::int64_t r = (tone.y * toneGain) >> 16;
    if (burst) {
      l += (left * noiseGain) >> 16;
      r += (right * noiseGain) >> 16;
    }
    s.left[i] = toFloat(l);
    s.right[i] = toFloat(r);
    tone.advance();
  }
  return s;
}

std::uint64_t hashSamples(const std::vector<float> &samples, std::uint64_t hash) {
  for (float sample : samples) {
    std::uint32_t bits;
    std::memcpy(&bits, &sample, sizeof bits);
    for (int b = 0; b < 4; ++b) {
      hash ^= (bits >> (8 * b)) & 0xffu;
      hash *= 0x100000001b3u;
    }
  }
  return hash;
}
