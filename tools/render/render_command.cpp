#include "render_command.h"

#include <filesystem>

#include "effect_setup.h"
#include "level_summary.h"
#include "plugin_report.h"
#include "progress_bar.h"
#include "render_bench.h"
#include "render_options.h"
#include "stereo_render.h"
#include "test_signals.h"
#include "wav_file.h"

namespace {

constexpr std::uint32_t kLowestRate = 8000;
constexpr std::uint32_t kHighestRate = 768000;

int fail(std::FILE *err, const std::string &message, int status = 1) {
  std::fprintf(err, "render: %s\n", message.c_str());
  return status;
}

bool readInput(const std::string &path, WavAudio &audio, std::string &error) {
  if (!readWavFile(path, audio, error))
    return false;
  if (audio.sampleRate < kLowestRate || audio.sampleRate > kHighestRate) {
    error = path + ": unsupported sample rate " + std::to_string(audio.sampleRate) +
            " Hz (8000 to 768000)";
    return false;
  }
  return true;
}

// Loads the plug-in and prepares it; false with `error` (the plug-in named) on any failure.
bool openForPlayback(LoadedPlugin &plugin, const RenderOptions &options, double sampleRate,
                     std::string &error) {
  if (!plugin.open(options.plugin, error))
    return false;
  PlaybackSetup setup{sampleRate, options.blockSize, options.program, options.settings};
  if (!prepareForPlayback(*plugin.effect, setup, error)) {
    error = options.plugin + ": " + error;
    return false;
  }
  return true;
}

// Mono input gives a mono file when the plug-in's two outputs agree throughout, since nothing is
// lost then; otherwise both channels are kept.
bool keepsMono(const WavAudio &input, const StereoBuffer &output) {
  return input.channels == 1 && output.left == output.right;
}

// Joined with the separator the directory is written with: a Linux path given to the Windows
// tool under wine then comes back as it was typed.
std::string fileIn(const std::string &directory, const std::string &name) {
  const std::size_t last = directory.find_last_of("/\\");
  const char separator = last == std::string::npos
                             ? static_cast<char>(std::filesystem::path::preferred_separator)
                             : directory[last];
  return directory.back() == separator ? directory + name : directory + separator + name;
}

const char *layoutName(int channels) { return channels == 1 ? "mono" : "stereo"; }

void printSummary(std::FILE *out, HostedEffect &effect, const RenderOptions &options,
                  const WavAudio &input, const StereoBuffer &in, const StereoBuffer &rendered,
                  int latency) {
  const double seconds = static_cast<double>(in.frames()) / input.sampleRate;
  std::fprintf(out, "%s, program %d \"%s\": %zu frames (%.2f s) at %u Hz, blocks of %d\n",
               effect.effectName().c_str(), static_cast<int>(effect.dispatch(effGetProgram)),
               effect.programName().c_str(), in.frames(), seconds,
               static_cast<unsigned>(input.sampleRate), options.blockSize);
  const Levels before = measureLevels(in);
  const Levels after = measureLevels(rendered);
  std::fprintf(out, "          peak dBFS  RMS dBFS\n");
  std::fprintf(out, "input     %9s  %8s\n", decibelText(before.peakDb).c_str(),
               decibelText(before.rmsDb).c_str());
  std::fprintf(out, "output    %9s  %8s\n", decibelText(after.peakDb).c_str(),
               decibelText(after.rmsDb).c_str());
  const GainRange gain =
      measureGainRange(in, rendered, options.compensate ? 0 : latency, input.sampleRate);
  std::fprintf(out, "gain vs latency-aligned input (10 ms windows): %s to %s dB\n",
               decibelText(gain.lowestDb).c_str(), decibelText(gain.highestDb).c_str());
  std::fprintf(out, "largest gain reduction: %s dB\n",
               decibelText(gain.largestReductionDb()).c_str());
  std::fprintf(out, "latency: %d samples%s\n", latency, options.compensate ? " (compensated)" : "");
}

int renderFile(const RenderOptions &options, std::FILE *out, std::FILE *err) {
  WavAudio input;
  std::string error;
  if (!readInput(options.input, input, error))
    return fail(err, error);
  LoadedPlugin plugin;
  if (!openForPlayback(plugin, options, input.sampleRate, error))
    return fail(err, error);
  HostedEffect &effect = *plugin.effect;
  const int latency = reportedLatency(effect);

  const StereoBuffer in = toStereo(input);
  ProgressBar bar(err, ProgressBar::isTerminal(err));
  RenderPass pass;
  pass.blockSize = options.blockSize;
  pass.trimFrames = options.compensate ? latency : 0;
  pass.progress = [&bar](std::size_t done, std::size_t total) { bar.update(done, total); };
  const StereoBuffer rendered = processThrough(effect.record(), in, pass);
  bar.finish();
  effect.suspend();

  const bool mono = keepsMono(input, rendered);
  const SampleFormat format = options.floatOutput ? SampleFormat::float32 : input.format;
  WavAudio output = fromStereo(rendered, mono, format, input.sampleRate);
  keepHeaderOf(input, output);
  if (!writeWavFile(options.output, output, error))
    return fail(err, error);
  printSummary(out, effect, options, input, in, rendered, latency);
  std::fprintf(out, "wrote %s (%s, %s)\n", options.output.c_str(), formatName(format).c_str(),
               layoutName(mono ? 1 : 2));
  const bool isFloat = format == SampleFormat::float32 || format == SampleFormat::float64;
  if (!isFloat && input.stored != StoredEncoding::asFormat)
    std::fprintf(out, "note: the input is %s, which is written as %s\n",
                 encodingName(input).c_str(), formatName(format).c_str());
  if (!isFloat && measureLevels(rendered).peakDb > 0.0)
    std::fprintf(out,
                 "note: peaks above full scale were clipped in the file; --float keeps them\n");
  return 0;
}

int showInfo(const RenderOptions &options, std::FILE *out, std::FILE *err) {
  LoadedPlugin plugin;
  std::string error;
  if (!plugin.open(options.plugin, error))
    return fail(err, error);
  plugin.effect->dispatch(effOpen);
  std::fputs(describePlugin(*plugin.effect).c_str(), out);
  return 0;
}

int generateMaterial(const RenderOptions &options, std::FILE *out, std::FILE *err) {
  std::error_code code;
  std::filesystem::create_directories(options.generateDirectory, code);
  if (code)
    return fail(err, "cannot create " + options.generateDirectory + ": " + code.message());
  for (const NamedSignal &signal : exampleMaterial(options.generateRate)) {
    const std::string path = fileIn(options.generateDirectory, signal.fileName);
    std::string error;
    if (!writeWavFile(path, signal.audio, error))
      return fail(err, error);
    std::fprintf(out, "wrote %s (%s, %s, %.2f s at %u Hz)\n", path.c_str(),
                 formatName(signal.audio.format).c_str(), layoutName(signal.audio.channels),
                 static_cast<double>(signal.audio.frames()) / signal.audio.sampleRate,
                 static_cast<unsigned>(signal.audio.sampleRate));
  }
  return 0;
}

int benchmark(const RenderOptions &options, std::FILE *out, std::FILE *err) {
  WavAudio input;
  std::string error;
  if (options.input.empty())
    input = benchMaterial();
  else if (!readInput(options.input, input, error))
    return fail(err, error);
  LoadedPlugin plugin;
  if (!openForPlayback(plugin, options, input.sampleRate, error))
    return fail(err, error);
  runBench(*plugin.effect, toStereo(input), input.sampleRate, options.blockSize, options.benchRuns,
           out);
  plugin.effect->suspend();
  return 0;
}

} // namespace

int runRenderCommand(const std::vector<std::string> &arguments, std::FILE *out, std::FILE *err) {
  RenderOptions options;
  std::string error;
  if (!parseRenderOptions(arguments, options, error))
    return fail(err, error + " (render --help shows the usage)", 2);
  try {
    switch (options.mode) {
    case RenderMode::help:
      std::fputs(kRenderUsage, out);
      return 0;
    case RenderMode::info:
      return showInfo(options, out, err);
    case RenderMode::generate:
      return generateMaterial(options, out, err);
    case RenderMode::bench:
      return benchmark(options, out, err);
    case RenderMode::render:
      return renderFile(options, out, err);
    }
  } catch (const std::bad_alloc &) {
    return fail(err, "out of memory");
  } catch (const std::exception &failure) {
    return fail(err, failure.what());
  }
  return 1;
}
