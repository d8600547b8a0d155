// The compressor's seven normalised parameters, held in the host's parameter order.
#pragma once

#include "dsp/sample_guards.h"

struct CompressorParameters {
  enum Index : int { attack, release, threshold, ratio, level, type, ahead, count };

  float values[count] = {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f};

  // What the processing uses: a host may store any finite value, but the laws only hold in 0..1.
  double unit(int index) const { return clampUnit(values[index]); }
};

// Switch parameters are on from the middle of their range up.
inline bool switchIsOn(double value) { return value >= 0.5; }
