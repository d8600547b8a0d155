// The test plug-in loaded as a host loads it, driven through its record only.
#include <gtest/gtest.h>

#include <cstring>

#include "fixture/fixture_protocol.h"
#include "recording_host.h"

namespace {

class FixturePlugin : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(library.load(FIXTURE_PLUGIN)) << library.error();
    AEffect *record = host.instantiate(library.entry());
    ASSERT_NE(record, nullptr);
    effect = std::make_unique<HostedEffect>(host, record);
  }
  std::vector<HostCall> vendorEvents(VstInt32 event) {
    std::vector<HostCall> selected;
    for (const HostCall &call : host.callsWith(audioMasterVendorSpecific))
      if (call.index == event)
        selected.push_back(call);
    return selected;
  }

  PluginLibrary library;
  RecordingHost host;
  std::unique_ptr<HostedEffect> effect;
};

TEST_F(FixturePlugin, RecordAsTheHostSeesIt) {
  const AEffect &r = *effect->record();
  EXPECT_EQ(r.magic, 0x56737450);
  EXPECT_EQ(r.numPrograms, 3);
  EXPECT_EQ(r.numParams, 2);
  EXPECT_EQ(r.numInputs, 2);
  EXPECT_EQ(r.numOutputs, 2);
  EXPECT_EQ(r.flags, effFlagsHasEditor | effFlagsCanReplacing);
  EXPECT_EQ(r.uniqueID, kFixtureUniqueId);
  EXPECT_EQ(r.initialDelay, 7);
  EXPECT_EQ(r.ioRatio, 1.0f);
  EXPECT_EQ(r.version, 1);
  EXPECT_EQ(r.resvd1, 0);
  EXPECT_EQ(r.resvd2, 0);
  auto probes = host.callsWith(audioMasterVersion);
  ASSERT_EQ(probes.size(), 1u);
  EXPECT_EQ(probes[0].effect, nullptr);
}

TEST_F(FixturePlugin, DispatcherAnswers) {
  EXPECT_EQ(effect->dispatch(effIdentify), 0x4E764566);
  EXPECT_EQ(effect->dispatch(effGetVstVersion), 2300);
  EXPECT_EQ(effect->dispatch(effGetVu), 16383);
  EXPECT_EQ(effect->dispatch(effKeysRequired), 1);
  EXPECT_EQ(effect->dispatch(effConnectInput, 0, 1), 1);
  EXPECT_EQ(effect->dispatch(effConnectOutput, 1, 0), 1);
  EXPECT_EQ(effect->dispatch(effSetBlockSizeAndSampleRate, 0, 512, nullptr, 48000.0f), 1);
  EXPECT_EQ(effect->dispatch(effGetNumProgramCategories), 1);
  char query[] = "receiveVstEvents";
  EXPECT_EQ(effect->dispatch(effCanDo, 0, 0, query), 0);
  for (VstInt32 opcode : {77, 100, -1})
    EXPECT_EQ(effect->dispatch(opcode, 1, 2, query, 3.0f), 0);
  EXPECT_EQ(effect->effectName(), "Fixture");
  EXPECT_EQ(effect->vendorString(), "TORVEL Soft");
  EXPECT_EQ(effect->productString(), "TORVEL Soft Fixture");
  EXPECT_EQ(effect->programNameIndexed(2), "Fixture 2");
  EXPECT_EQ(effect->dispatch(effGetProgramNameIndexed, 3, 0, query), 0);
  EXPECT_STREQ(query, "receiveVstEvents") << "an index out of range leaves the text alone";
}

TEST_F(FixturePlugin, ValuePassesPointerSizedAndClosedEditorAnswersNoKey) {
  EXPECT_EQ(effect->dispatch(effEditKeyDown, 65, 0x1234, nullptr, 3.9f), -1);
  EXPECT_EQ(effect->dispatch(effSetTotalSampleToProcess, 0, 123456), 123456);
}

TEST_F(FixturePlugin, ProgramsAndMains) {
  effect->setProgram(2);
  EXPECT_EQ(effect->dispatch(effGetProgram), 2);
  effect->setProgram(3);
  effect->setProgram(-1);
  EXPECT_EQ(effect->dispatch(effGetProgram), 2);
  effect->dispatch(effMainsChanged, 0, 2);
  effect->dispatch(effMainsChanged, 0, 0);
  EXPECT_EQ(vendorEvents(kFixtureResumed).size(), 1u);
  EXPECT_EQ(vendorEvents(kFixtureSuspended).size(), 1u);
}

TEST_F(FixturePlugin, ParametersAndProcessing) {
  effect->setParameter(0, 0.5f);
  effect->setParameter(1, 0.25f);
  EXPECT_EQ(effect->getParameter(0), 0.5f);
  EXPECT_EQ(effect->paramName(1), "Param 1");
  EXPECT_EQ(effect->paramDisplay(1), "0.250000");
  float inL[4] = {1, 2, 3, 4}, inR[4] = {4, 4, 4, 4}, outL[4], outR[4];
  effect->processReplacing(inL, inR, outL, outR, 4);
  EXPECT_EQ(outL[3], 2.0f);
  EXPECT_EQ(outR[0], 1.0f);
}

TEST_F(FixturePlugin, CloseDestroysTheEffectAndItsEditor) {
  AEffect *record = effect->record();
  EXPECT_EQ(effect->close(), 1);
  auto effectGone = vendorEvents(kFixtureEffectDestroyed);
  auto editorGone = vendorEvents(kFixtureEditorDestroyed);
  ASSERT_EQ(effectGone.size(), 1u);
  ASSERT_EQ(editorGone.size(), 1u);
  EXPECT_EQ(effectGone[0].effect, record);
  // The effect's own destructor runs before the base destroys the editor.
  auto calls = host.calls();
  std::size_t effectAt = 0, editorAt = 0;
  for (std::size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].opcode == audioMasterVendorSpecific && calls[i].index == kFixtureEffectDestroyed)
      effectAt = i;
    if (calls[i].opcode == audioMasterVendorSpecific && calls[i].index == kFixtureEditorDestroyed)
      editorAt = i;
  }
  EXPECT_LT(effectAt, editorAt);
}

TEST(FixturePluginEntry, AHostAnsweringZeroToTheVersionProbeGetsNull) {
  PluginLibrary library;
  ASSERT_TRUE(library.load(FIXTURE_PLUGIN)) << library.error();
  RecordingHost host;
  host.setAnswer(audioMasterVersion, 0);
  EXPECT_EQ(host.instantiate(library.entry()), nullptr);
  EXPECT_TRUE(host.callsWith(audioMasterVendorSpecific).empty()) << "nothing was created";
  EXPECT_EQ(library.entry()(nullptr), nullptr) << "a null callback";
}

TEST(FixturePluginEntry, MissingLibraryAndMissingExportAreReported) {
  PluginLibrary library;
  EXPECT_FALSE(library.load("no-such-plugin.dll"));
  EXPECT_NE(library.error().find("no-such-plugin.dll"), std::string::npos);
}

} // namespace
