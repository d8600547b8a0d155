#include "limiter_processor.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "dsp/sample_guards.h"

namespace {

// Keeps every value that follows away from denormals.
constexpr double kDenormalGuard = 1e-18;

constexpr double kLargestFloat = 3.4028234663852886e38;

// A sample past the float range would leave as infinity; it saturates instead. Gain changes and
// Ahead switched on let samples the detector never saw out of the delay line unreduced.
float toSample(double x) {
  return static_cast<float>(std::clamp(x, -kLargestFloat, kLargestFloat));
}

} // namespace

LimiterProcessor::LimiterProcessor()
    : delay(samplesFor(kLimiterDelayMs, kMaxSampleRate)),
      hold(samplesFor(kLimiterHoldMs, kMaxSampleRate)), softKnee(SoftKneeTable::instance()) {}

void LimiterProcessor::follow(const LimiterSettings &settings) {
  if (settings.delayLength != delay.length())
    delay.reset(settings.delayLength);
  if (settings.historyLength != hold.length())
    hold.resize(settings.historyLength);
}

void LimiterProcessor::reset() {
  delay.reset(delay.length());
  hold.restart();
  activePair = {0.0, 0.0};
  envelope = 0.0;
  shownInput = 0.0;
  shownOutput = 0.0;
  lamp = 0.0f;
}

void LimiterProcessor::process(const LimiterSettings &s, const float *inLeft, const float *inRight,
                               float *outLeft, float *outRight, int frames) {
  // The block path reads the delay lines a block at a time, so their length must be the
  // settings' one before anything runs.
  follow(s);
  if (s.softKnee)
    run<true>(s, inLeft, inRight, outLeft, outRight, frames);
  else
    run<false>(s, inLeft, inRight, outLeft, outRight, frames);
}

namespace {

typedef double Doubles __attribute__((vector_size(16)));
typedef float Floats __attribute__((vector_size(8)));
typedef std::uint64_t Bits __attribute__((vector_size(16)));

template <class V> V load(const void *p) {
  V v;
  __builtin_memcpy(&v, p, sizeof v);
  return v;
}
template <class V> void store(void *p, V v) { __builtin_memcpy(p, &v, sizeof v); }
Doubles both(double x) { return Doubles{x, x}; }
Doubles absolute(Doubles x) { return (Doubles)((Bits)x & 0x7fffffffffffffffULL); }
// largerSigned lane by lane.
Doubles larger(Doubles left, Doubles right) { return right >= left ? right : left; }

// The input frames: scaled and guarded for the detector and the delay lines, and the magnitude
// the input meter shows (of the samples as they came, a non-finite one counting as silence).
void scaleInputs(const LimiterSettings &s, const float *inLeft, const float *inRight, double *left,
                 double *right, double *magnitude, int frames) {
  const auto finite = [](const float *p) {
    const Doubles x = __builtin_convertvector(load<Floats>(p), Doubles);
    return absolute(x) <= kLargestFloat ? x : Doubles{};
  };
  int i = 0;
  for (; i + 2 <= frames; i += 2) {
    const Doubles l = finite(inLeft + i), r = finite(inRight + i);
    store(left + i, l * s.inputGain * s.ceilingInverse + kDenormalGuard);
    store(right + i, r * s.inputGain * s.ceilingInverse + kDenormalGuard);
    store(magnitude + i, absolute(larger(l, r)));
  }
  if (i < frames) {
    const double l = finiteOrSilence(inLeft[i]), r = finiteOrSilence(inRight[i]);
    left[i] = l * s.inputGain * s.ceilingInverse + kDenormalGuard;
    right[i] = r * s.inputGain * s.ceilingInverse + kDenormalGuard;
    magnitude[i] = magnitudeOf(largerSigned(l, r));
  }
}

// Delayed frames times gain and ceiling, saturated into floats; the magnitude the output meter
// shows. The hard knee's gain needs no table, so it is computed here, two frames at a time.
template <bool SoftKnee>
void applyGains(const LimiterSettings &s, const double *envelopeOrGain, const double *delayedLeft,
                const double *delayedRight, float *outLeft, float *outRight, double *magnitude,
                int frames) {
  const auto outputs = [&](Doubles gain, int i) {
    const Doubles g = gain * s.ceilingGain;
    const Doubles l = g * load<Doubles>(delayedLeft + i), r = g * load<Doubles>(delayedRight + i);
    const auto saturate = [](Doubles x) {
      x = x < -kLargestFloat ? both(-kLargestFloat) : x;
      return kLargestFloat < x ? both(kLargestFloat) : x;
    };
    store(outLeft + i, __builtin_convertvector(saturate(l), Floats));
    store(outRight + i, __builtin_convertvector(saturate(r), Floats));
    store(magnitude + i, absolute(larger(l, r)));
  };
  const auto gainsAt = [&](int i) {
    const Doubles x = load<Doubles>(envelopeOrGain + i);
    if (SoftKnee)
      return x;
    return x > 1.0 ? 1.0 / x : both(1.0);
  };
  int i = 0;
  for (; i + 2 <= frames; i += 2)
    outputs(gainsAt(i), i);
  if (i < frames) {
    const double x = envelopeOrGain[i];
    const double gain = SoftKnee ? x : hardKneeGain(x).gain;
    const double g = gain * s.ceilingGain;
    const double l = g * delayedLeft[i], r = g * delayedRight[i];
    outLeft[i] = toSample(l);
    outRight[i] = toSample(r);
    magnitude[i] = magnitudeOf(largerSigned(l, r));
  }
}

} // namespace

