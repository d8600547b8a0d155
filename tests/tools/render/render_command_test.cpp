// The render command run in-process against DW5K, H3R and libraries that fail on purpose.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "plain_wav_bytes.h"
#include "recording_host.h"
#include "render_command.h"
#include "wav_file.h"

namespace fs = std::filesystem;

namespace {

struct CommandResult {
  int status;
  std::string out;
  std::string err;
};

std::string contentsOf(const fs::path &path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

class RenderCommand : public ::testing::Test {
protected:
  void SetUp() override {
    const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
    scratch = fs::temp_directory_path() / ("render-test-" + std::string(test->name()));
    fs::remove_all(scratch);
    fs::create_directories(scratch);
  }
  void TearDown() override { fs::remove_all(scratch); }

  std::string path(const std::string &name) const { return (scratch / name).string(); }

  CommandResult run(const std::vector<std::string> &arguments) {
    const fs::path outPath = scratch / "stdout.txt", errPath = scratch / "stderr.txt";
    std::FILE *out = std::fopen(outPath.string().c_str(), "wb");
    std::FILE *err = std::fopen(errPath.string().c_str(), "wb");
    const int status = runRenderCommand(arguments, out, err);
    std::fclose(out);
    std::fclose(err);
    return {status, contentsOf(outPath), contentsOf(errPath)};
  }

  void writeWav(const std::string &name, const WavAudio &audio) {
    std::string error;
    ASSERT_TRUE(writeWavFile(path(name), audio, error)) << error;
  }

  WavAudio readWav(const std::string &name) {
    WavAudio audio;
    std::string error;
    EXPECT_TRUE(readWavFile(path(name), audio, error)) << error;
    return audio;
  }

  fs::path scratch;
};

constexpr double kTwoPi = 6.283185307179586;

// Two seconds of bursts and steady passages at changing levels, loud enough to be compressed
// and limited.
WavAudio musicLike(SampleFormat format, int channels, std::uint32_t rate, double seconds = 2.0) {
  WavAudio audio;
  audio.format = format;
  audio.channels = channels;
  audio.sampleRate = rate;
  const auto frames = static_cast<std::size_t>(seconds * rate);
  for (std::size_t i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / rate;
    const double level = (i / (rate / 4)) % 3 == 0 ? 0.9 : (i / (rate / 4)) % 3 == 1 ? 0.05 : 0.4;
    const double tone = std::sin(kTwoPi * 220 * t) * 0.7 + std::sin(kTwoPi * 1375 * t) * 0.3;
    for (int c = 0; c < channels; ++c) {
      const double sample = level * tone * (c == 0 ? 1.0 : 0.8);
      const double full = std::ldexp(1.0, bitsPerSample(format) - 1);
      const bool isFloat = format == SampleFormat::float32 || format == SampleFormat::float64;
      audio.samples.push_back(isFloat ? static_cast<float>(sample)
                                      : std::nearbyint(sample * full) / full);
    }
  }
  return audio;
}

// The latency the summary reports, -1 without one.
long reportedLatency(const std::string &summary) {
  const auto at = summary.find("latency: ");
  return at == std::string::npos ? -1 : std::strtol(summary.c_str() + at + 9, nullptr, 10);
}

struct DirectSetup {
  double rate;
  int block;
  int program;
  std::vector<std::pair<int, float>> parameters;
};

// What our host library gets from the plug-in for the same samples, processed in place from
// whole-file buffers without the render command's block copies.
std::vector<std::vector<float>> processDirectly(const char *pluginPath, const WavAudio &input,
                                                const DirectSetup &setup) {
  LoadedPlugin plugin;
  std::string error;
  EXPECT_TRUE(plugin.open(pluginPath, error)) << error;
  if (!plugin.effect)
    return {};
  HostedEffect &effect = *plugin.effect;
  effect.dispatch(effOpen);
  effect.setSampleRate(static_cast<float>(setup.rate));
  effect.setBlockSize(setup.block);
  effect.resume();
  effect.setProgram(setup.program);
  for (auto [index, value] : setup.parameters)
    effect.setParameter(index, value);
  const std::size_t frames = input.frames();
  std::vector<std::vector<float>> in(2, std::vector<float>(frames)), out = in;
  for (std::size_t i = 0; i < frames; ++i)
    for (int c = 0; c < 2; ++c)
      in[c][i] = static_cast<float>(input.samples[i * input.channels + (input.channels > 1) * c]);
  for (std::size_t at = 0; at < frames; at += setup.block) {
    const auto count = static_cast<VstInt32>(std::min<std::size_t>(setup.block, frames - at));
    effect.processReplacing(in[0].data() + at, in[1].data() + at, out[0].data() + at,
                            out[1].data() + at, count);
  }
  effect.suspend();
  return out;
}

TEST_F(RenderCommand, RenderEqualsProcessingThroughTheHostLibrary) {
  struct Case {
    const char *plugin;
    std::string program;
    int programIndex;
    std::string setting;
    std::pair<int, float> parameter;
  };
  const Case cases[] = {
      {DW5K_PLUGIN, "06 - Classic comp", 6, "threshold=0.3", {2, 0.3f}},
      {DW5K_PLUGIN, "2", 2, "6=1", {6, 1.0f}},
      {H3R_PLUGIN, "07 - level MAXIMIZER", 7, "Release=0.1", {0, 0.1f}},
      {H3R_PLUGIN, "0", 0, "3=1", {3, 1.0f}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(c.plugin) + " program " + c.program);
    const WavAudio input = musicLike(SampleFormat::pcm24, 2, 48000);
    writeWav("in.wav", input);
    const CommandResult result = run({c.plugin, path("in.wav"), path("out.wav"), "--program",
                                      c.program, "--set", c.setting, "--block", "300", "--float"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    const WavAudio rendered = readWav("out.wav");
    ASSERT_EQ(rendered.format, SampleFormat::float32);
    ASSERT_EQ(rendered.channels, 2);
    EXPECT_EQ(rendered.sampleRate, 48000u);
    ASSERT_EQ(rendered.frames(), input.frames());
    const auto expected =
        processDirectly(c.plugin, input, {48000, 300, c.programIndex, {c.parameter}});
    ASSERT_EQ(expected.size(), 2u);
    std::size_t differing = 0;
    for (std::size_t i = 0; i < rendered.frames(); ++i)
      for (int ch = 0; ch < 2; ++ch)
        differing += rendered.samples[2 * i + ch] != expected[ch][i];
    EXPECT_EQ(differing, 0u);
    // The plug-in did something: the loud passages come out changed.
    EXPECT_NE(rendered.samples, input.samples);
  }
}

TEST_F(RenderCommand, OutputKeepsTheInputsFormatAndIntegerSamplesAreRounded) {
  const WavAudio input = musicLike(SampleFormat::pcm16, 1, 44100, 1.0);
  writeWav("in.wav", input);
  const CommandResult result = run({H3R_PLUGIN, path("in.wav"), path("out.wav")});
  ASSERT_EQ(result.status, 0) << result.err;
  const WavAudio rendered = readWav("out.wav");
  EXPECT_EQ(rendered.format, SampleFormat::pcm16);
  EXPECT_EQ(rendered.channels, 1) << "a mono file whose two outputs agree stays mono";
  ASSERT_EQ(rendered.frames(), input.frames());
  const auto expected = processDirectly(H3R_PLUGIN, input, {44100, 512, 0, {}});
  double worst = 0.0;
  for (std::size_t i = 0; i < rendered.frames(); ++i)
    worst = std::max(worst, std::fabs(rendered.samples[i] -
                                      std::clamp<double>(expected[0][i], -1.0, 32767.0 / 32768)));
  EXPECT_LE(worst, 0.5 / 32768 + 1e-12);
  EXPECT_NE(result.out.find("wrote " + path("out.wav") + " (PCM 16 bit, mono)"), std::string::npos)
      << result.out;
}

// An extensible input gives an extensible output with the same speakers; the 8-bit encodings
// come out as PCM 16, and the summary says so.
TEST_F(RenderCommand, TheOutputKeepsTheInputsHeader) {
  WavAudio wide = musicLike(SampleFormat::pcm16, 2, 44100, 0.3);
  wide.extensible = true;
  wide.channelMask = 0x30; // back left and right
  writeWav("wide.wav", wide);
  WavAudio centre = musicLike(SampleFormat::pcm24, 1, 44100, 0.3);
  centre.extensible = true;
  centre.channelMask = 0x100; // back centre
  writeWav("centre.wav", centre);
  std::vector<std::uint8_t> codes(8000);
  for (std::size_t i = 0; i < codes.size(); ++i)
    codes[i] = static_cast<std::uint8_t>(i * 7);
  const std::vector<std::uint8_t> aLaw = plainWavBytes(6, 2, 8, codes);
  std::ofstream(path("alaw.wav"), std::ios::binary)
      .write(reinterpret_cast<const char *>(aLaw.data()),
             static_cast<std::streamsize>(aLaw.size()));

  struct Case {
    std::string input;
    bool toFloat;
    SampleFormat format;
    int channels;
    bool extensible;
    std::uint32_t mask;
  };
  const Case cases[] = {
      {"wide.wav", false, SampleFormat::pcm16, 2, true, 0x30},
      {"wide.wav", true, SampleFormat::float32, 2, true, 0x30},
      {"centre.wav", false, SampleFormat::pcm24, 1, true, 0x100},
      {"alaw.wav", false, SampleFormat::pcm16, 2, false, 0},
      {"alaw.wav", true, SampleFormat::float32, 2, false, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.input + (c.toFloat ? " --float" : ""));
    std::vector<std::string> arguments = {DW5K_PLUGIN, path(c.input), path("out.wav")};
    if (c.toFloat)
      arguments.push_back("--float");
    const CommandResult result = run(arguments);
    ASSERT_EQ(result.status, 0) << result.err;
    const WavAudio rendered = readWav("out.wav");
    EXPECT_EQ(rendered.format, c.format);
    EXPECT_EQ(rendered.channels, c.channels);
    EXPECT_EQ(rendered.extensible, c.extensible);
    EXPECT_EQ(rendered.channelMask, c.mask);
    const bool noted = result.out.find("note: the input is A-law 8 bit, which is written as PCM "
                                       "16 bit\n") != std::string::npos;
    EXPECT_EQ(noted, c.input == "alaw.wav" && !c.toFloat) << result.out;
  }
}

// An impulse comes out where it went in with --compensate, `latency` frames later without.
TEST_F(RenderCommand, CompensationAlignsAnImpulseAndKeepsTheLength) {
  for (const char *plugin : {DW5K_PLUGIN, H3R_PLUGIN})
    for (std::uint32_t rate : {44100u, 96000u}) {
      SCOPED_TRACE(std::string(plugin) + " at " + std::to_string(rate));
      WavAudio input;
      input.format = SampleFormat::float32;
      input.channels = 1;
      input.sampleRate = rate;
      input.samples.assign(6000, 0.0);
      input.samples[1234] = 0.5;
      writeWav("impulse.wav", input);

      const CommandResult plain = run({plugin, path("impulse.wav"), path("plain.wav")});
      ASSERT_EQ(plain.status, 0) << plain.err;
      const CommandResult aligned =
          run({plugin, path("impulse.wav"), path("aligned.wav"), "--compensate"});
      ASSERT_EQ(aligned.status, 0) << aligned.err;

      auto loudest = [](const WavAudio &audio) {
        const auto &s = audio.samples;
        return std::max_element(s.begin(), s.end(),
                                [](double a, double b) { return std::fabs(a) < std::fabs(b); }) -
               s.begin();
      };
      const WavAudio late = readWav("plain.wav");
      const WavAudio onTime = readWav("aligned.wav");
      ASSERT_EQ(late.frames(), 6000u);
      ASSERT_EQ(onTime.frames(), 6000u);
      const auto latencyAt = static_cast<std::size_t>(reportedLatency(plain.out));
      ASSERT_GT(latencyAt, 0u);
      EXPECT_EQ(loudest(late), 1234 + latencyAt);
      EXPECT_EQ(loudest(onTime), 1234);
      // Everything the plain render holds from the impulse on is in the aligned one, earlier.
      for (std::size_t i = 0; i + latencyAt < 6000; ++i)
        ASSERT_EQ(onTime.samples[i], late.samples[i + latencyAt]) << "frame " << i;
      EXPECT_NE(aligned.out.find("(compensated)"), std::string::npos);
    }
}

// Every failure is one line on standard error, a non-zero status, and leaves OUT.wav alone.
TEST_F(RenderCommand, FailuresAreOneLineAndLeaveTheOutputAlone) {
  writeWav("good.wav", musicLike(SampleFormat::pcm16, 2, 44100, 0.2));
  std::vector<std::uint8_t> bytes = encodeWav(musicLike(SampleFormat::pcm16, 2, 44100, 0.2));
  auto save = [&](const std::string &name, const std::vector<std::uint8_t> &content) {
    std::ofstream(path(name), std::ios::binary)
        .write(reinterpret_cast<const char *>(content.data()),
               static_cast<std::streamsize>(content.size()));
  };
  save("truncated.wav", std::vector<std::uint8_t>(bytes.begin(), bytes.end() - 100));
  std::vector<std::uint8_t> adpcm = bytes;
  adpcm[20] = 2; // the format tag of the plain header
  save("adpcm.wav", adpcm);
  save("text.wav", {'h', 'e', 'l', 'l', 'o', '\n'});
  WavAudio slow = musicLike(SampleFormat::pcm16, 1, 4000, 0.2);
  writeWav("slow.wav", slow);

  const std::string good = path("good.wav");
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string message; // a part of the one line
  };
  const std::vector<Case> cases = {
      {{DW5K_PLUGIN, path("missing.wav")}, 2, "missing output"},
      {{DW5K_PLUGIN, path("missing.wav"), path("out.wav")}, 1, "cannot open"},
      {{DW5K_PLUGIN, path("text.wav"), path("out.wav")}, 1, "not a WAV file"},
      {{DW5K_PLUGIN, path("truncated.wav"), path("out.wav")}, 1, "truncated data chunk"},
      {{DW5K_PLUGIN, path("adpcm.wav"), path("out.wav")}, 1, "unsupported sample encoding"},
      {{DW5K_PLUGIN, path("slow.wav"), path("out.wav")}, 1, "unsupported sample rate 4000 Hz"},
      {{"no-such-plugin.dll", good, path("out.wav")}, 1, "cannot load no-such-plugin.dll"},
      {{BROKEN_NO_MAIN, good, path("out.wav")}, 1, "exports no main"},
      {{BROKEN_NULL_MAIN, good, path("out.wav")}, 1, "main answered null"},
      {{BROKEN_WRONG_MAGIC, good, path("out.wav")}, 1, "magic is wrong"},
      {{BROKEN_MONO, good, path("out.wav")}, 1, "1 inputs and 1 outputs"},
      {{DW5K_PLUGIN, good, path("out.wav"), "--program", "99 - Nope"},
       1,
       "unknown program \"99 - Nope\""},
      {{DW5K_PLUGIN, good, path("out.wav"), "--program", "8"}, 1, "unknown program 8"},
      {{H3R_PLUGIN, good, path("out.wav"), "--set", "Volume=0.5"},
       1,
       "unknown parameter \"Volume\" (known: \"Release\", \"Ceil\""},
      {{H3R_PLUGIN, good, path("out.wav"), "--set", "5=0.5"}, 1, "unknown parameter 5"},
      {{H3R_PLUGIN, good, path("out.wav"), "--set", "Ceil=loud"}, 2, "not a number: \"loud\""},
      {{H3R_PLUGIN, good, path("out.wav"), "--set", "Ceil=1.5"}, 2, "outside 0 to 1"},
      {{H3R_PLUGIN, good, path("out.wav"), "--set", "Ceil=nan"}, 2, "not a number"},
      {{H3R_PLUGIN, good, path("out.wav"), "--block", "0"}, 2, "--block needs a whole number"},
      {{H3R_PLUGIN, good, path("out.wav"), "--fast"}, 2, "unknown option --fast"},
      {{H3R_PLUGIN, good, path("no-folder/out.wav")}, 1, "cannot write"},
  };
  for (const Case &c : cases) {
    std::string line;
    for (const auto &argument : c.arguments)
      line += argument + " ";
    SCOPED_TRACE(line);
    save("out.wav", {'k', 'e', 'e', 'p'});
    const CommandResult result = run(c.arguments);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.err.rfind("render: ", 0), 0u) << result.err;
    EXPECT_NE(result.err.find(c.message), std::string::npos) << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_EQ(result.err.back(), '\n');
    EXPECT_EQ(contentsOf(path("out.wav")), "keep");
    EXPECT_FALSE(fs::exists(path("no-folder")));
  }
  // Nothing but the inputs and the untouched output is left in the folder.
  std::vector<std::string> left;
  for (const auto &entry : fs::directory_iterator(scratch))
    left.push_back(entry.path().filename().string());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left,
            (std::vector<std::string>{"adpcm.wav", "good.wav", "out.wav", "slow.wav", "stderr.txt",
                                      "stdout.txt", "text.wav", "truncated.wav"}));
}

// The parameter and program tables as a user reads them, from the first line on parameters.
std::string tablesOf(const std::string &info) {
  const auto at = info.find("parameters:");
  return at == std::string::npos ? std::string() : info.substr(at);
}

TEST_F(RenderCommand, InfoListsIdentityParametersAndPrograms) {
  const CommandResult dw5k = run({"--info", DW5K_PLUGIN});
  ASSERT_EQ(dw5k.status, 0) << dw5k.err;
  for (const char *line : {"effect name:    DW5K\n", "vendor:         TORVEL Soft\n",
                           "product:        TORVEL Soft DW5K\n", "vendor version: 1000\n",
                           "unique ID:      iw69 (0x69773639)\n", "category:       1\n",
                           "inputs/outputs: 2/2\n", "latency:        220 samples\n"})
    EXPECT_NE(dw5k.out.find(line), std::string::npos) << line;
  EXPECT_EQ(tablesOf(dw5k.out),
            "parameters:     7\n"
            "  0  Attack  value 0.500000  display \"100.0000\"  label \" ms \"\n"
            "  1  Release  value 0.500000  display \"500.0000\"  label \" ms \"\n"
            "  2  Threshold  value 0.500000  display \"-20.0000\"  label \" dB \"\n"
            "  3  Ratio  value 0.500000  display \"0.096153\"  label \"    \"\n"
            "  4  Level  value 0.500000  display \"0.000000\"  label \" dB \"\n"
            "  5  Type  value 0.000000  display \"0.000000\"  label \"    \"\n"
            "  6  Ahead  value 0.000000  display \"0.000000\"  label \"    \"\n"
            "programs:       8\n"
            "  0  00 - Default\n"
            "  1  01 - Peak suppressor\n"
            "  2  02 - Transient\n"
            "  3  03 - Leveller\n"
            "  4  04 - Expander\n"
            "  5  05 - Smooth\n"
            "  6  06 - Classic comp\n"
            "  7  07 - Vocal\n");

  const CommandResult h3r = run({"--info", H3R_PLUGIN});
  ASSERT_EQ(h3r.status, 0) << h3r.err;
  for (const char *line : {"effect name:    H3R\n", "product:        TORVEL SOFT H3R\n",
                           "unique ID:      31x5 (0x33317835)\n"})
    EXPECT_NE(h3r.out.find(line), std::string::npos) << line;
  EXPECT_EQ(tablesOf(h3r.out),
            "parameters:     5\n"
            "  0  Release  value 0.500000  display \"500.0000\"  label \" ms \"\n"
            "  1  Ceil  value 0.500000  display \"-6.00000\"  label \" dB \"\n"
            "  2  Level  value 0.500000  display \"0.000000\"  label \" dB \"\n"
            "  3  Type  value 0.000000  display \"0.000000\"  label \"    \"\n"
            "  4  Ahead  value 0.000000  display \"0.000000\"  label \"    \"\n"
            "programs:       8\n"
            "  0  00 - Default\n"
            "  1  01 - Peak Limiting\n"
            "  2  02 - Pumping\n"
            "  3  03 - Squash it!\n"
            "  4  04 - Hard limiter @-3dB\n"
            "  5  05 - Hard limiter @-1dB\n"
            "  6  06 - The razor's edge\n"
            "  7  07 - Level maximizer\n");

  const CommandResult broken = run({"--info", BROKEN_NULL_MAIN});
  EXPECT_EQ(broken.status, 1);
  EXPECT_NE(broken.err.find("main answered null"), std::string::npos) << broken.err;
}

// The example material is written where asked, and the summary of a render through the
// limiter reports what it did: a loud step tone brought under the ceiling.
TEST_F(RenderCommand, GeneratedMaterialRendersWithASummary) {
  const CommandResult generated = run({"--generate", path("material"), "--rate", "48000"});
  ASSERT_EQ(generated.status, 0) << generated.err;
  for (const char *name : {"drum-and-bass.wav", "sine-sweep.wav", "step-tone.wav"}) {
    const WavAudio audio = readWav("material/" + std::string(name));
    EXPECT_EQ(audio.sampleRate, 48000u) << name;
    EXPECT_GT(audio.frames(), 48000u) << name;
  }
  // Files are named with the separator the folder was given with, whatever the system's own.
  const std::string forward = scratch.generic_string() + "/forward";
  const CommandResult slashes = run({"--generate", forward, "--rate", "8000"});
  ASSERT_EQ(slashes.status, 0) << slashes.err;
  EXPECT_NE(slashes.out.find("wrote " + forward + "/step-tone.wav ("), std::string::npos)
      << slashes.out;
  const CommandResult limited =
      run({H3R_PLUGIN, path("material/step-tone.wav"), path("limited.wav"), "--program",
           "00 - Default", "--compensate"});
  ASSERT_EQ(limited.status, 0) << limited.err;
  double inPeak = 0, outPeak = 0, reduction = 0;
  ASSERT_EQ(
      std::sscanf(limited.out.substr(limited.out.find("input ")).c_str(), "input %lf", &inPeak), 1);
  ASSERT_EQ(
      std::sscanf(limited.out.substr(limited.out.find("output ")).c_str(), "output %lf", &outPeak),
      1);
  ASSERT_EQ(std::sscanf(limited.out.substr(limited.out.find("largest gain")).c_str(),
                        "largest gain reduction: %lf", &reduction),
            1);
  EXPECT_NEAR(inPeak, -3.0, 0.1) << limited.out;
  EXPECT_LT(outPeak, -5.9) << "the default program's ceiling is -6 dB";
  EXPECT_GT(reduction, 2.5) << limited.out;
  EXPECT_NE(limited.out.find("latency: "), std::string::npos);
}

TEST_F(RenderCommand, BenchReportsCostsAndFiniteOutput) {
  writeWav("in.wav", musicLike(SampleFormat::float32, 2, 44100, 1.0));
  const CommandResult bench = run({"--bench", "2", DW5K_PLUGIN, path("in.wav"), "--block", "64"});
  ASSERT_EQ(bench.status, 0) << bench.err;
  EXPECT_NE(bench.out.find("runs: 2  ns per stereo frame: median "), std::string::npos)
      << bench.out;
  EXPECT_NE(bench.out.find("non-finite 0"), std::string::npos) << bench.out;
  EXPECT_NE(bench.out.find("44100 stereo frames"), std::string::npos) << bench.out;
}

} // namespace
