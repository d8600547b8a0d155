#include "compressor_settings.h"

#include <cmath>

#include "dsp/sample_guards.h"

namespace {

double decibelsToGain(double decibels) { return std::pow(10.0, decibels * 0.05); }

} // namespace

double outputGainDbFor(double normalisedLevel) { return 40.0 * normalisedLevel - 20.0; }

double outputGainFor(double normalisedLevel) {
  return decibelsToGain(outputGainDbFor(normalisedLevel));
}

double ratioFor(double normalisedRatio) {
  return 0.8 * std::exp(3.218875824868201 * normalisedRatio);
}

CompressorSettings computeCompressorSettings(const CompressorParameters &p, double sampleRate) {
  using P = CompressorParameters;
  CompressorSettings s;
  s.sampleRate = sampleRate;
  s.attackMs = 200.0 * p.unit(P::attack);
  s.releaseMs = 50.0 * std::exp(4.605170185988092 * p.unit(P::release));
  s.outputGainDb = outputGainDbFor(p.unit(P::level));
  s.slope = 1.0 / ratioFor(p.unit(P::ratio));
  s.thresholdDb = 40.0 * p.unit(P::threshold) - 40.0;
  s.softKnee = switchIsOn(p.unit(P::type));
  s.lookAhead = switchIsOn(p.unit(P::ahead));

  s.attackPair = s.attackMs == 0.0 ? kImmediatePair : timeConstantPair(s.attackMs, sampleRate);
  s.releasePair = timeConstantPair(s.releaseMs, sampleRate);
  s.rmsPair = timeConstantPair(kRmsMs, sampleRate);

  // Both knee shapes are kept ready; the switch only selects one.
  s.kneeLow = decibelsToGain(s.thresholdDb - 20.0);
  s.kneeHigh = decibelsToGain(s.thresholdDb + 3.0);
  const SoftKnee knee = buildSoftKnee(s.slope, s.thresholdDb);
  s.kneeMiddle = knee.segments[1];
  s.kneeUpper = knee.segments[2];
  s.kneeTopLevel = knee.knotLevel[SoftKnee::kKnots - 1];
  s.hardExponent = s.slope - 1.0;

  s.outputGain = decibelsToGain(s.outputGainDb);
  s.thresholdGain = decibelsToGain(s.thresholdDb);
  s.thresholdInverse = 1.0 / s.thresholdGain;
  s.logThresholdInverse = -s.thresholdDb * 0.05 * std::log(10.0);

  s.delayLength = samplesFor(kDelayMs, sampleRate);
  s.meterLength = samplesFor(kMeterMs, sampleRate);
  return s;
}
