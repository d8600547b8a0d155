#include "render_bench.h"

#include <algorithm>
#include <cmath>

#include "test_signals.h"

namespace {

constexpr std::uint32_t kBenchRate = 44100;
constexpr double kLoudSeconds = 10.0;
constexpr double kSilentSeconds = 60.0;

struct RunCost {
  double all;    // ns per stereo frame over the whole material
  double loud;   // over blocks with input
  double silent; // over blocks of silent input; NaN without any
};

RunCost costOf(const std::vector<BlockTiming> &timings) {
  double nanoseconds[2] = {0.0, 0.0};
  double frames[2] = {0.0, 0.0};
  for (const BlockTiming &block : timings) {
    nanoseconds[block.silentInput] += block.nanoseconds;
    frames[block.silentInput] += block.frames;
  }
  auto perFrame = [](double ns, double count) { return count > 0 ? ns / count : std::nan(""); };
  return {perFrame(nanoseconds[0] + nanoseconds[1], frames[0] + frames[1]),
          perFrame(nanoseconds[0], frames[0]), perFrame(nanoseconds[1], frames[1])};
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? std::nan("") : values[values.size() / 2];
}

} // namespace

WavAudio benchMaterial() {
  WavAudio audio = drumAndBassLoop(kBenchRate, kLoudSeconds);
  const auto silentFrames = static_cast<std::size_t>(kSilentSeconds * kBenchRate);
  audio.samples.resize(audio.samples.size() + silentFrames * audio.channels, 0.0);
  return audio;
}

void runBench(HostedEffect &effect, const StereoBuffer &input, std::uint32_t sampleRate,
              int blockSize, int runs, std::FILE *out) {
  std::fprintf(out, "%s, program %d \"%s\", latency %d\n", effect.effectName().c_str(),
               static_cast<int>(effect.dispatch(effGetProgram)), effect.programName().c_str(),
               static_cast<int>(effect.record()->initialDelay));
  for (VstInt32 i = 0; i < effect.record()->numParams; ++i)
    std::fprintf(out, "  %d %s = %.6f (%s %s)\n", static_cast<int>(i), effect.paramName(i).c_str(),
                 static_cast<double>(effect.getParameter(i)), effect.paramDisplay(i).c_str(),
                 effect.paramLabel(i).c_str());

  std::vector<double> all, loud, silent;
  StereoBuffer output;
  for (int run = 0; run < runs; ++run) {
    effect.suspend();
    effect.resume();
    std::vector<BlockTiming> timings;
    timings.reserve(input.frames() / static_cast<std::size_t>(blockSize) + 1);
    RenderPass pass;
    pass.blockSize = blockSize;
    pass.timings = &timings;
    output = processThrough(effect.record(), input, pass);
    const RunCost cost = costOf(timings);
    all.push_back(cost.all);
    loud.push_back(cost.loud);
    silent.push_back(cost.silent);
  }

  long nonFinite = 0;
  for (const auto *channel : {&output.left, &output.right})
    nonFinite += std::count_if(channel->begin(), channel->end(),
                               [](float sample) { return !std::isfinite(sample); });
  const double medianAll = median(all);
  std::fprintf(out, "material: %zu stereo frames at %u Hz in blocks of %d, input hash %016llx\n",
               input.frames(), static_cast<unsigned>(sampleRate), blockSize,
               static_cast<unsigned long long>(hashSamples(input)));
  std::fprintf(out, "runs: %d  ns per stereo frame: median %.2f  min %.2f  max %.2f\n", runs,
               medianAll, *std::min_element(all.begin(), all.end()),
               *std::max_element(all.begin(), all.end()));
  std::fprintf(out, "realtime factor (median): %.0fx\n", 1e9 / (medianAll * sampleRate));
  std::fprintf(out, "median ns per stereo frame: blocks with input %.2f  silent blocks %.2f\n",
               median(loud), median(silent));
  std::fprintf(out, "output: hash %016llx  non-finite %ld\n",
               static_cast<unsigned long long>(hashSamples(output)), nonFinite);
}
