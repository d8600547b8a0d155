// The limiter's gain computer: from the envelope relative to the ceiling to the gain and the
// `limiting` lamp. Pure, so that the knee curves can be checked without running the loop. The
// loop takes the soft knee from a table built from this curve (soft_knee_table.h).
#pragma once

#include "dsp/fast_math.h"

struct LimiterGain {
  double gain;
  float limiting; // 1.0 while the gain computer is in its reducing region
};

// The hard knee only asks whether the envelope is above the ceiling, which needs no logarithm.
inline LimiterGain hardKneeGain(double envelope) {
  if (envelope > 1.0)
    return {1.0 / envelope, 1.0f};
  return {1.0, 0.0f};
}

// The soft knee bends from 3 dB below the ceiling to 3 dB above it: 10^(-3/20) and 10^(3/20).
constexpr double kSoftKneeLow = 0.70794578438413791;
constexpr double kSoftKneeHigh = 1.4125375446227544;
constexpr double kDecibelsPerNeper = 8.6858896380650366; // 20 / ln 10

// In decibels the gain is the exponent times the level e, so the curve and its slope are
// continuous at -3, 0 and +3 dB. Outside the bend no logarithm is needed; inside it, the fast
// logarithm and exponential take the place of log10 and pow: the mingw runtime's cost more than a
// whole frame may, and these give the same bits on every target.
inline LimiterGain softKneeGain(double envelope) {
  if (envelope <= kSoftKneeLow)
    return {1.0, 0.0f};
  if (envelope > kSoftKneeHigh)
    return {1.0 / envelope, 1.0f};
  const double logEnvelope = fastLog(envelope);
  const double e = logEnvelope * kDecibelsPerNeper;
  if (envelope <= 1.0) {
    const double rise = e + 3.0;
    return {fastExp(-(rise * rise) / 18.0 * logEnvelope), 0.0f};
  }
  const double exponent = (e / 18.0 - 1.0 / 3.0) * e - 0.5;
  return {fastExp(exponent * logEnvelope), 1.0f};
}