template <bool SoftKnee>
void LimiterProcessor::run(const LimiterSettings &s, const float *inLeft, const float *inRight,
                           float *outLeft, float *outRight, int frames) {
  if (frames <= 0)
    return;
  PeakHold::Cursor held = hold.cursor();
  TimeConstantPair active = activePair;
  double env = envelope;

  // Only the detector is a chain from frame to frame; the rest runs over short blocks, several
  // frames per instruction. Both inputs of a block are read before any output is written: the
  // host may pass the same buffers.
  alignas(16) double sL[kChunk], sR[kChunk], dL[kChunk], dR[kChunk];
  alignas(16) double envelopes[kChunk], inputMagnitude[kChunk], outputMagnitude[kChunk];
  // No frame of a block may be read back from the delay lines within that block.
  const int chunk = std::min(kChunk, delay.length() - 1);
  for (int start = 0; start < frames; start += chunk) {
    const int n = std::min(chunk, frames - start);
    scaleInputs(s, inLeft + start, inRight + start, sL, sR, inputMagnitude, n);
    delay.writeAndTapBlock(sL, sR, dL, dR, n);

    // The larger signed value, then its magnitude: a negative peak beside a positive sample of
    // the other channel is not seen.
    const double *tL = s.lookAhead ? sL : dL;
    const double *tR = s.lookAhead ? sR : dR;
    // Instant attack on a rising peak, release while it holds or falls; otherwise keep going.
    for (int i = 0; i < n; ++i) {
      const double previousPeak = held.peak;
      const double peak = held.step(magnitudeOf(largerSigned(tL[i], tR[i])));
      if (peak > previousPeak) {
        if (env < peak)
          active = kImmediatePair;
      } else if (env >= peak) {
        active = s.releasePair;
      }
      env = active.apply(peak, env);
      envelopes[i] = env;
    }

    if (SoftKnee)
      for (int i = 0; i < n; ++i)
        envelopes[i] = softKnee.gain(envelopes[i]).gain;
    applyGains<SoftKnee>(s, envelopes, dL, dR, outLeft + start, outRight + start, outputMagnitude,
                         n);
    meterWindow.addBlock(inputMagnitude, outputMagnitude, n, s.meterLength, shownInput,
                         shownOutput);
  }

  hold.store(held);
  activePair = active;
  envelope = env;
  // Both knees light above the ceiling, the soft one from there through its bend.
  lamp = envelope > 1.0 ? 1.0f : 0.0f;
}
