#include "limiter_settings.h"

#include <cmath>

LimiterSettings computeLimiterSettings(const LimiterParameters &parameters, double sampleRate) {
  LimiterSettings s;
  s.sampleRate = sampleRate;
  s.releaseMs = releaseMsFromValue(parameters.unit(LimiterParameters::release));
  const double levelDb = levelDbFromValue(parameters.unit(LimiterParameters::level));
  const double ceilingDb = ceilDbFromValue(parameters.unit(LimiterParameters::ceil));
  s.softKnee = parameters.isOn(LimiterParameters::type);
  s.lookAhead = parameters.isOn(LimiterParameters::ahead);
  s.releasePair = timeConstantPair(s.releaseMs, sampleRate);
  s.inputGain = std::pow(10.0, 0.05 * levelDb);
  s.ceilingGain = std::pow(10.0, 0.05 * ceilingDb);
  s.ceilingInverse = 1.0 / s.ceilingGain;

  s.delayLength = samplesFor(kLimiterDelayMs, sampleRate);
  s.historyLength = samplesFor(kLimiterHoldMs, sampleRate);
  s.meterLength = samplesFor(kLimiterMeterMs, sampleRate);
  return s;
}
