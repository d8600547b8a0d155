#include <gtest/gtest.h>

#include <functional>

#include "framework/effect/probe_effect.h"
#include "recording_host.h"

namespace {

struct ServiceCase {
  const char *name;
  VstInt32 opcode;
  VstInt32 index;
  VstIntPtr value;
  bool passesPtr; // the service passes the probe pointer below as ptr
  float opt;
  std::function<VstIntPtr(ProbeEffect &, void *)> call;
  VstIntPtr answer;      // what the host answers
  VstIntPtr expected;    // what the service then returns (as an integer)
  VstIntPtr withoutHost; // what it returns with a null callback
};

char probeBuffer[64];
void *const probe = probeBuffer;

VstIntPtr ptrValue(const void *p) { return reinterpret_cast<VstIntPtr>(p); }

std::vector<ServiceCase> serviceCases() {
  using E = ProbeEffect;
  return {
      {"getMasterVersion", 1, 0, 0, false, 0, [](E &e, void *) { return e.getMasterVersion(); },
       2400, 2400, 1},
      {"getMasterVersion zero", 1, 0, 0, false, 0,
       [](E &e, void *) { return e.getMasterVersion(); }, 0, 1, 1},
      {"getCurrentUniqueId", 2, 0, 0, false, 0, [](E &e, void *) { return e.getCurrentUniqueId(); },
       77, 77, 0},
      {"masterIdle", 3, 0, 0, false, 0, [](E &e, void *) { return e.masterIdle(), 0; }, 5, 0, 0},
      {"isInputConnected yes", 4, 3, 0, false, 0,
       [](E &e, void *) { return VstIntPtr{e.isInputConnected(3)}; }, 0, 1, 1},
      {"isInputConnected no", 4, 3, 0, false, 0,
       [](E &e, void *) { return VstIntPtr{e.isInputConnected(3)}; }, 1, 0, 1},
      {"isOutputConnected", 4, 1, 1, false, 0,
       [](E &e, void *) { return VstIntPtr{e.isOutputConnected(1)}; }, 0, 1, 1},
      {"requestEvents", 6, 0, 9, false, 0, [](E &e, void *) { return e.requestEvents(9), 0; }, 1, 0,
       0},
      {"getTimeInfo", 7, 0, 3, false, 0, [](E &e, void *) { return ptrValue(e.getTimeInfo(3)); },
       ptrValue(probe), ptrValue(probe), 0},
      {"sendEventsToHost one", 8, 0, 0, true, 0,
       [](E &e, void *p) { return VstIntPtr{e.sendEventsToHost(static_cast<VstEvents *>(p))}; }, 1,
       1, 0},
      {"sendEventsToHost two", 8, 0, 0, true, 0,
       [](E &e, void *p) { return VstIntPtr{e.sendEventsToHost(static_cast<VstEvents *>(p))}; }, 2,
       0, 0},
      {"tempoAt", 10, 0, 1234, false, 0, [](E &e, void *) { return e.tempoAt(1234); }, 120000,
       120000, 0},
      {"getNumAutomatableParameters", 11, 0, 0, false, 0,
       [](E &e, void *) { return e.getNumAutomatableParameters(); }, 8, 8, 0},
      {"getParameterQuantization", 12, 0, 0, false, 0,
       [](E &e, void *) { return e.getParameterQuantization(); }, 100, 100, 0},
      {"ioChanged", 13, 0, 0, false, 0, [](E &e, void *) { return VstIntPtr{e.ioChanged()}; }, 7, 1,
       0},
      {"needIdle", 14, 0, 0, false, 0, [](E &e, void *) { return VstIntPtr{e.needIdle()}; }, 0, 0,
       0},
      {"sizeWindow", 15, 430, 180, false, 0,
       [](E &e, void *) { return VstIntPtr{e.sizeWindow(430, 180)}; }, 1, 1, 0},
      {"getInputLatency", 18, 0, 0, false, 0, [](E &e, void *) { return e.getInputLatency(); }, 64,
       64, 0},
      {"getOutputLatency", 19, 0, 0, false, 0, [](E &e, void *) { return e.getOutputLatency(); },
       65, 65, 0},
      {"getPreviousPlug", 20, 0, 0, false, 0,
       [](E &e, void *) { return ptrValue(e.getPreviousPlug(5)); }, ptrValue(probe),
       ptrValue(probe), 0},
      {"getNextPlug", 21, 0, 0, false, 0, [](E &e, void *) { return ptrValue(e.getNextPlug(5)); },
       ptrValue(probe), ptrValue(probe), 0},
      {"willReplaceOrAccumulate", 22, 0, 0, false, 0,
       [](E &e, void *) { return e.willReplaceOrAccumulate(); }, 2, 2, 0},
      {"getCurrentProcessLevel", 23, 0, 0, false, 0,
       [](E &e, void *) { return e.getCurrentProcessLevel(); }, 3, 3, 0},
      {"getAutomationState", 24, 0, 0, false, 0,
       [](E &e, void *) { return e.getAutomationState(); }, 4, 4, 0},
      {"offlineStart", 25, 2, 5, true, 0,
       [](E &e, void *p) {
         return VstIntPtr{e.offlineStart(static_cast<VstAudioFile *>(p), 5, 2)};
       },
       9, 1, 0},
      {"offlineRead", 26, 1, 4, true, 0,
       [](E &e, void *p) {
         return VstIntPtr{e.offlineRead(static_cast<VstOfflineTask *>(p), 4, true)};
       },
       0, 0, 0},
      {"offlineWrite", 27, 0, 6, true, 0,
       [](E &e, void *p) { return VstIntPtr{e.offlineWrite(static_cast<VstOfflineTask *>(p), 6)}; },
       1, 1, 0},
      {"offlineGetCurrentPass", 28, 0, 0, false, 0,
       [](E &e, void *) { return e.offlineGetCurrentPass(); }, 5, 1, 0},
      {"offlineGetCurrentMetaPass", 29, 0, 0, false, 0,
       [](E &e, void *) { return e.offlineGetCurrentMetaPass(); }, 0, 0, 0},
      {"setOutputSampleRate", 30, 0, 0, false, 22050.0f,
       [](E &e, void *) { return e.setOutputSampleRate(22050.0f), 0; }, 1, 0, 0},
      {"getOutputSpeakerArrangement", 31, 0, 0, false, 0,
       [](E &e, void *) { return ptrValue(e.getOutputSpeakerArrangement()); }, ptrValue(probe),
       ptrValue(probe), 0},
      {"getHostVendorString", 32, 0, 0, true, 0,
       [](E &e, void *p) { return VstIntPtr{e.getHostVendorString(static_cast<char *>(p))}; }, 1, 1,
       0},
      {"getHostProductString", 33, 0, 0, true, 0,
       [](E &e, void *p) { return VstIntPtr{e.getHostProductString(static_cast<char *>(p))}; }, 0,
       0, 0},
      {"getHostVendorVersion", 34, 0, 0, false, 0,
       [](E &e, void *) { return e.getHostVendorVersion(); }, 1100, 1100, 0},
      {"hostVendorSpecific", 35, 7, 8, true, 2.5f,
       [](E &e, void *p) { return e.hostVendorSpecific(7, 8, p, 2.5f); }, 42, 42, 0},
      {"canHostDo", 37, 0, 0, true, 0,
       [](E &e, void *p) { return VstIntPtr{e.canHostDo(static_cast<char *>(p))}; }, 5, 1, 0},
      {"getHostLanguage", 38, 0, 0, false, 0, [](E &e, void *) { return e.getHostLanguage(); }, 2,
       2, 0},
      {"openWindow", 39, 0, 0, true, 0,
       [](E &e, void *p) { return ptrValue(e.openWindow(static_cast<VstWindow *>(p))); },
       ptrValue(probe), ptrValue(probe), 0},
      {"closeWindow", 40, 0, 0, true, 0,
       [](E &e, void *p) { return VstIntPtr{e.closeWindow(static_cast<VstWindow *>(p))}; }, 1, 1,
       0},
      {"getDirectory", 41, 0, 0, false, 0, [](E &e, void *) { return ptrValue(e.getDirectory()); },
       ptrValue(probe), ptrValue(probe), 0},
      {"updateDisplay", 42, 0, 0, false, 0,
       [](E &e, void *) { return VstIntPtr{e.updateDisplay()}; }, 1, 1, 0},
      {"beginEdit", 43, 2, 0, false, 0, [](E &e, void *) { return VstIntPtr{e.beginEdit(2)}; }, 1,
       1, 0},
      {"endEdit", 44, 2, 0, false, 0, [](E &e, void *) { return VstIntPtr{e.endEdit(2)}; }, 0, 0,
       0},
      {"openFileSelector", 45, 0, 0, true, 0,
       [](E &e, void *p) { return VstIntPtr{e.openFileSelector(static_cast<VstFileSelect *>(p))}; },
       1, 1, 0},
      {"closeFileSelector", 46, 0, 0, true, 0,
       [](E &e, void *p) {
         return VstIntPtr{e.closeFileSelector(static_cast<VstFileSelect *>(p))};
       },
       1, 1, 0},
      {"getChunkFile", 48, 0, 0, true, 0,
       [](E &e, void *p) { return VstIntPtr{e.getChunkFile(p)}; }, 1, 1, 0},
      {"getInputSpeakerArrangement", 49, 0, 0, false, 0,
       [](E &e, void *) { return ptrValue(e.getInputSpeakerArrangement()); }, ptrValue(probe),
       ptrValue(probe), 0},
  };
}

TEST(HostServices, EachServiceSendsItsOpcodeAndArgumentsAndMapsTheAnswer) {
  for (const ServiceCase &c : serviceCases()) {
    SCOPED_TRACE(c.name);
    RecordingHost host;
    ProbeEffect effect(RecordingHost::callback());
    host.adopt(effect.getAeffect());
    host.setAnswer(c.opcode, c.answer);
    EXPECT_EQ(c.call(effect, probe), c.expected);
    auto calls = host.calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].effect, effect.getAeffect());
    EXPECT_EQ(calls[0].opcode, c.opcode);
    EXPECT_EQ(calls[0].index, c.index);
    EXPECT_EQ(calls[0].value, c.value);
    EXPECT_EQ(calls[0].ptr, c.passesPtr ? probe : nullptr);
    EXPECT_EQ(calls[0].opt, c.opt);
  }
}

