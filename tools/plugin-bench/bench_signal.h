// The benchmark's stereo test signal: a 1 kHz tone stepping between -30 and -1 dBFS every
// 250 ms, plus bursts of noise. Built from integers only and turned into floats by an exact
// scaling, so every target feeds its plug-in the same bits.
#pragma once

#include <cstdint>
#include <vector>

struct StereoSignal {
  std::vector<float> left;
  std::vector<float> right;
};

// `frames` frames at 44100 Hz.
StereoSignal makeBenchSignal(std::size_t frames);

// FNV-1a over the bits of the samples, for comparing runs and targets.
std::uint64_t hashSamples(const std::vector<float> &samples,
                          std::uint64_t hash = 0xcbf29ce484222325u);
