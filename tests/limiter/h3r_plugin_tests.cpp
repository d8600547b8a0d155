// H3R loaded as a host loads it and driven through its record only.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "plugin/record_probes.h"
#include "recording_host.h"

namespace {

class H3RPlugin : public ::testing::Test {
protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(plugin.open(H3R_PLUGIN, error)) << error;
    effect = plugin.effect.get();
  }

  LoadedPlugin plugin;
  HostedEffect *effect = nullptr;
};

TEST_F(H3RPlugin, RecordAndIdentity) {
  const AEffect &r = *effect->record();
  EXPECT_EQ(r.numPrograms, 8);
  EXPECT_EQ(r.numParams, 5);
  EXPECT_EQ(r.numInputs, 2);
  EXPECT_EQ(r.numOutputs, 2);
  EXPECT_EQ(r.flags, 0x15) << "editor, VU and replacing";
  EXPECT_EQ(r.uniqueID, 0x33317835);
  EXPECT_EQ(r.initialDelay, 220);
  const auto probes = plugin.host.callsWith(audioMasterVersion);
  ASSERT_EQ(probes.size(), 1u);
  EXPECT_EQ(probes[0].effect, nullptr);

  EXPECT_EQ(effect->effectName(), "H3R");
  EXPECT_EQ(effect->vendorString(), "TORVEL Soft");
  EXPECT_EQ(effect->productString(), "TORVEL SOFT H3R");
  EXPECT_EQ(effect->dispatch(effGetVendorVersion), 1000);
  EXPECT_EQ(effect->dispatch(effGetPlugCategory), 1);
  EXPECT_EQ(effect->dispatch(effGetVstVersion), 2300);
  EXPECT_EQ(effect->dispatch(effGetVu), 0);
}

TEST_F(H3RPlugin, ParametersAndProgramsThroughTheDispatcher) {
  const char *names[] = {"Release", "Ceil", "Level", "Type", "Ahead"};
  const char *labels[] = {" ms ", " dB ", " dB ", "    ", "    "};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(effect->paramName(i), names[i]);
    EXPECT_EQ(effect->paramLabel(i), labels[i]);
  }
  EXPECT_EQ(effect->paramName(5), "");
  EXPECT_EQ(effect->getParameter(5), 0.0f);

  const char *programs[] = {
      "00 - Default",          "01 - Peak Limiting",      "02 - Pumping",
      "03 - Squash it!",       "04 - Hard limiter @-3dB", "05 - Hard limiter @-1dB",
      "06 - The razor's edge", "07 - Level maximizer"};
  for (int p = 0; p < 8; ++p)
    EXPECT_EQ(effect->programNameIndexed(p), programs[p]);
  EXPECT_EQ(effect->dispatch(effGetProgramNameIndexed, 8, 0, nullptr), 0);

  effect->setProgram(7);
  EXPECT_EQ(effect->dispatch(effGetProgram), 7);
  EXPECT_EQ(effect->programName(), "07 - Level maximizer");
  EXPECT_EQ(effect->paramDisplay(0), "1255.943");
  effect->setProgram(8);
  EXPECT_EQ(effect->dispatch(effGetProgram), 7);

  effect->setParameter(1, 0.25f);
  EXPECT_EQ(effect->paramDisplay(1), "-9.00000");
  char init[] = "Init";
  effect->dispatch(effSetProgramName, 0, 0, init);
  EXPECT_EQ(effect->programName(), "Init 8");
  EXPECT_EQ(effect->programNameIndexed(7), "Init");
  effect->setProgram(0);
  effect->setProgram(7);
  EXPECT_EQ(effect->getParameter(1), 0.25f) << "the edit stayed in program 7";
}

