#include "limiter_processor.h"

#include <algorithm>
#include <cmath>

#include "dsp/sample_guards.h"

namespace {

// Keeps every value that follows away from denormals.
constexpr double kDenormalGuard = 1e-18;

// A sample past the float range would leave as infinity; it saturates instead. Gain changes and
// Ahead switched on let samples the detector never saw out of the delay line unreduced.
float toSample(double x) {
  constexpr double kLargestFloat = 3.4028234663852886e38;
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
  if (s.softKnee)
    run<true>(s, inLeft, inRight, outLeft, outRight, frames);
  else
    run<false>(s, inLeft, inRight, outLeft, outRight, frames);
}

template <bool SoftKnee>
void LimiterProcessor::run(const LimiterSettings &s, const float *inLeft, const float *inRight,
                           float *outLeft, float *outRight, int frames) {
  StereoDelayLine::Cursor line = delay.cursor();
  PeakHold::Cursor held = hold.cursor();
  MeterWindow window = meterWindow;
  TimeConstantPair active = activePair;
  double env = envelope;
  double meterIn = shownInput;
  double meterOut = shownOutput;
  float limitingNow = lamp;

  const double inputGain = s.inputGain;
  const double ceilingInverse = s.ceilingInverse;
  const double ceilingGain = s.ceilingGain;
  const TimeConstantPair release = s.releasePair;
  const bool lookAhead = s.lookAhead;
  const int meterLength = s.meterLength;

  for (int i = 0; i < frames; ++i) {
    // Both inputs are read before either output is written: the host may pass the same buffers.
    const double xL = finiteOrSilence(inLeft[i]);
    const double xR = finiteOrSilence(inRight[i]);
    const double sL = xL * inputGain * ceilingInverse + kDenormalGuard;
    const double sR = xR * inputGain * ceilingInverse + kDenormalGuard;
    double dL, dR;
    line.writeAndTap(sL, sR, dL, dR);

    // The larger signed value, then its magnitude: a negative peak beside a positive sample of
    // the other channel is not seen.
    const double detected = magnitudeOf(lookAhead ? largerSigned(sL, sR) : largerSigned(dL, dR));
    const double previousPeak = held.peak;
    const double peak = held.step(detected);

    // Instant attack on a rising peak, release while it holds or falls; otherwise keep going.
    if (peak > previousPeak) {
      if (env < peak)
        active = kImmediatePair;
    } else if (env >= peak) {
      active = release;
    }
    env = active.apply(peak, env);

    const LimiterGain g = SoftKnee ? softKnee.gain(env) : hardKneeGain(env);
    const double G = g.gain * ceilingGain;
    const double yL = G * dL;
    const double yR = G * dR;
    outLeft[i] = toSample(yL);
    outRight[i] = toSample(yR);
    limitingNow = g.limiting;

    window.add(magnitudeOf(largerSigned(xL, xR)), magnitudeOf(largerSigned(yL, yR)), meterLength,
               meterIn, meterOut);
  }

  delay.store(line);
  hold.store(held);
  meterWindow = window;
  activePair = active;
  envelope = env;
  shownInput = meterIn;
  shownOutput = meterOut;
  lamp = limitingNow;
}
