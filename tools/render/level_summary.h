// What a render did to the levels: peak and RMS before and after, and the gain between the
// output and the input it came from.
#pragma once

#include <cstdint>
#include <string>

#include "stereo_render.h"

struct Levels {
  double peakDb; // dBFS of the largest magnitude; -infinity for silence
  double rmsDb;  // dBFS of the RMS over both channels
};

Levels measureLevels(const StereoBuffer &buffer);

// How much louder or quieter the output is than the input it came from, measured in 10 ms
// windows over both channels. Windows whose input is below -80 dBFS RMS are skipped; both ends
// are NaN when none is left.
struct GainRange {
  double lowestDb;
  double highestDb;
  // The deepest dip below the highest gain: the gain reduction however much make-up gain the
  // plug-in adds.
  double largestReductionDb() const { return highestDb - lowestDb; }
};

// The output lags the input by `lag` frames (0 when the latency was compensated).
GainRange measureGainRange(const StereoBuffer &input, const StereoBuffer &output, int lag,
                           std::uint32_t sampleRate);

// "-3.02" or "-inf".
std::string decibelText(double db);
