// Every value the limiter's signal path derives from the parameters and the sample rate, computed
// at once on the parameter thread and handed to the audio thread as a whole.
#pragma once

#include "dsp/sample_guards.h"
#include "dsp/time_constant_pair.h"
#include "limiter_parameters.h"

struct LimiterSettings {
  double sampleRate = 0.0;

  double releaseMs = 0.0;
  TimeConstantPair releasePair;
  double inputGain = 1.0;
  // Detection runs on the signal divided by the ceiling, so 1.0 means "at the ceiling".
  double ceilingGain = 1.0;
  double ceilingInverse = 1.0;
  bool softKnee = false;
  bool lookAhead = false;

  int delayLength = 1;
  int historyLength = 1;
  int meterLength = 0;

  int delayTap() const { return delayLength - 1; }
};

constexpr double kLimiterDelayMs = 5.0;
constexpr double kLimiterHoldMs = 25.0;
constexpr double kLimiterMeterMs = 40.0;

// The peak history's length is a 16-bit count; the supported rates keep it there.
static_assert(kLimiterHoldMs * kMaxSampleRate * 0.001 + 0.5 < 32768.0);

LimiterSettings computeLimiterSettings(const LimiterParameters &parameters, double sampleRate);