TEST_F(H3RPlugin, RateChangeLatencyAndProcessing) {
  effect->setSampleRate(48000.0f);
  effect->setBlockSize(256);
  effect->resume();
  EXPECT_EQ(effect->record()->initialDelay, 239);
  effect->setParameter(1, 1.0f); // ceiling 0 dB: the pulse passes unchanged

  std::vector<float> inL(600, 0.0f), inR(600, 0.0f), outL(600, 7.0f), outR(600, 7.0f);
  inL[5] = 0.75f;
  inR[5] = -0.25f;
  effect->processReplacing(inL.data(), inR.data(), outL.data(), outR.data(), 300);
  effect->processReplacing(inL.data() + 300, inR.data() + 300, outL.data() + 300, outR.data() + 300,
                           300);
  for (int i = 0; i < 600; ++i) {
    ASSERT_EQ(outL[i], i == 5 + 239 ? 0.75f : (i < 239 ? 0.0f : 1e-18f)) << i;
    ASSERT_EQ(outR[i], i == 5 + 239 ? -0.25f : (i < 239 ? 0.0f : 1e-18f)) << i;
  }

  // The accumulating entry overwrites as well; a loud signal is held at the ceiling.
  std::vector<float> loud(2000, 1.0f);
  effect->setParameter(1, 0.5f);
  float *inputs[2] = {loud.data(), loud.data()};
  std::vector<float> a(2000, 3.0f), b(2000, 3.0f);
  float *outputs[2] = {a.data(), b.data()};
  effect->record()->process(effect->record(), inputs, outputs, 2000);
  EXPECT_NEAR(a[1999], std::pow(10.0, -6.0 / 20.0), 1e-6);
  EXPECT_EQ(a[1999], b[1999]);
}

// A host that announces its rate only through the block-size-and-rate opcode gets the rate's
// latency and time constants, exactly as through effSetSampleRate; nonsense rates change nothing.
TEST_F(H3RPlugin, BlockSizeAndRateOpcodeAloneSetsTheRate) {
  const struct {
    float rate;
    int delay;
  } rates[] = {{48000.0f, 239}, {96000.0f, 479}};
  for (const auto &r : rates) {
    EXPECT_EQ(effect->dispatch(effSetBlockSizeAndSampleRate, 0, 256, nullptr, r.rate), 1);
    EXPECT_EQ(effect->record()->initialDelay, r.delay) << r.rate;
    effect->resume();
    EXPECT_EQ(record_probes::impulseOutputFrame(*effect, 5, 1024), 5 + r.delay) << r.rate;

    HostedEffect twin(plugin.host, plugin.host.instantiate(plugin.library.entry()));
    twin.setSampleRate(r.rate);
    twin.setBlockSize(256);
    twin.resume();
    effect->resume();
    const std::vector<float> loud = record_probes::burst(20000);
    EXPECT_EQ(record_probes::responseTo(*effect, loud), record_probes::responseTo(twin, loud))
        << r.rate;
  }
  for (float nonsense : {0.0f, -48000.0f, NAN, INFINITY}) {
    EXPECT_EQ(effect->dispatch(effSetBlockSizeAndSampleRate, 0, 512, nullptr, nonsense), 1);
    EXPECT_EQ(effect->record()->initialDelay, 479) << nonsense;
  }
  effect->resume();
  EXPECT_EQ(record_probes::impulseOutputFrame(*effect, 5, 1024), 5 + 479);
}

TEST_F(H3RPlugin, NullChannelArraysAreIgnored) {
  EXPECT_TRUE(record_probes::nullChannelsAreIgnored(*effect));
  EXPECT_EQ(record_probes::impulseOutputFrame(*effect, 5, 1024), 5 + 220) << "still processes";
}

TEST(H3RPluginEntry, AHostAnsweringZeroToTheVersionProbeGetsNothing) {
  PluginLibrary library;
  ASSERT_TRUE(library.load(H3R_PLUGIN)) << library.error();
  RecordingHost host;
  host.setAnswer(audioMasterVersion, 0);
  EXPECT_EQ(host.instantiate(library.entry()), nullptr);
  EXPECT_EQ(library.entry()(nullptr), nullptr);
}

} // namespace
