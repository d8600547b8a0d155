// Signals and a block runner shared by the limiter's tests.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "limiter_effect.h"

struct Stereo {
  std::vector<float> left;
  std::vector<float> right;

  explicit Stereo(std::size_t frames = 0, float value = 0.0f)
      : left(frames, value), right(frames, value) {}
  std::size_t size() const { return left.size(); }
  void set(std::size_t i, float value) { left[i] = right[i] = value; }
};

// Runs the signal through the effect's replacing entry in blocks of `block` frames.
inline Stereo runLimiter(LimiterEffect &effect, const Stereo &in, int block = 512) {
  Stereo out(in.size());
  for (std::size_t start = 0; start < in.size(); start += block) {
    const int frames = static_cast<int>(std::min<std::size_t>(block, in.size() - start));
    float *inputs[2] = {const_cast<float *>(in.left.data() + start),
                        const_cast<float *>(in.right.data() + start)};
    float *outputs[2] = {out.left.data() + start, out.right.data() + start};
    effect.processReplacing(inputs, outputs, frames);
  }
  return out;
}

inline Stereo sine(std::size_t frames, double frequency, double amplitude, double sampleRate) {
  Stereo s(frames);
  const double pi = std::acos(-1.0);
  for (std::size_t i = 0; i < frames; ++i)
    s.set(i, static_cast<float>(amplitude * std::sin(2.0 * pi * frequency * i / sampleRate)));
  return s;
}

// A small deterministic generator, the same on every target (std:: distributions are not).
class TestNoise {
public:
  explicit TestNoise(std::uint32_t seed) : state(seed) {}
  // Uniform in [-1, 1).
  double next() {
    state = state * 1664525u + 1013904223u;
    return static_cast<double>(state >> 8) / 8388608.0 - 1.0;
  }

private:
  std::uint32_t state;
};

inline float decibelsToGain(double db) { return static_cast<float>(std::pow(10.0, db / 20.0)); }