TEST(HostServices, EachServiceAnswersItsFallbackWithoutHost) {
  for (const ServiceCase &c : serviceCases()) {
    SCOPED_TRACE(c.name);
    ProbeEffect effect(nullptr);
    EXPECT_EQ(c.call(effect, probe), c.withoutHost);
  }
}

TEST(HostServices, NullRecordsAreNotSentToTheHost) {
  RecordingHost host;
  ProbeEffect effect(RecordingHost::callback());
  host.adopt(effect.getAeffect());
  host.setAnswer(audioMasterOpenFileSelector, 1);
  host.setAnswer(audioMasterCloseFileSelector, 1);
  host.setAnswer(audioMasterGetChunkFile, 1);
  EXPECT_FALSE(effect.openFileSelector(nullptr));
  EXPECT_FALSE(effect.closeFileSelector(nullptr));
  EXPECT_FALSE(effect.getChunkFile(nullptr));
  EXPECT_TRUE(host.calls().empty());
}

TEST(HostServices, SampleRateAndBlockSizeUpdatesKeepOnlyPositiveAnswers) {
  RecordingHost host;
  ProbeEffect effect(RecordingHost::callback());
  host.adopt(effect.getAeffect());
  host.setAnswer(audioMasterGetSampleRate, 96000);
  host.setAnswer(audioMasterGetBlockSize, 64);
  EXPECT_EQ(effect.updateSampleRate(), 96000.0f);
  EXPECT_EQ(effect.updateBlockSize(), 64);
  host.setAnswer(audioMasterGetSampleRate, 0);
  host.setAnswer(audioMasterGetBlockSize, -5);
  EXPECT_EQ(effect.updateSampleRate(), 96000.0f);
  EXPECT_EQ(effect.updateBlockSize(), 64);
  ProbeEffect alone;
  EXPECT_EQ(alone.updateSampleRate(), 44100.0f);
  EXPECT_EQ(alone.updateBlockSize(), 1024);
}

TEST(HostServices, CanHostDoPassesTheText) {
  RecordingHost host;
  ProbeEffect effect(RecordingHost::callback());
  host.adopt(effect.getAeffect());
  char query[] = "sizeWindow";
  effect.canHostDo(query);
  ASSERT_EQ(host.calls().size(), 1u);
  EXPECT_EQ(host.calls()[0].text, "sizeWindow");
}

} // namespace
