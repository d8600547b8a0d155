// plugin-bench PLUGIN: processes a fixed 10 s stereo signal through a plug-in, loaded and driven
// as a host does, several times, and prints the cost per stereo frame. Figures only, no verdict.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "bench_options.h"
#include "bench_signal.h"
#include "recording_host.h"

namespace {

constexpr float kSampleRate = 44100.0f;
constexpr int kBlockFrames = 512;

struct Channels {
  std::vector<std::vector<float>> buffers;
  std::vector<float *> pointers;

  Channels(int count, std::size_t frames)
      : buffers(static_cast<std::size_t>(std::max(count, 0)), std::vector<float>(frames, 0.0f)),
        pointers(buffers.size()) {}
  float **at(std::size_t frame) {
    for (std::size_t c = 0; c < buffers.size(); ++c)
      pointers[c] = buffers[c].data() + frame;
    return pointers.data();
  }
};

// One pass over the signal; the time spent inside the plug-in's entries, in seconds.
double processOnce(AEffect *record, Channels &in, Channels &out, std::size_t frames) {
  const bool replacing = (record->flags & effFlagsCanReplacing) != 0;
  if (!replacing)
    for (auto &buffer : out.buffers)
      std::fill(buffer.begin(), buffer.end(), 0.0f);
  const auto start = std::chrono::steady_clock::now();
  for (std::size_t at = 0; at < frames; at += kBlockFrames) {
    const auto n = static_cast<VstInt32>(std::min<std::size_t>(kBlockFrames, frames - at));
    if (replacing)
      record->processReplacing(record, in.at(at), out.at(at), n);
    else
      record->process(record, in.at(at), out.at(at), n);
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void printSettings(HostedEffect &effect) {
  const AEffect &record = *effect.record();
  std::printf("plug-in: %s (%s), program %d \"%s\", latency %d\n", effect.effectName().c_str(),
              effect.productString().c_str(), static_cast<int>(effect.dispatch(effGetProgram)),
              effect.programName().c_str(), static_cast<int>(record.initialDelay));
  for (VstInt32 i = 0; i < record.numParams; ++i)
    std::printf("  %d %s = %.6f (%s%s)\n", static_cast<int>(i), effect.paramName(i).c_str(),
                static_cast<double>(effect.getParameter(i)), effect.paramDisplay(i).c_str(),
                effect.paramLabel(i).c_str());
}

} // namespace

int main(int argc, char **argv) {
  BenchOptions options;
  std::string error;
  if (!parseBenchOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "plugin-bench: %s\n%s", error.c_str(), kBenchUsage);
    return 2;
  }
  LoadedPlugin plugin;
  if (!plugin.open(options.plugin, error)) {
    std::fprintf(stderr, "plugin-bench: %s\n", error.c_str());
    return 1;
  }
  HostedEffect &effect = *plugin.effect;
  AEffect *record = effect.record();
  effect.dispatch(effOpen);
  effect.setSampleRate(kSampleRate);
  effect.setBlockSize(kBlockFrames);
  effect.resume();
  if (options.program >= 0)
    effect.setProgram(options.program);
  for (auto [index, value] : options.parameters)
    effect.setParameter(index, value);
  printSettings(effect);

  const auto frames = static_cast<std::size_t>(options.seconds * kSampleRate);
  const StereoSignal signal = makeBenchSignal(frames);
  Channels in(record->numInputs, frames);
  Channels out(record->numOutputs, frames);
  if (in.buffers.size() > 0)
    in.buffers[0] = signal.left;
  if (in.buffers.size() > 1)
    in.buffers[1] = signal.right;

  std::vector<double> nsPerFrame;
  for (int run = 0; run < options.runs; ++run) {
    // Every run starts from the same state; the reset is not timed.
    effect.suspend();
    effect.resume();
    nsPerFrame.push_back(processOnce(record, in, out, frames) * 1e9 / static_cast<double>(frames));
  }

  std::uint64_t hash = 0xcbf29ce484222325u;
  long nonFinite = 0;
  double peak = 0.0;
  for (const auto &buffer : out.buffers) {
    hash = hashSamples(buffer, hash);
    for (float sample : buffer) {
      if (!std::isfinite(sample))
        ++nonFinite;
      else
        peak = std::max(peak, static_cast<double>(std::fabs(sample)));
    }
  }
  std::vector<double> sorted = nsPerFrame;
  std::sort(sorted.begin(), sorted.end());
  const double median = sorted[sorted.size() / 2];
  std::printf("signal: %zu stereo frames at %.0f Hz in blocks of %d, input hash %016llx\n", frames,
              static_cast<double>(kSampleRate), kBlockFrames,
              static_cast<unsigned long long>(hashSamples(signal.right, hashSamples(signal.left))));
  std::printf("runs: %d  ns per stereo frame: median %.2f  min %.2f  max %.2f\n", options.runs,
              median, sorted.front(), sorted.back());
  std::printf("realtime factor (median): %.0fx\n", 1e9 / (median * kSampleRate));
  std::printf("output: hash %016llx  non-finite %ld  peak %.6f\n",
              static_cast<unsigned long long>(hash), nonFinite, peak);
  effect.suspend();
  effect.dispatch(effClose);
  return 0;
}
