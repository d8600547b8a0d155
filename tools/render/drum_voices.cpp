#include "drum_voices.h"

#include <algorithm>
#include <cmath>

#include "signal_math.h"

using namespace signal_math;

namespace {

// First-order high-pass in RC form.
class HighPass {
public:
  HighPass(double cutoff, double sampleRate) : a_(1.0 / (1.0 + kTwoPi * cutoff / sampleRate)) {}

  double process(double x) {
    y_ = a_ * (y_ + x - x1_);
    x1_ = x;
    return y_;
  }

private:
  double a_;
  double x1_ = 0.0;
  double y_ = 0.0;
};

// A decaying envelope, updated once a sample.
class Decay {
public:
  Decay(double seconds, double sampleRate) : factor_(decayPerSample(seconds, sampleRate)) {}

  double next() {
    const double value = value_;
    value_ *= factor_;
    return value;
  }

private:
  double factor_;
  double value_ = 1.0;
};

// Frames of a sound that fit between `start` and the end of the mix.
std::size_t audibleFrames(const WavAudio &mix, std::size_t start, std::size_t length) {
  return start < mix.frames() ? std::min(length, mix.frames() - start) : 0;
}

// A linear fade over the last `fade` frames, so that no sound ends in a click.
double endFade(std::size_t frame, std::size_t length, std::size_t fade) {
  const std::size_t left = length - frame;
  return left >= fade ? 1.0 : static_cast<double>(left) / static_cast<double>(fade);
}

double softClip(double x) {
  x = std::clamp(x, -1.0, 1.0);
  return 1.5 * x - 0.5 * x * x * x;
}

void add(WavAudio &mix, std::size_t frame, double left, double right) {
  mix.samples[2 * frame] += left;
  mix.samples[2 * frame + 1] += right;
}

} // namespace

void addKick(WavAudio &mix, std::size_t start, double level, std::uint64_t seed) {
  const double rate = mix.sampleRate;
  const std::size_t length = framesIn(0.42, mix.sampleRate);
  const std::size_t fade = framesIn(0.02, mix.sampleRate);
  const std::size_t count = audibleFrames(mix, start, length);
  Decay pitch(0.028, rate), body(0.17, rate), click(0.0012, rate);
  WhiteNoise noise(seed);
  double phase = 0.0;
  for (std::size_t i = 0; i < count; ++i) {
    const double tone = softClip(1.4 * sineOfCycles(phase) * body.next());
    const double x = level * endFade(i, length, fade) * (tone + 0.3 * click.next() * noise.next());
    add(mix, start + i, x, x);
    phase = advancePhase(phase, (45.0 + 135.0 * pitch.next()) / rate);
  }
}

void addSnare(WavAudio &mix, std::size_t start, double level, std::uint64_t seed) {
  const double rate = mix.sampleRate;
  const std::size_t length = framesIn(0.24, mix.sampleRate);
  const std::size_t fade = framesIn(0.02, mix.sampleRate);
  const std::size_t count = audibleFrames(mix, start, length);
  Decay toneLevel(0.04, rate), noiseLevel(0.065, rate);
  WhiteNoise mid(seed), side(~seed);
  HighPass midFilter(900.0, rate), sideFilter(900.0, rate);
  double low = 0.0, high = 0.0;
  for (std::size_t i = 0; i < count; ++i) {
    const double tone = (0.55 * sineOfCycles(low) + 0.3 * sineOfCycles(high)) * toneLevel.next();
    const double noiseGain = 0.7 * noiseLevel.next();
    const double m = tone + noiseGain * midFilter.process(mid.next());
    const double s = 0.35 * noiseGain * sideFilter.process(side.next());
    const double gain = level * endFade(i, length, fade);
    add(mix, start + i, gain * (m + s), gain * (m - s));
    low = advancePhase(low, 185.0 / rate);
    high = advancePhase(high, 320.0 / rate);
  }
}

void addHat(WavAudio &mix, std::size_t start, double level, double pan, std::uint64_t seed) {
  const double rate = mix.sampleRate;
  const std::size_t length = framesIn(0.08, mix.sampleRate);
  const std::size_t fade = framesIn(0.01, mix.sampleRate);
  const std::size_t count = audibleFrames(mix, start, length);
  Decay envelope(0.013, rate);
  WhiteNoise noise(seed);
  // Two poles make the hat thin rather than hissy.
  HighPass first(7000.0, rate), second(7000.0, rate);
  const double left = level * std::sqrt(0.5 * (1.0 - pan));
  const double right = level * std::sqrt(0.5 * (1.0 + pan));
  for (std::size_t i = 0; i < count; ++i) {
    const double x =
        second.process(first.process(noise.next())) * envelope.next() * endFade(i, length, fade);
    add(mix, start + i, left * x, right * x);
  }
}

void addBassNote(WavAudio &mix, std::size_t start, std::size_t length, double frequency,
                 double level) {
  const double rate = mix.sampleRate;
  const std::size_t attack =
      std::max<std::size_t>(1, std::min(framesIn(0.006, mix.sampleRate), length / 4));
  const std::size_t release =
      std::max<std::size_t>(1, std::min(framesIn(0.03, mix.sampleRate), length / 4));
  const std::size_t count = audibleFrames(mix, start, length);
  Decay sustain(0.35, rate);
  double phase = 0.0;
  for (std::size_t i = 0; i < count; ++i) {
    // The fundamental carries the sub; harmonics 2 to 7 at half a saw's levels give it an edge.
    double tone = sineOfCycles(phase);
    for (int k = 2; k <= 7; ++k)
      tone += 0.5 / k * sineOfCycles(k * phase);
    const double rise = i < attack ? static_cast<double>(i) / static_cast<double>(attack) : 1.0;
    const double x =
        level * tone * rise * endFade(i, length, release) * (0.7 + 0.3 * sustain.next());
    add(mix, start + i, x, x);
    phase = advancePhase(phase, frequency / rate);
  }
}
