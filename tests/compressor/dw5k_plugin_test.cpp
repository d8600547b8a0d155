// DW5K loaded as a host loads it and driven through its record only.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plugin/record_probes.h"
#include "plugin_report.h"

namespace {

class Dw5kPlugin : public ::testing::Test {
protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(plugin.open(DW5K_PLUGIN, error)) << error;
    effect = plugin.effect.get();
  }
  LoadedPlugin plugin;
  HostedEffect *effect = nullptr;
};

TEST_F(Dw5kPlugin, RecordAndIdentity) {
  const AEffect &r = *effect->record();
  EXPECT_EQ(r.magic, kEffectMagic);
  EXPECT_EQ(r.numPrograms, 8);
  EXPECT_EQ(r.numParams, 7);
  EXPECT_EQ(r.numInputs, 2);
  EXPECT_EQ(r.numOutputs, 2);
  EXPECT_EQ(r.flags, effFlagsHasEditor | effFlagsHasVu | effFlagsCanReplacing);
  EXPECT_EQ(r.uniqueID, 0x69773639);
  EXPECT_EQ(r.initialDelay, 220);
  EXPECT_EQ(r.ioRatio, 1.0f);
  EXPECT_EQ(effect->effectName(), "DW5K");
  EXPECT_EQ(effect->vendorString(), "TORVEL Soft");
  EXPECT_EQ(effect->productString(), "TORVEL Soft DW5K");
  EXPECT_EQ(effect->dispatch(effGetVendorVersion), 1000);
  EXPECT_EQ(effect->dispatch(effGetPlugCategory), 1);
  EXPECT_EQ(effect->dispatch(effGetVu), 0);
  EXPECT_EQ(effect->dispatch(effGetEffectName), 0) << "no text buffer, no answer";
  EXPECT_EQ(plugin.host.callsWith(audioMasterVersion).size(), 1u);
}

TEST_F(Dw5kPlugin, ParameterTextsOfEveryProgram) {
  const char *names[7] = {"Attack", "Release", "Threshold", "Ratio", "Level", "Type", "Ahead"};
  const char *labels[7] = {" ms ", " ms ", " dB ", "    ", " dB ", "    ", "    "};
  const struct {
    const char *name;
    const char *display[7];
  } programs[8] = {
      {"00 - Default",
       {"100.0000", "500.0000", "-20.0000", "0.096153", "0.000000", "0.000000", "0.000000"}},
      {"01 - Peak suppressor",
       {"0.000000", "50.00000", "-9.68575", "0.050000", "0.000000", "0.000000", "1.000000"}},
      {"02 - Transient",
       {"130.0000", "50.00000", "-34.0000", "0.117924", "0.000000", "0.000000", "0.000000"}},
      {"03 - Leveller",
       {"0.000000", "500.0000", "-32.3195", "0.069922", "6.400001", "1.000000", "1.000000"}},
      {"04 - Expander",
       {"0.000000", "826.6278", "-23.5184", "1.250000", "0.000000", "1.000000", "1.000000"}},
      {"05 - Smooth",
       {"10.39720", "1025.888", "-10.0000", "0.062386", "0.000000", "1.000000", "1.000000"}},
      {"06 - Classic comp",
       {"10.39720", "99.93554", "-20.0000", "0.068804", "6.281120", "0.000000", "1.000000"}},
      {"07 - Vocal",
       {"15.22669", "50.00000", "-20.0000", "0.133680", "0.000000", "0.000000", "1.000000"}},
  };
  for (int p = 0; p < 8; ++p) {
    effect->setProgram(p);
    EXPECT_EQ(effect->dispatch(effGetProgram), p);
    EXPECT_EQ(effect->programName(), programs[p].name);
    EXPECT_EQ(effect->programNameIndexed(p), programs[p].name);
    for (int i = 0; i < 7; ++i) {
      EXPECT_EQ(effect->paramName(i), names[i]);
      EXPECT_EQ(effect->paramLabel(i), labels[i]);
      EXPECT_EQ(effect->paramDisplay(i), programs[p].display[i]) << "program " << p << " " << i;
    }
  }
  EXPECT_EQ(effect->paramName(7), "");
  char text[32] = "untouched";
  EXPECT_EQ(effect->dispatch(effGetProgramNameIndexed, 8, 0, text), 0);
  EXPECT_STREQ(text, "untouched");
}

TEST_F(Dw5kPlugin, ProgramsRenameAndSwitchThroughTheDispatcher) {
  effect->setProgram(3);
  char init[] = "Init";
  effect->dispatch(effSetProgramName, 0, 0, init);
  EXPECT_EQ(effect->programName(), "Init 4");
  EXPECT_EQ(effect->programNameIndexed(3), "Init");
  effect->setParameter(1, 0.25f);
  effect->setProgram(8);
  effect->setProgram(-3);
  EXPECT_EQ(effect->dispatch(effGetProgram), 3);
  effect->setProgram(0);
  effect->setProgram(3);
  EXPECT_EQ(effect->getParameter(1), 0.25f);
}

TEST_F(Dw5kPlugin, LatencyFollowsTheSampleRateAndDelaysAnImpulse) {
  effect->setSampleRate(48000.0f);
  effect->setBlockSize(256);
  effect->resume();
  EXPECT_EQ(effect->record()->initialDelay, 239);
  std::vector<float> inL(512, 0.0f), inR(512, 0.0f), outL(512, 9.0f), outR(512, 9.0f);
  inL[5] = inR[5] = 0.5f;
  effect->processReplacing(inL.data(), inR.data(), outL.data(), outR.data(), 256);
  effect->processReplacing(&inL[256], &inR[256], &outL[256], &outR[256], 256);
  for (int i = 0; i < 512; ++i) {
    EXPECT_EQ(std::fabs(outL[i]) > 1e-6f, i == 5 + 239) << i;
    EXPECT_EQ(outL[i], outR[i]);
  }
}

// A host that announces its rate only through the block-size-and-rate opcode gets the rate's
// latency and time constants, exactly as through effSetSampleRate; nonsense rates change nothing.
TEST_F(Dw5kPlugin, BlockSizeAndRateOpcodeAloneSetsTheRate) {
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

TEST_F(Dw5kPlugin, NullChannelArraysAreIgnored) {
  EXPECT_TRUE(record_probes::nullChannelsAreIgnored(*effect));
  EXPECT_EQ(record_probes::impulseOutputFrame(*effect, 5, 1024), 5 + 220) << "still processes";
}

} // namespace
