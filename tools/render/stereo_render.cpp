#include "stereo_render.h"

#include <algorithm>
#include <chrono>
#include <cstring>

StereoBuffer toStereo(const WavAudio &audio) {
  StereoBuffer buffer;
  const std::size_t frames = audio.frames();
  buffer.left.resize(frames);
  buffer.right.resize(frames);
  const int channels = audio.channels;
  for (std::size_t i = 0; i < frames; ++i) {
    buffer.left[i] = static_cast<float>(audio.samples[i * channels]);
    buffer.right[i] = static_cast<float>(audio.samples[i * channels + (channels > 1 ? 1 : 0)]);
  }
  return buffer;
}

WavAudio fromStereo(const StereoBuffer &buffer, bool mono, SampleFormat format,
                    std::uint32_t sampleRate) {
  WavAudio audio;
  audio.format = format;
  audio.channels = mono ? 1 : 2;
  audio.sampleRate = sampleRate;
  const std::size_t frames = buffer.frames();
  audio.samples.resize(frames * static_cast<std::size_t>(audio.channels));
  for (std::size_t i = 0; i < frames; ++i) {
    if (mono) {
      audio.samples[i] = buffer.left[i];
    } else {
      audio.samples[2 * i] = buffer.left[i];
      audio.samples[2 * i + 1] = buffer.right[i];
    }
  }
  return audio;
}

namespace {

bool allZero(const float *samples, int count) {
  for (int i = 0; i < count; ++i)
    if (samples[i] != 0.0f)
      return false;
  return true;
}

// Copies up to `count` frames from `from` (a channel of `available` frames) starting at `at`,
// zeros beyond its end.
void fillBlock(const std::vector<float> &from, std::size_t at, int count, float *to) {
  for (int i = 0; i < count; ++i) {
    const std::size_t index = at + static_cast<std::size_t>(i);
    to[i] = index < from.size() ? from[index] : 0.0f;
  }
}

} // namespace

StereoBuffer processThrough(AEffect *record, const StereoBuffer &input, const RenderPass &pass) {
  const std::size_t frames = input.frames();
  const std::size_t trim = static_cast<std::size_t>(std::max(pass.trimFrames, 0));
  const std::size_t total = frames + trim;
  const int blockSize = std::max(pass.blockSize, 1);
  const bool replacing =
      record->processReplacing && ((record->flags & effFlagsCanReplacing) || !record->process);

  StereoBuffer output;
  output.left.assign(frames, 0.0f);
  output.right.assign(frames, 0.0f);
  std::vector<float> inLeft(blockSize), inRight(blockSize), outLeft(blockSize), outRight(blockSize);
  float *inputs[2] = {inLeft.data(), inRight.data()};
  float *outputs[2] = {outLeft.data(), outRight.data()};

  std::size_t sinceProgress = 0;
  for (std::size_t at = 0; at < total; at += static_cast<std::size_t>(blockSize)) {
    const int count = static_cast<int>(std::min<std::size_t>(blockSize, total - at));
    fillBlock(input.left, at, count, inLeft.data());
    fillBlock(input.right, at, count, inRight.data());
    if (!replacing) {
      std::fill(outLeft.begin(), outLeft.end(), 0.0f);
      std::fill(outRight.begin(), outRight.end(), 0.0f);
    }

    const auto start = std::chrono::steady_clock::now();
    if (replacing)
      record->processReplacing(record, inputs, outputs, count);
    else
      record->process(record, inputs, outputs, count);
    if (pass.timings) {
      const auto end = std::chrono::steady_clock::now();
      pass.timings->push_back({count,
                               allZero(inLeft.data(), count) && allZero(inRight.data(), count),
                               std::chrono::duration<double, std::nano>(end - start).count()});
    }

    for (int i = 0; i < count; ++i) {
      const std::size_t frame = at + static_cast<std::size_t>(i);
      if (frame >= trim) {
        output.left[frame - trim] = outLeft[i];
        output.right[frame - trim] = outRight[i];
      }
    }
    sinceProgress += static_cast<std::size_t>(count);
    if (pass.progress && sinceProgress >= 65536) {
      pass.progress(at + count, total);
      sinceProgress = 0;
    }
  }
  if (pass.progress)
    pass.progress(total, total);
  return output;
}

std::uint64_t hashSamples(const StereoBuffer &buffer) {
  std::uint64_t hash = 0xcbf29ce484222325u;
  for (const auto *channel : {&buffer.left, &buffer.right})
    for (float sample : *channel) {
      std::uint32_t bits;
      std::memcpy(&bits, &sample, sizeof bits);
      for (int i = 0; i < 4; ++i) {
        hash ^= (bits >> (8 * i)) & 0xFFu;
        hash *= 0x100000001b3u;
      }
    }
  return hash;
}
