// Every value the signal path derives from the parameters and the sample rate, computed at once
// on the parameter thread and handed to the audio thread as a whole.
#pragma once

#include "compressor_parameters.h"
#include "dsp/time_constant_pair.h"
#include "soft_knee.h"

struct CompressorSettings {
  double sampleRate = 0.0;

  // The parameters in their units.
  double attackMs = 0.0;
  double releaseMs = 0.0;
  double thresholdDb = 0.0;
  double slope = 1.0; // 1 / ratio
  double outputGainDb = 0.0;
  bool softKnee = false;
  bool lookAhead = false;

  TimeConstantPair attackPair;
  TimeConstantPair releasePair;
  TimeConstantPair rmsPair;

  double thresholdGain = 1.0;
  double thresholdInverse = 1.0;
  // ln(thresholdInverse): the per-frame gain works on the natural logarithm of the envelope.
  double logThresholdInverse = 0.0;
  double hardExponent = 0.0; // slope - 1
  double kneeLow = 1.0;
  double kneeHigh = 1.0;
  // Beyond the last knot the spline's slope polynomial would run away; the curve continues
  // along the ratio line instead.
  double kneeTopLevel = 0.0;
  KneeSegment kneeMiddle; // segment 2, from kneeLow to kneeHigh
  KneeSegment kneeUpper;  // segment 3, above kneeHigh
  double outputGain = 1.0;

  int delayLength = 1;
  int meterLength = 0;

  int delayTap() const { return delayLength - 1; }
};

constexpr double kRmsMs = 30.0;
constexpr double kDelayMs = 5.0;
constexpr double kMeterMs = 40.0;

CompressorSettings computeCompressorSettings(const CompressorParameters &parameters,
                                             double sampleRate);

// The output gain, -20 to +20 dB, and as a linear factor.
double outputGainDbFor(double normalisedLevel);
double outputGainFor(double normalisedLevel);

// The ratio of the processing, 0.8:1 to 20:1.
double ratioFor(double normalisedRatio);
