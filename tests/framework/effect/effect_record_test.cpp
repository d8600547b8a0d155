#include <gtest/gtest.h>

#include <cstring>

#include "framework/effect/probe_effect.h"
#include "recording_host.h"

namespace {

class ValueEffect : public ProbeEffect {
public:
  using ProbeEffect::ProbeEffect;
  void setParameter(VstInt32 index, float v) override {
    lastIndex = index;
    value = v;
  }
  float getParameter(VstInt32 index) override { return index == 1 ? value : -1.0f; }
  void process(float **in, float **out, VstInt32 frames) override {
    for (VstInt32 i = 0; i < frames; ++i)
      out[0][i] += in[0][i];
  }
  void processReplacing(float **in, float **out, VstInt32 frames) override {
    for (VstInt32 i = 0; i < frames; ++i)
      out[0][i] = 2 * in[0][i];
  }
  VstInt32 lastIndex = -1;
  float value = 0.0f;
};

TEST(EffectRecord, ConstructorFillsTheRecord) {
  ProbeEffect effect;
  const AEffect &r = *effect.getAeffect();
  EXPECT_EQ(r.magic, 0x56737450);
  EXPECT_NE(r.dispatcher, nullptr);
  EXPECT_NE(r.process, nullptr);
  EXPECT_NE(r.processReplacing, nullptr);
  EXPECT_NE(r.setParameter, nullptr);
  EXPECT_NE(r.getParameter, nullptr);
  EXPECT_EQ(r.numPrograms, 4);
  EXPECT_EQ(r.numParams, 2);
  EXPECT_EQ(r.numInputs, 1);
  EXPECT_EQ(r.numOutputs, 2);
  EXPECT_EQ(r.flags, 0);
  EXPECT_EQ(r.resvd1, 0);
  EXPECT_EQ(r.resvd2, 0);
  EXPECT_EQ(r.initialDelay, 0);
  EXPECT_EQ(r.realQualities, 0);
  EXPECT_EQ(r.offQualities, 0);
  EXPECT_EQ(r.ioRatio, 1.0f);
  EXPECT_EQ(r.object, static_cast<EffectBase *>(&effect));
  EXPECT_EQ(r.user, nullptr);
  EXPECT_EQ(r.uniqueID, 0x4E6F4566);
  EXPECT_EQ(r.version, 1);
  char zeros[sizeof r.future] = {};
  EXPECT_EQ(std::memcmp(r.future, zeros, sizeof zeros), 0);
  EXPECT_EQ(effect.getProgram(), 0);
  EXPECT_EQ(effect.editorPointer(), nullptr);
}

TEST(EffectRecord, SettersChangeOnlyTheirOwnFlagOrField) {
  ProbeEffect effect;
  const AEffect &r = *effect.getAeffect();
  struct {
    void (EffectBase::*set)(bool);
    VstInt32 bit;
  } baseFlags[] = {{&EffectBase::setHasClip, 0x002},
                   {&EffectBase::setHasVu, 0x004},
                   {&EffectBase::setCanMono, 0x008},
                   {&EffectBase::setCanReplacing, 0x010},
                   {&EffectBase::setProgramsAreChunks, 0x020}};
  for (auto flag : baseFlags) {
    (effect.*flag.set)(true);
    EXPECT_EQ(r.flags, flag.bit);
    (effect.*flag.set)(false);
    EXPECT_EQ(r.flags, 0);
  }
  struct {
    void (EffectExtended::*set)(bool);
    VstInt32 bit;
  } extendedFlags[] = {{&EffectExtended::setIsSynth, 0x100},
                       {&EffectExtended::setNoTail, 0x200},
                       {&EffectExtended::setIsAsync, 0x400},
                       {&EffectExtended::setHasExternalBuffer, 0x800}};
  effect.setHasVu(true);
  for (auto flag : extendedFlags) {
    (effect.*flag.set)(true);
    EXPECT_EQ(r.flags, flag.bit | 0x004);
    (effect.*flag.set)(false);
    EXPECT_EQ(r.flags, 0x004);
  }
  effect.setUniqueID(0x69773639);
  effect.setNumInputs(2);
  effect.setNumOutputs(3);
  effect.setRealQualities(5);
  effect.setOffQualities(6);
  effect.setInitialDelay(220);
  EXPECT_EQ(r.uniqueID, 0x69773639);
  EXPECT_EQ(r.numInputs, 2);
  EXPECT_EQ(r.numOutputs, 3);
  EXPECT_EQ(r.realQualities, 5);
  EXPECT_EQ(r.offQualities, 6);
  EXPECT_EQ(r.initialDelay, 220);
}

TEST(EffectRecord, SetEditorOwnsTheHasEditorFlag) {
  ProbeEffect effect;
  effect.setHasVu(true);
  auto *editor = new EditorBase(&effect);
  effect.setEditor(editor);
  EXPECT_EQ(effect.getAeffect()->flags, 0x005);
  EXPECT_EQ(effect.getEditor(), editor);
  effect.setEditor(nullptr);
  EXPECT_EQ(effect.getAeffect()->flags, 0x004);
  delete editor;
}

TEST(EffectRecord, RecordFunctionsForwardToTheInstance) {
  ValueEffect effect;
  AEffect *r = effect.getAeffect();
  r->setParameter(r, 1, 0.25f);
  EXPECT_EQ(effect.lastIndex, 1);
  EXPECT_EQ(r->getParameter(r, 1), 0.25f);
  float in[3] = {1, 2, 3}, out[3] = {10, 10, 10};
  float *ins[] = {in, in}, *outs[] = {out, out};
  r->process(r, ins, outs, 3);
  EXPECT_EQ(out[2], 13.0f);
  r->processReplacing(r, ins, outs, 3);
  EXPECT_EQ(out[2], 6.0f);
  r->processReplacing(r, nullptr, outs, 3);
  EXPECT_EQ(out[2], 6.0f) << "null channel arrays are not processed";
  EXPECT_EQ(r->dispatcher(nullptr, effIdentify, 0, 0, nullptr, 0), 0) << "null record";
}

TEST(EffectRecord, CloseThroughTheRecordDestroysEffectAndEditor) {
  int effectGone = 0, editorGone = 0;
  auto *effect = new ProbeEffect(nullptr, &effectGone);
  effect->setEditor(new ProbeEditor(effect, &editorGone));
  AEffect *r = effect->getAeffect();
  EXPECT_EQ(r->dispatcher(r, effClose, 0, 0, nullptr, 0), 1);
  EXPECT_EQ(effectGone, 1);
  EXPECT_EQ(editorGone, 1);
}

TEST(EffectRecord, SetParameterAndAutomateTellsTheHost) {
  RecordingHost host;
  ValueEffect effect(RecordingHost::callback());
  host.adopt(effect.getAeffect());
  effect.setParameterAndAutomate(1, 0.75f);
  EXPECT_EQ(effect.value, 0.75f);
  auto calls = host.callsWith(audioMasterAutomate);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].effect, effect.getAeffect());
  EXPECT_EQ(calls[0].index, 1);
  EXPECT_EQ(calls[0].value, 0);
  EXPECT_EQ(calls[0].ptr, nullptr);
  EXPECT_EQ(calls[0].opt, 0.75f);

  ValueEffect alone;
  alone.setParameterAndAutomate(1, 0.5f);
  EXPECT_EQ(alone.value, 0.5f);
}

} // namespace
