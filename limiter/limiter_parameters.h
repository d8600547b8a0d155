// The limiter's five normalised parameters, in the host's parameter order, and the laws that turn
// them into units.
#pragma once

#include <cmath>

#include "dsp/sample_guards.h"

struct LimiterParameters {
  enum Index : int { release, ceil, level, type, ahead, count };

  float values[count] = {0.5f, 0.5f, 0.5f, 0.0f, 0.0f};

  // What the processing uses: a host may store any finite value, but the laws only hold in 0..1.
  double unit(int index) const { return clampUnit(values[index]); }
  // The two switches are on from the middle of their range up.
  bool isOn(int index) const { return values[index] >= 0.5f; }
};

// 50 ms to 5 s, evenly spread on a logarithmic scale (ln 100 = 4.605...).
inline double releaseMsFromValue(double v) { return 50.0 * std::exp(v * 4.605170185988092); }
inline double ceilDbFromValue(double v) { return 12.0 * v - 12.0; }
inline double levelDbFromValue(double v) { return 40.0 * v - 20.0; }
