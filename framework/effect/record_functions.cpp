#include "record_functions.h"

#include "effect_base.h"

extern "C" {

VstIntPtr VSTCALLBACK recordDispatcher(AEffect *record, VstInt32 opcode, VstInt32 index,
                                       VstIntPtr value, void *ptr, float opt) {
  EffectBase *effect = EffectBase::fromRecord(record);
  if (!effect)
    return 0;
  const VstIntPtr result = effect->dispatcher(opcode, index, value, ptr, opt);
  if (opcode == effClose) {
    delete effect;
    return 1;
  }
  return result;
}

void VSTCALLBACK recordProcess(AEffect *record, float **inputs, float **outputs,
                               VstInt32 sampleFrames) {
  EffectBase *effect = EffectBase::fromRecord(record);
  if (effect && inputs && outputs)
    effect->process(inputs, outputs, sampleFrames);
}

void VSTCALLBACK recordProcessReplacing(AEffect *record, float **inputs, float **outputs,
                                        VstInt32 sampleFrames) {
  EffectBase *effect = EffectBase::fromRecord(record);
  if (effect && inputs && outputs)
    effect->processReplacing(inputs, outputs, sampleFrames);
}

void VSTCALLBACK recordSetParameter(AEffect *record, VstInt32 index, float value) {
  if (EffectBase *effect = EffectBase::fromRecord(record))
    effect->setParameter(index, value);
}

float VSTCALLBACK recordGetParameter(AEffect *record, VstInt32 index) {
  EffectBase *effect = EffectBase::fromRecord(record);
  return effect ? effect->getParameter(index) : 0.0f;
}
}
