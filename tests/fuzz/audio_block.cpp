#include "audio_block.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "fuzz_check.h"
#include "fuzz_values.h"

using host_script::Layout;
using host_script::Signal;

AudioBlock::AudioBlock(FuzzBytes &bytes, int largest, bool replacing)
    : count(bytes.u16() % (std::max(largest, 0) + 1)) {
  const auto layout = static_cast<Layout>(bytes.byte() % static_cast<int>(Layout::count));
  const float unwritten = replacing ? std::numeric_limits<float>::quiet_NaN() : 0.0f;
  for (auto &buffer : buffers) {
    buffer.reset(new float[count]);
    std::fill(buffer.get(), buffer.get() + count, unwritten);
  }
  in[0] = buffers[0].get();
  in[1] = buffers[1].get();
  readSignal(bytes, in[0]);
  if (bytes.byte() % 2 == 0)
    std::copy(in[0], in[0] + count, in[1]);
  else
    readSignal(bytes, in[1]);
  for (const float *channel : in)
    finiteInput = finiteInput &&
                  std::all_of(channel, channel + count, [](float x) { return std::isfinite(x); });

  switch (layout) {
  case Layout::inPlace:
    out[0] = in[0];
    out[1] = in[1];
    break;
  case Layout::swapped:
    out[0] = in[1];
    out[1] = in[0];
    break;
  default:
    out[0] = buffers[2].get();
    out[1] = buffers[3].get();
    break;
  }
}

void AudioBlock::readSignal(FuzzBytes &bytes, float *samples) {
  std::fill(samples, samples + count, 0.0f);
  switch (static_cast<Signal>(bytes.byte() % static_cast<int>(Signal::count))) {
  case Signal::constant:
    std::fill(samples, samples + count, readFloat(bytes));
    break;
  case Signal::sine: {
    const double amplitude = readFloat(bytes);
    const double halfPeriod = 1.0 + bytes.byte();
    const double pi = std::acos(-1.0);
    for (int i = 0; i < count; ++i)
      samples[i] = static_cast<float>(amplitude * std::sin(pi * i / halfPeriod));
    break;
  }
  case Signal::noise: {
    const double amplitude = readFloat(bytes);
    std::uint32_t state = bytes.u32();
    for (int i = 0; i < count; ++i) {
      state = state * 1664525u + 1013904223u;
      samples[i] =
          static_cast<float>(amplitude * (static_cast<double>(state) / 2147483648.0 - 1.0));
    }
    break;
  }
  case Signal::raw: {
    const int length = bytes.byte() % (host_script::kRawSamples + 1);
    float pattern[host_script::kRawSamples];
    for (int i = 0; i < length; ++i)
      pattern[i] = bytes.rawFloat();
    for (int i = 0; length > 0 && i < count; ++i)
      samples[i] = pattern[i % length];
    break;
  }
  default:
    break;
  }
  const int hostile = bytes.byte() % 4;
  for (int i = 0; i < hostile; ++i) {
    const int position = bytes.u16();
    const float value = readFloat(bytes);
    if (count > 0)
      samples[position % count] = value;
  }
}

void AudioBlock::checkOutputs() const {
  if (!finiteInput)
    return;
  for (const float *channel : out)
    fuzzCheck(std::all_of(channel, channel + count, [](float x) { return std::isfinite(x); }),
              "a block of finite samples comes out finite and fully written");
}

void AudioBlock::trace(const char *entry) const {
  double smallest = 0.0, largest = 0.0;
  for (const float *channel : in)
    for (int i = 0; i < count; ++i) {
      smallest = std::min(smallest, static_cast<double>(channel[i]));
      largest = std::max(largest, static_cast<double>(channel[i]));
    }
  std::fprintf(stderr, "%s %d frames, %s, inputs %g..%g%s\n", entry, count,
               out[0] == in[0]   ? "in place"
               : out[0] == in[1] ? "swapped"
                                 : "separate",
               smallest, largest, finiteInput ? "" : ", not all finite");
}
