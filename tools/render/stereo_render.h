// Runs audio through an effect record in blocks, as a host's playback engine does.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "effect/plugin_interface.h"
#include "wav_file.h"

struct StereoBuffer {
  std::vector<float> left;
  std::vector<float> right;

  std::size_t frames() const { return left.size(); }
};

// Mono is fed to both inputs. Samples become 32-bit floats, the plug-in interface's format.
StereoBuffer toStereo(const WavAudio &audio);
// Both channels, or one when `mono` (the left one).
WavAudio fromStereo(const StereoBuffer &buffer, bool mono, SampleFormat format,
                    std::uint32_t sampleRate);

// What one processed block cost, for the benchmark.
struct BlockTiming {
  int frames;
  bool silentInput; // every input sample of the block was exactly zero
  double nanoseconds;
};

struct RenderPass {
  int blockSize = 512;
  // Frames dropped from the start of the output; the input is extended by as many zeros so the
  // output keeps the input's length. The plug-in's latency lines the output up with the input.
  int trimFrames = 0;
  // Called now and then with the frames done and the frames in all.
  std::function<void(std::size_t, std::size_t)> progress;
  // When set, receives the cost of every block call.
  std::vector<BlockTiming> *timings = nullptr;
};

// Processes `input` through the record's replacing entry (or the accumulating one) from caller-
// owned block buffers and returns output of the input's length.
StereoBuffer processThrough(AEffect *record, const StereoBuffer &input, const RenderPass &pass);

// FNV-1a over the bits of both channels, for comparing runs and targets.
std::uint64_t hashSamples(const StereoBuffer &buffer);
