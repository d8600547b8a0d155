#include <gtest/gtest.h>

#include "effect/plugin_entry.h"
#include "framework/effect/probe_effect.h"
#include "recording_host.h"

namespace {

template <class Effect> AEffect *VSTCALLBACK pluginMainFor(audioMasterCallback host) {
  return createPluginEffect<Effect>(host);
}

int constructed = 0;
int destroyedCount = 0;

class EntryEffect : public ProbeEffect {
public:
  explicit EntryEffect(audioMasterCallback host) : ProbeEffect(host, &destroyedCount) {
    ++constructed;
  }
};

class FailingEditorEffect : public ProbeEffect {
public:
  explicit FailingEditorEffect(audioMasterCallback host) : ProbeEffect(host, &destroyedCount) {
    ++constructed;
    outOfMemory = true;
  }
};

class PluginEntry : public ::testing::Test {
protected:
  void SetUp() override { constructed = destroyedCount = 0; }
  // The flag is never cleared in a plug-in; the tests share one process.
  void TearDown() override { outOfMemory = false; }
};

TEST_F(PluginEntry, ProbesTheHostThenReturnsTheRecord) {
  RecordingHost host;
  AEffect *record = host.instantiate(&pluginMainFor<EntryEffect>);
  ASSERT_NE(record, nullptr);
  auto calls = host.calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].effect, nullptr);
  EXPECT_EQ(calls[0].opcode, audioMasterVersion);
  EXPECT_EQ(calls[0].index, 0);
  EXPECT_EQ(calls[0].value, 0);
  EXPECT_EQ(calls[0].ptr, nullptr);
  EXPECT_EQ(calls[0].opt, 0.0f);
  EXPECT_EQ(record->magic, kEffectMagic);
  EXPECT_EQ(record->dispatcher(record, effClose, 0, 0, nullptr, 0), 1);
  EXPECT_EQ(destroyedCount, 1);
}

TEST_F(PluginEntry, AHostAnsweringZeroGetsNothing) {
  RecordingHost host;
  host.setAnswer(audioMasterVersion, 0);
  EXPECT_EQ(host.instantiate(&pluginMainFor<EntryEffect>), nullptr);
  EXPECT_EQ(constructed, 0);
  EXPECT_EQ(createPluginEffect<EntryEffect>(nullptr), nullptr);
  EXPECT_EQ(constructed, 0);
}

TEST_F(PluginEntry, AFailedEditorDestroysTheEffectAndEveryLaterCallFails) {
  RecordingHost host;
  EXPECT_EQ(host.instantiate(&pluginMainFor<FailingEditorEffect>), nullptr);
  EXPECT_EQ(constructed, 1);
  EXPECT_EQ(destroyedCount, 1);
  EXPECT_EQ(host.instantiate(&pluginMainFor<EntryEffect>), nullptr);
  EXPECT_EQ(constructed, 2);
  EXPECT_EQ(destroyedCount, 2);
}

} // namespace
