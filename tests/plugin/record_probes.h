// Probes that drive a loaded plug-in through its record only, the same for both plug-ins.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "recording_host.h"

namespace record_probes {

// The outputs, left then right, for `input` on both channels, in blocks of 256 frames.
inline std::vector<float> responseTo(HostedEffect &effect, const std::vector<float> &input) {
  const int frames = static_cast<int>(input.size());
  std::vector<float> in = input, outL(frames, 9.0f), outR(frames, 9.0f);
  for (int start = 0; start < frames; start += 256) {
    const int n = std::min(256, frames - start);
    effect.processReplacing(&in[start], &in[start], &outL[start], &outR[start], n);
  }
  outL.insert(outL.end(), outR.begin(), outR.end());
  return outL;
}

// The frame at which an impulse fed at frame `at` leaves the effect, over `frames` frames; -1
// when nothing above the denormal guard leaves, or the two outputs disagree there.
inline int impulseOutputFrame(HostedEffect &effect, int at, int frames) {
  std::vector<float> impulse(frames, 0.0f);
  impulse[at] = 0.5f;
  const std::vector<float> out = responseTo(effect, impulse);
  for (int i = 0; i < frames; ++i)
    if (std::fabs(out[i]) > 1e-6f)
      return out[i] == out[frames + i] ? i : -1;
  return -1;
}

// A loud burst with a decay, long enough that attack and release shape the output.
inline std::vector<float> burst(int frames) {
  std::vector<float> x(frames);
  for (int i = 0; i < frames; ++i)
    x[i] = (i < frames / 2 ? 0.9f : 0.05f) * std::sin(0.07f * static_cast<float>(i));
  return x;
}

// Whether blocks with one channel pointer null in turn leave every output buffer untouched.
inline bool nullChannelsAreIgnored(HostedEffect &effect) {
  std::vector<float> in(64, 0.25f), outL(64, 7.0f), outR(64, 7.0f);
  for (int missing = 0; missing < 4; ++missing) {
    float *inputs[2] = {in.data(), in.data()};
    float *outputs[2] = {outL.data(), outR.data()};
    (missing < 2 ? inputs : outputs)[missing % 2] = nullptr;
    effect.record()->processReplacing(effect.record(), inputs, outputs, 64);
    effect.record()->process(effect.record(), inputs, outputs, 64);
  }
  const auto untouched = [](float v) { return v == 7.0f; };
  return std::all_of(outL.begin(), outL.end(), untouched) &&
         std::all_of(outR.begin(), outR.end(), untouched);
}

} // namespace record_probes
