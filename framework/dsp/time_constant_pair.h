// The weights of a one-pole smoother: state = input * input weight + state * state weight.
#pragma once

#include <cmath>

struct TimeConstantPair {
  double input = 0.0;
  double state = 0.0;

  double apply(double in, double previous) const { return input * in + state * previous; }
};

// An attack time of zero: the smoother jumps to its input.
constexpr TimeConstantPair kImmediatePair{1.0, 0.0};

// Times so short that the state weight falls below this jump instead. Such a weight cannot change
// a single bit of a smoother's state, and it, or its product with a quiet level (from the 1e-18
// guard up), would be a subnormal number, slow in every frame that multiplies by it.
constexpr double kNegligibleStateWeight = 1e-280;

// After `milliseconds` the smoother has covered about 89 % of a step (e^-2.2 of it remains).
inline TimeConstantPair timeConstantPair(double milliseconds, double sampleRate) {
  const double x = std::exp(-2.2 / (sampleRate * milliseconds * 0.001));
  if (x < kNegligibleStateWeight)
    return kImmediatePair;
  return {1.0 - x, x};
}
