// An effect and an editor that count what the dispatcher calls on them, for the framework tests.
#pragma once

#include <vector>

#include "editor/editor_base.h"
#include "effect/effect_extended.h"

class ProbeEditor : public EditorBase {
public:
  explicit ProbeEditor(EffectBase *effect, int *destroyed = nullptr)
      : EditorBase(effect), destroyed(destroyed) {}
  ~ProbeEditor() override {
    if (destroyed)
      ++*destroyed;
  }
  VstInt32 onKeyDown(VstKeyCode &key) override {
    keys.push_back(key);
    return 11;
  }
  VstInt32 onKeyUp(VstKeyCode &key) override {
    keys.push_back(key);
    return 12;
  }
  VstInt32 open(void *parent) override {
    EditorBase::open(parent);
    ++opens;
    return 1;
  }
  void close() override { ++closes; }
  void update() override { ++updates; }
  VstInt32 setKnobMode(VstInt32 mode) override { return mode + 100; }

  std::vector<VstKeyCode> keys;
  int opens = 0;
  int closes = 0;
  int updates = 0;

private:
  int *destroyed;
};

class ProbeEffect : public EffectExtended {
public:
  explicit ProbeEffect(audioMasterCallback host = nullptr, int *destroyed = nullptr)
      : EffectExtended(host, 4, 2), destroyed(destroyed) {}
  ~ProbeEffect() override {
    if (destroyed)
      ++*destroyed;
  }
  void process(float **, float **, VstInt32) override {}
  void setProgram(VstInt32 program) override {
    ++programCalls;
    EffectBase::setProgram(program);
  }
  void suspend() override { ++suspends; }
  void resume() override { ++resumes; }
  float getVu() override { return vu; }
  void open() override { ++opens; }
  void close() override { ++closes; }

  using EffectBase::blockSize;
  using EffectBase::curProgram;
  using EffectBase::hostCallback;
  using EffectBase::sampleRate;

  float vu = 0.0f;
  int programCalls = 0;
  int suspends = 0;
  int resumes = 0;
  int opens = 0;
  int closes = 0;

private:
  int *destroyed;
};
