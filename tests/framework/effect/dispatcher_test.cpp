#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "framework/effect/probe_effect.h"

namespace {

VstIntPtr dispatch(EffectBase &effect, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                   void *ptr = nullptr, float opt = 0.0f) {
  AEffect *record = effect.getAeffect();
  return record->dispatcher(record, opcode, index, value, ptr, opt);
}

TEST(Dispatcher, UnlistedOpcodesAnswerZeroAndChangeNothing) {
  ProbeEffect effect;
  auto *editor = new ProbeEditor(&effect);
  effect.setEditor(editor);
  const AEffect before = *effect.getAeffect();
  char text[64] = "unchanged";
  for (VstInt32 opcode : {77, 100, -1, 16, 17, 18, 20, 21, 1000000})
    EXPECT_EQ(dispatch(effect, opcode, 3, 4, text, 5.0f), 0) << opcode;
  EXPECT_STREQ(text, "unchanged");
  EXPECT_EQ(std::memcmp(&before, effect.getAeffect(), sizeof before), 0);
  EXPECT_EQ(effect.programCalls + effect.suspends + effect.resumes, 0);
  EXPECT_EQ(editor->opens + editor->closes + editor->updates, 0);
}

TEST(Dispatcher, FixedAnswers) {
  ProbeEffect effect;
  char query[] = "sendVstEvents";
  EXPECT_EQ(dispatch(effect, effIdentify), kIdentifyAnswer);
  EXPECT_EQ(kIdentifyAnswer, 0x4E764566);
  EXPECT_EQ(dispatch(effect, effGetVstVersion), 2300);
  EXPECT_EQ(dispatch(effect, effKeysRequired), 1) << "inverted default";
  EXPECT_EQ(dispatch(effect, effGetNumProgramCategories), 1);
  EXPECT_EQ(dispatch(effect, effCanDo, 0, 0, query), 0);
  EXPECT_EQ(dispatch(effect, effCanBeAutomated, 1), 1);
  EXPECT_EQ(dispatch(effect, effGetCurrentMidiProgram, 0, 0, query), -1);
  EXPECT_EQ(dispatch(effect, effSetTotalSampleToProcess, 0, 4096), 4096);
  EXPECT_EQ(dispatch(effect, effGetTailSize), 0);
  EXPECT_EQ(dispatch(effect, effSetBypass, 0, 1), 0);
  EXPECT_EQ(dispatch(effect, effGetPlugCategory), 0);
  effect.setIsSynth(true);
  EXPECT_EQ(dispatch(effect, effGetPlugCategory), 2);
}

TEST(Dispatcher, VuIsScaledAndTruncated) {
  ProbeEffect effect;
  effect.vu = 0.5f;
  EXPECT_EQ(dispatch(effect, effGetVu), 16383);
  effect.vu = -0.5f;
  EXPECT_EQ(dispatch(effect, effGetVu), -16383);
  effect.vu = NAN;
  EXPECT_EQ(dispatch(effect, effGetVu), 0);
  effect.vu = 1e30f;
  EXPECT_EQ(dispatch(effect, effGetVu), 0);
}

TEST(Dispatcher, ConnectAndBlockSizeAndRateAlwaysAnswerOne) {
  ProbeEffect effect;
  EXPECT_EQ(dispatch(effect, effConnectInput, 0, 0), 1);
  EXPECT_EQ(dispatch(effect, effConnectOutput, 1, 1), 1);
  EXPECT_EQ(dispatch(effect, effSetBlockSizeAndSampleRate, 0, 256, nullptr, 96000.0f), 1);
  EXPECT_EQ(effect.blockSize, 256);
  EXPECT_EQ(effect.sampleRate, 96000.0f);
}

TEST(Dispatcher, SampleRateAndBlockSizeAreStored) {
  ProbeEffect effect;
  EXPECT_EQ(effect.getSampleRate(), 44100.0f);
  EXPECT_EQ(effect.getBlockSize(), 1024);
  dispatch(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
  dispatch(effect, effSetBlockSize, 0, 512);
  EXPECT_EQ(effect.getSampleRate(), 48000.0f);
  EXPECT_EQ(effect.getBlockSize(), 512);
}

TEST(Dispatcher, MainsChangedSuspendsOnlyForZero) {
  ProbeEffect effect;
  dispatch(effect, effMainsChanged, 0, 1);
  dispatch(effect, effMainsChanged, 0, 2);
  dispatch(effect, effMainsChanged, 0, -1);
  EXPECT_EQ(effect.resumes, 3);
  EXPECT_EQ(effect.suspends, 0);
  dispatch(effect, effMainsChanged, 0, 0);
  EXPECT_EQ(effect.suspends, 1);
}

TEST(Dispatcher, SetProgramOnlyWithinTheProgramTable) {
  ProbeEffect effect; // four programs
  dispatch(effect, effSetProgram, 0, 3);
  EXPECT_EQ(dispatch(effect, effGetProgram), 3);
  for (VstIntPtr bad : {VstIntPtr{4}, VstIntPtr{100}, VstIntPtr{-1}, VstIntPtr{-100000}})
    EXPECT_EQ(dispatch(effect, effSetProgram, 0, bad), 0);
  EXPECT_EQ(effect.programCalls, 1);
  EXPECT_EQ(dispatch(effect, effGetProgram), 3);
  dispatch(effect, effSetProgram, 0, 0);
  EXPECT_EQ(effect.curProgram, 0);
}

TEST(Dispatcher, OpenAndCloseReachTheEffect) {
  ProbeEffect effect;
  EXPECT_EQ(dispatch(effect, effOpen), 0);
  EXPECT_EQ(effect.opens, 1);
  // The member dispatcher; the record function also deletes the instance (tested elsewhere).
  EXPECT_EQ(effect.dispatcher(effClose, 0, 0, nullptr, 0.0f), 0);
  EXPECT_EQ(effect.closes, 1);
}

TEST(Dispatcher, EditorOpcodesWithoutEditorDoNothing) {
  ProbeEffect effect;
  ERect *rect = reinterpret_cast<ERect *>(&effect);
  VstKeyCode key{};
  for (VstInt32 opcode : {effEditGetRect, effEditOpen, effEditClose, effEditIdle, effEditKeyDown,
                          effEditKeyUp, effSetEditKnobMode})
    EXPECT_EQ(dispatch(effect, opcode, 65, 1,
                       opcode == effEditGetRect ? static_cast<void *>(&rect) : &key, 1.0f),
              0);
  EXPECT_EQ(rect, reinterpret_cast<ERect *>(&effect)) << "nothing stored without an editor";
}

TEST(Dispatcher, EditorOpcodesReachTheEditor) {
  ProbeEffect effect;
  auto *editor = new ProbeEditor(&effect);
  effect.setEditor(editor);
  int parent = 0;
  EXPECT_EQ(dispatch(effect, effEditOpen, 0, 0, &parent), 1);
  EXPECT_EQ(editor->getSystemWindow(), &parent);
  editor->postUpdate();
  dispatch(effect, effEditIdle);
  EXPECT_EQ(editor->updates, 1);
  dispatch(effect, effEditClose);
  EXPECT_EQ(editor->closes, 1);
  EXPECT_EQ(dispatch(effect, effSetEditKnobMode, 0, 2), 102);
}

TEST(Dispatcher, KeyRecordIsBuiltFromIndexValueAndOpt) {
  ProbeEffect effect;
  auto *editor = new ProbeEditor(&effect);
  effect.setEditor(editor);
  EXPECT_EQ(dispatch(effect, effEditKeyDown, 65, 0x1234, nullptr, 3.9f), 11);
  EXPECT_EQ(dispatch(effect, effEditKeyUp, 66, 0x0A, nullptr, 260.0f), 12);
  EXPECT_EQ(dispatch(effect, effEditKeyDown, 67, 0, nullptr, NAN), 11);
  ASSERT_EQ(editor->keys.size(), 3u);
  EXPECT_EQ(editor->keys[0].character, 65);
  EXPECT_EQ(editor->keys[0].virt, 0x34);
  EXPECT_EQ(editor->keys[0].modifier, 3);
  EXPECT_EQ(editor->keys[1].character, 66);
  EXPECT_EQ(editor->keys[1].virt, 0x0A);
  EXPECT_EQ(editor->keys[1].modifier, 260 & 0xFF);
  EXPECT_EQ(editor->keys[2].modifier, 0) << "a NaN modifier must not be converted blindly";
}

TEST(Dispatcher, PlainEditorGivesANullRectangle) {
  ProbeEffect effect;
  effect.setEditor(new EditorBase(&effect));
  ERect *rect = reinterpret_cast<ERect *>(&effect);
  EXPECT_EQ(dispatch(effect, effEditGetRect, 0, 0, &rect), 0);
  EXPECT_EQ(rect, nullptr);
}

TEST(Dispatcher, NullPointersFromTheHostAreRefused) {
  ProbeEffect effect;
  effect.setEditor(new EditorBase(&effect));
  for (VstInt32 opcode :
       {effSetProgramName, effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName,
        effEditGetRect, effGetChunk, effSetChunk, effString2Parameter, effGetProgramNameIndexed,
        effGetEffectName, effGetVendorString, effGetProductString, effGetErrorText, effCanDo,
        effGetSpeakerArrangement, effShellGetNextPlugin, effGetMidiProgramName,
        effGetCurrentMidiProgram})
    EXPECT_EQ(dispatch(effect, opcode, 0, 0, nullptr), 0) << opcode;
  VstSpeakerArrangement *out = nullptr;
  EXPECT_EQ(dispatch(effect, effGetSpeakerArrangement, 0, 0, &out), 0)
      << "a null input slot in `value` is refused too";
}

TEST(Dispatcher, DefaultTextsAreEmptyAndIndexedNameLeavesTheBufferAlone) {
  ProbeEffect effect;
  char text[32] = "xyz";
  dispatch(effect, effGetProgramName, 0, 0, text);
  EXPECT_STREQ(text, "");
  std::strcpy(text, "xyz");
  dispatch(effect, effGetParamDisplay, 0, 0, text);
  EXPECT_STREQ(text, "");
  std::strcpy(text, "xyz");
  EXPECT_EQ(dispatch(effect, effGetProgramNameIndexed, 1, 0, text), 0);
  EXPECT_STREQ(text, "xyz");
  EXPECT_EQ(dispatch(effect, effGetEffectName, 0, 0, text), 0);
  EXPECT_EQ(dispatch(effect, effGetVendorVersion), 0);
}

TEST(Dispatcher, SpeakerArrangementDefaultStoresNulls) {
  ProbeEffect effect;
  VstSpeakerArrangement dummy{};
  VstSpeakerArrangement *in = &dummy, *out = &dummy;
  EXPECT_EQ(dispatch(effect, effGetSpeakerArrangement, 0, reinterpret_cast<VstIntPtr>(&in), &out),
            0);
  EXPECT_EQ(in, nullptr);
  EXPECT_EQ(out, nullptr);
}

} // namespace
