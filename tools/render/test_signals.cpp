#include "test_signals.h"

#include <algorithm>
#include <iterator>

#include "signal_math.h"

using namespace signal_math;

namespace {

constexpr double kSweepLowest = 20.0;
constexpr double kSweepHighest = 20000.0;
// Of the Nyquist frequency: the last cycles keep a few samples each.
constexpr double kSweepNyquistShare = 0.95;
constexpr double kSweepLevelDb = -6.0;
constexpr double kSweepFadeSeconds = 0.02;
constexpr double kToneFrequency = 1000.0;

WavAudio silence(SampleFormat format, std::uint32_t sampleRate, std::size_t frames) {
  WavAudio audio;
  audio.format = format;
  audio.channels = 1;
  audio.sampleRate = sampleRate;
  audio.samples.assign(frames, 0.0);
  return audio;
}

// Raised-cosine fade: 0 at frame 0, 1 from frame `fade` on.
double fadeGain(std::size_t frame, std::size_t fade) {
  if (frame >= fade)
    return 1.0;
  const double s = sineOfCycles(0.25 * static_cast<double>(frame) / static_cast<double>(fade));
  return s * s;
}

} // namespace

WavAudio sineSweep(std::uint32_t sampleRate, double seconds) {
  WavAudio audio = silence(SampleFormat::float32, sampleRate, framesIn(seconds, sampleRate));
  const std::size_t frames = audio.frames();
  const std::size_t fade = framesIn(kSweepFadeSeconds, sampleRate);
  const double highest = std::min(kSweepHighest, kSweepNyquistShare * 0.5 * sampleRate);
  // The frequency f0 e^(g t) has the phase f0 (e^(g t) - 1) / g in cycles; computed afresh for
  // each frame, it gathers no error over the sweep.
  const double growth = std::max(0.0, fastLog(highest / kSweepLowest) / seconds);
  const double amplitude = decibelsToGain(kSweepLevelDb);
  for (std::size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / sampleRate;
    const double phase =
        growth > 0 ? kSweepLowest * (fastExp(growth * t) - 1.0) / growth : kSweepLowest * t;
    const double gain = std::min(fadeGain(i, fade), fadeGain(frames - 1 - i, fade));
    audio.samples[i] = amplitude * gain * sineOfCycles(phase);
  }
  putOnSampleGrid(audio);
  return audio;
}

WavAudio stepTone(std::uint32_t sampleRate, double seconds) {
  WavAudio audio = silence(SampleFormat::pcm16, sampleRate, framesIn(seconds, sampleRate));
  const std::uint64_t frames = audio.frames();
  const std::uint64_t steps = std::size(kStepToneLevelsDb);
  double phase = 0.0;
  for (std::uint64_t step = 0; step < steps; ++step) {
    const double amplitude = decibelsToGain(kStepToneLevelsDb[step]);
    for (std::uint64_t i = step * frames / steps; i < (step + 1) * frames / steps; ++i) {
      audio.samples[i] = amplitude * sineOfCycles(phase);
      phase = advancePhase(phase, kToneFrequency / sampleRate);
    }
  }
  putOnSampleGrid(audio);
  return audio;
}

std::vector<NamedSignal> exampleMaterial(std::uint32_t sampleRate) {
  return {{"drum-and-bass.wav", drumAndBassLoop(sampleRate)},
          {"sine-sweep.wav", sineSweep(sampleRate)},
          {"step-tone.wav", stepTone(sampleRate)}};
}
