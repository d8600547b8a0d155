// Small rules both signal paths apply to what arrives from the host.
#pragma once

#include <algorithm>
#include <cmath>
#include <optional>

// One bad sample from upstream must not poison detector state for the rest of a session.
inline double finiteOrSilence(float sample) {
  return std::isfinite(sample) ? static_cast<double>(sample) : 0.0;
}

// |x| for the per-frame loops. The 32-bit mingw runtime's inline fabs is x87 assembly, which
// sends every value through memory and the x87 stack; the builtin stays in an SSE register.
inline double magnitudeOf(double x) { return __builtin_fabs(x); }

// The louder of two channels' samples, whatever their signs.
inline double largerMagnitude(double left, double right) {
  const double l = magnitudeOf(left), r = magnitudeOf(right);
  return r >= l ? r : l;
}

// Parameters are stored as given but processed within 0..1.
inline double clampUnit(float value) { return std::clamp(static_cast<double>(value), 0.0, 1.0); }

constexpr double kMinSampleRate = 8000.0;
constexpr double kMaxSampleRate = 768000.0;

// The rate to run at: nothing for a rate that is not a positive finite number, otherwise the
// rate brought into the supported range.
inline std::optional<double> supportedSampleRate(float rate) {
  if (!std::isfinite(rate) || rate <= 0.0f)
    return std::nullopt;
  return std::clamp(static_cast<double>(rate), kMinSampleRate, kMaxSampleRate);
}

// Samples in a window of `milliseconds`, rounded to the nearest whole sample.
inline int samplesFor(double milliseconds, double sampleRate) {
  return static_cast<int>(milliseconds * sampleRate * 0.001 + 0.5);
}
