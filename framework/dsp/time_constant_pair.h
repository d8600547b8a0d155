// The weights of a one-pole smoother: state = input * input weight + state * state weight.
#pragma once

#include <cmath>

struct TimeConstantPair {
  double input = 0.0;
  double state = 0.0;

  double apply(double in, double previous) const { return input * in + state * previous; }
};

// After `milliseconds` the smoother has covered about 89 % of a step (e^-2.2 of it remains).
inline TimeConstantPair timeConstantPair(double milliseconds, double sampleRate) {
  const double x = std::exp(-2.2 / (sampleRate * milliseconds * 0.001));
  return {1.0 - x, x};
}

// An attack time of zero: the smoother jumps to its input.
constexpr TimeConstantPair kImmediatePair{1.0, 0.0};
