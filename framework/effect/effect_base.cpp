#include "effect_base.h"

#include <cmath>
#include <cstring>

#include "editor/editor_base.h"
#include "record_functions.h"
#include "text_format.h"

EffectBase::EffectBase(audioMasterCallback host, VstInt32 programCount, VstInt32 paramCount)
    : sampleRate(44100.0f), editor(nullptr), hostCallback(host), numPrograms(programCount),
      numParams(paramCount), curProgram(0), blockSize(1024) {
  std::memset(&effectRecord, 0, sizeof effectRecord);
  effectRecord.magic = kEffectMagic;
  effectRecord.dispatcher = recordDispatcher;
  effectRecord.process = recordProcess;
  effectRecord.setParameter = recordSetParameter;
  effectRecord.getParameter = recordGetParameter;
  effectRecord.numPrograms = programCount;
  effectRecord.numParams = paramCount;
  effectRecord.numInputs = 1;
  effectRecord.numOutputs = 2;
  effectRecord.ioRatio = 1.0f;
  effectRecord.object = this;
  effectRecord.uniqueID = kNoEffectId;
  effectRecord.version = 1;
  effectRecord.processReplacing = recordProcessReplacing;
}

EffectBase::~EffectBase() { delete editor; }

EffectBase *EffectBase::fromRecord(AEffect *record) {
  return record ? static_cast<EffectBase *>(record->object) : nullptr;
}

void EffectBase::setEditor(EditorBase *newEditor) {
  editor = newEditor;
  setFlag(effFlagsHasEditor, newEditor != nullptr);
}

void EffectBase::setFlag(VstInt32 flag, bool state) {
  if (state)
    effectRecord.flags |= flag;
  else
    effectRecord.flags &= ~flag;
}

VstIntPtr EffectBase::callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void *ptr,
                               float opt) {
  return hostCallback ? hostCallback(&effectRecord, opcode, index, value, ptr, opt) : 0;
}

void EffectBase::setParameter(VstInt32, float) {}

float EffectBase::getParameter(VstInt32) { return 0.0f; }

void EffectBase::setParameterAndAutomate(VstInt32 index, float value) {
  setParameter(index, value);
  if (hostCallback)
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

void EffectBase::processReplacing(float **, float **, VstInt32) {}

void EffectBase::open() {}

void EffectBase::close() {}

VstInt32 EffectBase::getProgram() { return curProgram; }

void EffectBase::setProgram(VstInt32 program) { curProgram = program; }

void EffectBase::setProgramName(char *name) { *name = '\0'; }

void EffectBase::getProgramName(char *name) { *name = '\0'; }

void EffectBase::getParamLabel(VstInt32, char *label) { *label = '\0'; }

void EffectBase::getParamDisplay(VstInt32, char *text) { *text = '\0'; }

void EffectBase::getParamName(VstInt32, char *text) { *text = '\0'; }

float EffectBase::getVu() { return 0.0f; }

VstInt32 EffectBase::getChunk(void **, bool) { return 0; }

VstInt32 EffectBase::setChunk(void *, VstInt32, bool) { return 0; }

void EffectBase::setSampleRate(float rate) { sampleRate = rate; }

void EffectBase::setBlockSize(VstInt32 size) { blockSize = size; }

void EffectBase::suspend() {}

void EffectBase::resume() {}

void EffectBase::setUniqueID(VstInt32 id) { effectRecord.uniqueID = id; }

void EffectBase::setNumInputs(VstInt32 inputs) { effectRecord.numInputs = inputs; }

void EffectBase::setNumOutputs(VstInt32 outputs) { effectRecord.numOutputs = outputs; }

void EffectBase::setHasVu(bool state) { setFlag(effFlagsHasVu, state); }

void EffectBase::setHasClip(bool state) { setFlag(effFlagsHasClip, state); }

void EffectBase::setCanMono(bool state) { setFlag(effFlagsCanMono, state); }

void EffectBase::setCanReplacing(bool state) { setFlag(effFlagsCanReplacing, state); }

void EffectBase::setProgramsAreChunks(bool state) { setFlag(effFlagsProgramChunks, state); }

void EffectBase::setRealQualities(VstInt32 qualities) { effectRecord.realQualities = qualities; }

void EffectBase::setOffQualities(VstInt32 qualities) { effectRecord.offQualities = qualities; }

void EffectBase::setInitialDelay(VstInt32 delay) { effectRecord.initialDelay = delay; }

float EffectBase::getSampleRate() { return sampleRate; }

VstInt32 EffectBase::getBlockSize() { return blockSize; }

void EffectBase::decibelsToText(float gain, char *text) {
  if (gain > 0)
    floatToText(static_cast<float>(20.0 * std::log10(static_cast<double>(gain))), text);
  else
    std::strcpy(text, "-oo");
}

void EffectBase::hertzToText(float samples, char *text) {
  const float rate = getSampleRate();
  floatToText(samples == 0 ? 0.0f : rate / samples, text);
}

void EffectBase::millisecondsToText(float samples, char *text) {
  floatToText(static_cast<float>((samples * 1000.0) / getSampleRate()), text);
}

void EffectBase::floatToText(float value, char *text) { formatFloat(value, text); }

void EffectBase::longToText(VstInt32 value, char *text) { formatLong(value, text); }
